#include "views/qt/view_widget.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <exception>

#include "platform/qt/command_guard.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"
#include "views/linkable_control.h"
#include "views/qt/qt_view_input.h"

namespace {

std::optional<TVpScrollAction> ScrollActionOf(int action) {
  switch (action) {
    case QAbstractSlider::SliderSingleStepSub: return saLineUp;
    case QAbstractSlider::SliderSingleStepAdd: return saLineDown;
    case QAbstractSlider::SliderPageStepSub: return saPageUp;
    case QAbstractSlider::SliderPageStepAdd: return saPageDown;
    case QAbstractSlider::SliderMove:
    case QAbstractSlider::SliderToMinimum:
    case QAbstractSlider::SliderToMaximum: return saTrack;
    default: return std::nullopt;
  }
}

// Adds the entries to the menu; choosing one sets `chosen` to its command.
void AddMenuItems(QMenu& menu, const std::vector<TVpMenuItem>& items, int& chosen) {
  for (const TVpMenuItem& item : items) {
    if (!item.Items.empty()) {
      QMenu* submenu = menu.addMenu(ToQt(item.Caption));
      submenu->setEnabled(item.Enabled);
      AddMenuItems(*submenu, item.Items, chosen);
      continue;
    }
    QAction* action = menu.addAction(ToQt(item.Caption));
    action->setEnabled(item.Enabled);
    QObject::connect(action, &QAction::triggered, [&chosen, command = item.Command] { chosen = command; });
  }
}

}  // namespace

TVpViewWidget::TVpViewWidget(TVpLinkableControl& view, QWidget* parent)
    : QWidget(parent), View_(view), ScrollBar_(new QScrollBar(Qt::Vertical, this)) {
  setFocusPolicy(Qt::WheelFocus);
  // The pointer's shape follows what a press would do where it is.
  setMouseTracking(true);
  // The few pixels a view leaves unpainted (the seam between ruler and columns, the strip under the
  // scroll bar) show the window colour.
  setAutoFillBackground(true);
  ScrollBar_->hide();
  ScrollBar_->setFocusPolicy(Qt::NoFocus);
  connect(ScrollBar_, &QAbstractSlider::actionTriggered, this, &TVpViewWidget::Scrolled);
  View_.OnInvalidate = [this] { update(); };
  View_.OnRequestFocus = [this] { setFocus(Qt::OtherFocusReason); };
  View_.OnShowMenu = [this](const std::vector<TVpMenuItem>& items, TVpMenuPlacement placement) {
    return ShowMenu(items, placement);
  };
  GuardedCall([this] { View_.Resize(width(), ClientHeight()); });
}

TVpViewWidget::~TVpViewWidget() {
  View_.OnInvalidate = nullptr;
  View_.OnRequestFocus = nullptr;
  View_.OnShowMenu = nullptr;
}

int TVpViewWidget::ShowMenu(const std::vector<TVpMenuItem>& items, TVpMenuPlacement placement) {
  QMenu menu(this);
  int chosen = -1;
  AddMenuItems(menu, items, chosen);
  const int entryHeight = menu.actions().isEmpty() ? 0 : menu.actionGeometry(menu.actions().front()).height();
  const QPoint at(placement.At.X, placement.At.Y - static_cast<int>(placement.RaiseByItems * entryHeight));
  menu.exec(mapToGlobal(at));
  return chosen;
}

void TVpViewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  TQtCanvas canvas(painter, kScreenPixelsPerInch);
  try {
    View_.Paint(canvas, TRect{0, 0, width(), ClientHeight()});
    PaintFailed_ = false;
  } catch (...) {
    if (!PaintFailed_) {
      // A message box is no thing to open in the middle of painting: report it afterwards.
      QTimer::singleShot(0, this, [failure = std::current_exception()] {
        GuardedCall([failure] { std::rethrow_exception(failure); });
      });
    }
    PaintFailed_ = true;
  }
  // A dotted frame tells which view has the keyboard.
  if (hasFocus()) {
    painter.resetTransform();
    painter.setClipping(false);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  SyncScrollBar();
}

