#include "app/tool_bar_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

struct TPictureLook {
  const char* ThemeName;
  const char* Mark;  // what the program's own picture shows on its page
  QColor Color;
};

const TPictureLook& Look(TToolPicture picture) {
  static const TPictureLook looks[] = {
      {"x-office-calendar", "31", QColor(0x2a, 0x6f, 0xb8)},
      {"view-calendar-week", "7", QColor(0x2a, 0x6f, 0xb8)},
      {"contact-new", "+", QColor(0x3c, 0x8d, 0x3c)},
      {"task-new", "+", QColor(0xb8, 0x6e, 0x1e)},
      {"view-calendar-day", "1", QColor(0x2a, 0x6f, 0xb8)},
      {"go-previous", "<", QColor(0x40, 0x40, 0x40)},
      {"go-next", ">", QColor(0x40, 0x40, 0x40)},
      {"go-jump-today", "T", QColor(0xb0, 0x20, 0x20)},
  };
  return looks[picture];
}

// A page with a coloured top strip and the mark in its middle; the arrows are drawn as arrows.
QPixmap DrawPicture(TToolPicture picture) {
  const TPictureLook& look = Look(picture);
  QPixmap pixmap(24, 23);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  if (picture == tpPreviousDay || picture == tpNextDay) {
    QPainterPath arrow;
    const bool back = picture == tpPreviousDay;
    arrow.moveTo(back ? 4 : 20, 11.5);
    arrow.lineTo(back ? 14 : 10, 3);
    arrow.lineTo(back ? 14 : 10, 20);
    arrow.closeSubpath();
    painter.fillPath(arrow, look.Color);
    painter.fillRect(back ? QRectF(13, 8.5, 7, 6) : QRectF(4, 8.5, 7, 6), look.Color);
    return pixmap;
  }
  const QRectF page(2.5, 2.5, 19, 18);
  painter.setPen(QPen(look.Color.darker(130), 1));
  painter.setBrush(Qt::white);
  painter.drawRoundedRect(page, 2, 2);
  painter.fillRect(QRectF(3, 3, 18, 4), look.Color);
  QFont font = painter.font();
  font.setPixelSize(11);
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(look.Color.darker(110));
  painter.drawText(QRectF(2, 7, 20, 13), Qt::AlignCenter, look.Mark);
  return pixmap;
}

}  // namespace

QIcon ToolBarPicture(TToolPicture picture) {
  return QIcon::fromTheme(Look(picture).ThemeName, QIcon(DrawPicture(picture)));
}
