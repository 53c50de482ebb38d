#include "app/skin_style.h"

#include <QPainter>
#include <QStyleOption>

void TSkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const {
  QProxyStyle::drawPrimitive(element, option, painter, widget);
  if (element != PE_IndicatorCheckBox && element != PE_IndicatorRadioButton) return;
  const QColor window = option->palette.color(QPalette::Window);
  const QColor text = option->palette.color(QPalette::WindowText);
  const QColor frame = QColor::fromRgbF((window.redF() + text.redF()) / 2, (window.greenF() + text.greenF()) / 2,
                                        (window.blueF() + text.blueF()) / 2);
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, element == PE_IndicatorRadioButton);
  painter->setPen(frame);
  painter->setBrush(Qt::NoBrush);
  const QRect box = option->rect.adjusted(0, 0, -1, -1);
  if (element == PE_IndicatorRadioButton) painter->drawEllipse(QRectF(box).adjusted(0.5, 0.5, -0.5, -0.5));
  else painter->drawRect(box);
  painter->restore();
}
