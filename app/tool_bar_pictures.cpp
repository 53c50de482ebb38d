#include "app/tool_bar_pictures.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
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
      {"go-previous", "<", QColor()},  // the arrows take the buttons' text colour
      {"go-next", ">", QColor()},
      {"go-jump-today", "T", QColor(0xb0, 0x20, 0x20)},
  };
  return looks[picture];
}

constexpr QSize kPictureSize{24, 23};

bool IsArrow(TToolPicture picture) { return picture == tpPreviousDay || picture == tpNextDay; }

// An arrow on the picture's 24 × 23 grid.
void DrawArrow(QPainter& painter, TToolPicture picture, const QColor& color) {
  painter.setRenderHint(QPainter::Antialiasing);
  QPainterPath arrow;
  const bool back = picture == tpPreviousDay;
  arrow.moveTo(back ? 4 : 20, 11.5);
  arrow.lineTo(back ? 14 : 10, 3);
  arrow.lineTo(back ? 14 : 10, 20);
  arrow.closeSubpath();
  painter.fillPath(arrow, color);
  painter.fillRect(back ? QRectF(13, 8.5, 7, 6) : QRectF(4, 8.5, 7, 6), color);
}

// The arrows in the colour of the buttons' text, read whenever they are painted: an arrow of a
// fixed colour would vanish on a skin of that darkness.
class TArrowEngine : public QIconEngine {
 public:
  explicit TArrowEngine(TToolPicture picture) : Picture_(picture) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
    const QPalette::ColorGroup group = mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
    painter->save();
    painter->translate(rect.topLeft());
    painter->scale(rect.width() / qreal(kPictureSize.width()), rect.height() / qreal(kPictureSize.height()));
    DrawArrow(*painter, Picture_, QGuiApplication::palette().color(group, QPalette::ButtonText));
    painter->restore();
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    paint(&painter, QRect(QPoint(), size), mode, state);
    return pixmap;
  }

  QIconEngine* clone() const override { return new TArrowEngine(Picture_); }

 private:
  TToolPicture Picture_;
};

// A page with a coloured top strip and the mark in its middle.
QPixmap DrawPicture(TToolPicture picture) {
  const TPictureLook& look = Look(picture);
  QPixmap pixmap(kPictureSize);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
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
  const QIcon own = IsArrow(picture) ? QIcon(new TArrowEngine(picture)) : QIcon(DrawPicture(picture));
  return QIcon::fromTheme(Look(picture).ThemeName, own);
}
