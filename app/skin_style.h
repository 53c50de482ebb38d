#pragma once

#include <QProxyStyle>

// The widget style while a skin is on: the skin's style, with a frame in a colour between the
// window's and its text's around every check box and radio button, which some styles draw in a
// shade of the window colour and so lose on a black or near-black skin.
class TSkinStyle : public QProxyStyle {
 public:
  // Takes the style it draws with.
  explicit TSkinStyle(QStyle* style) : QProxyStyle(style) {}

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};
