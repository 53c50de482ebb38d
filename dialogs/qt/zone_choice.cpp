#include "dialogs/qt/zone_choice.h"

#include <QComboBox>
#include <QCompleter>
#include <QTimeZone>

void FillZoneChoice(QComboBox& combo, const QString& noZoneCaption) {
  combo.setEditable(true);
  combo.setInsertPolicy(QComboBox::NoInsert);
  combo.addItem(noZoneCaption, QString());
  const QByteArray desktopZone = QTimeZone::systemTimeZoneId();
  combo.addItem(QString::fromUtf8(desktopZone), QString::fromUtf8(desktopZone));
  for (const QByteArray& zone : QTimeZone::availableTimeZoneIds())
    if (zone != desktopZone) combo.addItem(QString::fromUtf8(zone), QString::fromUtf8(zone));
  combo.completer()->setFilterMode(Qt::MatchContains);
  combo.completer()->setCompletionMode(QCompleter::PopupCompletion);
}
