#include "views/qt/contact_button_bar_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "platform/qt/command_guard.h"
#include "platform/qt/qt_canvas.h"
#include "views/contacts/contact_button_bar.h"
#include "views/qt/qt_view_input.h"

TVpContactButtonBarWidget::TVpContactButtonBarWidget(TVpContactButtonBar& bar, QWidget* parent)
    : QWidget(parent), Bar_(bar) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  Bar_.OnInvalidate = [this] { update(); };
}

TVpContactButtonBarWidget::~TVpContactButtonBarWidget() { Bar_.OnInvalidate = nullptr; }

void TVpContactButtonBarWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  TQtCanvas canvas(painter, kScreenPixelsPerInch);
  GuardedCall([&] { Bar_.Paint(canvas); });
}

void TVpContactButtonBarWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  GuardedCall([this] { Bar_.Resize(width(), height()); });
}

void TVpContactButtonBarWidget::mousePressEvent(QMouseEvent* event) {
  const std::optional<TMouseButton> button = MouseButtonOf(event->button());
  if (!button) return QWidget::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  GuardedCall([&] { Bar_.MouseDown(*button, at.x(), at.y()); });
}

void TVpContactButtonBarWidget::mouseReleaseEvent(QMouseEvent* event) {
  const std::optional<TMouseButton> button = MouseButtonOf(event->button());
  if (!button) return QWidget::mouseReleaseEvent(event);
  const QPoint at = event->position().toPoint();
  GuardedCall([&] { Bar_.MouseUp(*button, at.x(), at.y()); });
}
