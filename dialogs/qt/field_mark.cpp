#include "dialogs/qt/field_mark.h"

#include <QVariant>
#include <QWidget>

#include "platform/qt/qt_text.h"

void ShowFieldMark(QWidget& widget, bool marked, const std::string& why) {
  const QString sheet =
      marked ? QString("%1 { background-color: rgb(255, 0, 0); }").arg(widget.metaObject()->className()) : QString();
  if (widget.styleSheet() != sheet) widget.setStyleSheet(sheet);
  if (marked || widget.property("marked").toBool()) widget.setToolTip(ToQt(why));
  widget.setProperty("marked", marked);
}
