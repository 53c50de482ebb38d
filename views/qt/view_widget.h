#pragma once

#include <QWidget>
#include <vector>

#include "views/linkable_control.h"

class QScrollBar;

// The window that hosts one view. It paints the view through the platform canvas, passes Qt's
// resize, focus, mouse, key, typed-character and wheel events to the view's entry points, shows
// the scroll bar the view asks for and hands its scrolling back, shows the view's menus, takes the
// focus when the view asks, and repaints whenever the view asks to be repainted.
// Nothing the view raises leaves a Qt handler: failures go to the program's error handler.
//
// The view must outlive the widget.
class TVpViewWidget : public QWidget {
  Q_OBJECT

 public:
  explicit TVpViewWidget(TVpLinkableControl& view, QWidget* parent = nullptr);
  ~TVpViewWidget() override;

  TVpLinkableControl& View() const { return View_; }
  QScrollBar& ScrollBar() const { return *ScrollBar_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  // Shows the view's menu at the place it asked for; the chosen entry's command, or -1.
  int ShowMenu(const std::vector<TVpMenuItem>& items, TVpMenuPlacement placement);
  int BarThickness() const;
  // The height the view draws in: the widget's less a sideways scroll bar along the bottom.
  int ClientHeight() const;
  // Places and sets the scroll bar as the view last described it.
  void SyncScrollBar();
  void Scrolled(int action);

  TVpLinkableControl& View_;
  QScrollBar* ScrollBar_;
  // A paint that failed is reported once, after the paint, until a paint succeeds again.
  bool PaintFailed_ = false;
};
