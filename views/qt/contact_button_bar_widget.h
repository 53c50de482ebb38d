#pragma once

#include <QWidget>

class TVpContactButtonBar;

// The window that hosts a contact button bar: it paints the bar through the platform canvas and
// passes resizes and left-button presses and releases to it. Nothing the bar raises leaves a Qt
// handler. The bar must outlive the widget.
class TVpContactButtonBarWidget : public QWidget {
 public:
  explicit TVpContactButtonBarWidget(TVpContactButtonBar& bar, QWidget* parent = nullptr);
  ~TVpContactButtonBarWidget() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  TVpContactButtonBar& Bar_;
};