void TVpViewWidget::SyncScrollBar() {
  const TVpScrollBarInfo info = View_.ScrollBar();
  if (!info.Visible) {
    ScrollBar_->hide();
    return;
  }
  const QSignalBlocker blocker(ScrollBar_);
  ScrollBar_->setOrientation(info.Horizontal ? Qt::Horizontal : Qt::Vertical);
  const int barWidth = BarThickness();
  const QRect place = info.Horizontal
                          ? QRect(0, height() - barWidth, width(), barWidth)
                          : QRect(width() - barWidth - info.RightMargin, info.Top, barWidth, info.Bottom - info.Top);
  if (ScrollBar_->geometry() != place) ScrollBar_->setGeometry(place);
  ScrollBar_->setRange(info.Min, info.Max);
  ScrollBar_->setPageStep(info.PageSize);
  ScrollBar_->setSingleStep(1);
  ScrollBar_->setValue(info.Position);
  ScrollBar_->setEnabled(info.Max > info.Min);
  ScrollBar_->show();
}

void TVpViewWidget::Scrolled(int action) {
  const std::optional<TVpScrollAction> scroll = ScrollActionOf(action);
  if (!scroll) return;
  // Take the action back from the bar: the view decides where its top row goes.
  const int position = ScrollBar_->sliderPosition();
  GuardedCall([&] { View_.Scroll(*scroll, position); });
  const TVpScrollBarInfo info = View_.ScrollBar();
  ScrollBar_->setSliderPosition(info.Position);
}

int TVpViewWidget::BarThickness() const { return ScrollBar_->style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

int TVpViewWidget::ClientHeight() const {
  const TVpScrollBarInfo info = View_.ScrollBar();
  return info.Visible && info.Horizontal ? std::max(0, height() - BarThickness()) : height();
}

void TVpViewWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  GuardedCall([this] { View_.Resize(width(), ClientHeight()); });
}

void TVpViewWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  GuardedCall([this] { View_.FocusChanged(true); });
  update();
}

void TVpViewWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  GuardedCall([this] { View_.FocusChanged(false); });
  update();
}

void TVpViewWidget::mousePressEvent(QMouseEvent* event) {
  const std::optional<TMouseButton> button = MouseButtonOf(event->button());
  if (!button) return QWidget::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  GuardedCall([&] { View_.MouseDown(*button, ShiftStateOf(event->modifiers(), event->buttons()), at.x(), at.y()); });
}

void TVpViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  const std::optional<TMouseButton> button = MouseButtonOf(event->button());
  if (!button) return QWidget::mouseReleaseEvent(event);
  const QPoint at = event->position().toPoint();
  GuardedCall([&] { View_.MouseUp(*button, ShiftStateOf(event->modifiers(), event->buttons()), at.x(), at.y()); });
}

void TVpViewWidget::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  GuardedCall([&] { View_.MouseMove(ShiftStateOf(event->modifiers(), event->buttons()), at.x(), at.y()); });
  if (event->buttons() != Qt::NoButton) return;
  TPointerShape shape = psArrow;
  GuardedCall([&] { shape = View_.PointerShapeAt(at.x(), at.y()); });
  if (shape == psResizeVertical) setCursor(Qt::SizeVerCursor);
  else unsetCursor();
}

void TVpViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseDoubleClickEvent(event);
  const QPoint at = event->position().toPoint();
  GuardedCall([&] { View_.DoubleClick(at.x(), at.y()); });
}

void TVpViewWidget::keyPressEvent(QKeyEvent* event) {
  const int key = KeyCodeOf(event->key());
  bool used = false;
  if (key != 0) GuardedCall([&] { used = View_.KeyDown(key, ShiftStateOf(event->modifiers(), Qt::NoButton)); });
  // What the key typed goes on as characters.
  if (!used)
    for (const char32_t character : event->text().toUcs4())
      if (character >= 0x20) GuardedCall([&] { used = View_.KeyPress(character) || used; });
  if (!used) QWidget::keyPressEvent(event);
}

void TVpViewWidget::wheelEvent(QWheelEvent* event) {
  const QPoint at = event->position().toPoint();
  bool used = false;
  GuardedCall([&] {
    used =
        View_.MouseWheel(ShiftStateOf(event->modifiers(), event->buttons()), event->angleDelta().y(), at.x(), at.y());
  });
  if (used) event->accept();
  else event->ignore();
}
