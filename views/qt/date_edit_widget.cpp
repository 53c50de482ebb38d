#include "views/qt/date_edit_widget.h"

#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScreen>
#include <QToolButton>
#include <QToolTip>
#include <algorithm>

#include "platform/qt/command_guard.h"
#include "platform/qt/qt_text.h"
#include "views/qt/qt_view_input.h"
#include "views/qt/view_widget.h"

namespace {

// The first character a key typed, or 0.
char32_t TypedCharacter(const QKeyEvent& event) {
  const QList<uint> characters = event.text().toUcs4();
  return characters.isEmpty() ? 0 : characters.front();
}

}  // namespace

TVpDateEditWidget::TVpDateEditWidget(TVpDateEdit& edit, QWidget* parent)
    : QLineEdit(parent), Edit_(edit), Button_(new QToolButton(this)) {
  Button_->setArrowType(Qt::DownArrow);
  Button_->setFocusPolicy(Qt::NoFocus);
  Button_->setCursor(Qt::ArrowCursor);
  Button_->setAutoRaise(!Edit_.Ctl3D());
  setReadOnly(Edit_.ReadOnly());
  setText(ToQt(Edit_.Text()));
  connect(this, &QLineEdit::textEdited, this,
          [this](const QString& text) { Act([&] { Edit_.SetText(FromQt(text)); }); });
  connect(Button_, &QToolButton::clicked, this, [this] { Act([this] { Edit_.ButtonClicked(); }); });
  Edit_.SetWindow(this);
  SyncButton();
}

TVpDateEditWidget::~TVpDateEditWidget() {
  if (Edit_.Window() == this) Edit_.SetWindow(nullptr);
  if (Popup_ == nullptr) return;
  Popup_->removeEventFilter(this);
  if (Edit_.DropDownOpen()) GuardedCall([this] { Edit_.CloseDropDown(); });
  delete Popup_;
}

void TVpDateEditWidget::Act(const std::function<void()>& command) {
  GuardedCall(command);
  emit Edited();
}

// --- what the edit asks of its window ---

void TVpDateEditWidget::TextReplaced() { setText(ToQt(Edit_.Text())); }

void TVpDateEditWidget::ShowDropDown(TVpCalendar& calendar) {
  if (Popup_ != nullptr && &Popup_->View() != &calendar) {
    delete Popup_;
    Popup_ = nullptr;
  }
  if (Popup_ == nullptr) {
    Popup_ = new TVpViewWidget(calendar, this);
    Popup_->setWindowFlags(Qt::Popup);
    Popup_->installEventFilter(this);
  }
  // The host sized the calendar to itself on creation: the edit's size is what counts.
  const QSize size(Edit_.PopupCalWidth(), Edit_.PopupCalHeight());
  Popup_->resize(size);
  // Below the field, or above it where the screen ends first; never off the screen's sides.
  const QRect screen =
      (this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen())->availableGeometry();
  QPoint at = mapToGlobal(QPoint(0, height() + 2));
  if (at.y() + size.height() > screen.bottom() + 1) at.setY(mapToGlobal(QPoint(0, 0)).y() - size.height() - 2);
  at.setX(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width())));
  Popup_->move(at);
  Popup_->show();
  Popup_->setFocus(Qt::PopupFocusReason);
}

void TVpDateEditWidget::HideDropDown() {
  if (Popup_ != nullptr) Popup_->hide();
}

void TVpDateEditWidget::FocusField(bool caretToEnd) {
  setFocus(Qt::OtherFocusReason);
  if (caretToEnd) end(false);
}

// --- the field's own input ---

void TVpDateEditWidget::keyPressEvent(QKeyEvent* event) {
  const int key = KeyCodeOf(event->key());
  const char32_t character = TypedCharacter(*event);
  bool used = false;
  GuardedCall([&] {
    used = (key != 0 && Edit_.KeyDown(key, ShiftStateOf(event->modifiers(), Qt::NoButton))) ||
           (character != 0 && Edit_.KeyPress(character));
  });
  if (used) emit Edited();
  else QLineEdit::keyPressEvent(event);
}

void TVpDateEditWidget::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  // A popup (the drop-down, the field's own menu) takes the focus only for a while, and a window
  // that closes or goes to the background is not a field the user left.
  const Qt::FocusReason reason = event->reason();
  if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) Act([this] { Edit_.Exit(); });
}

void TVpDateEditWidget::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  PlaceButton();
}

void TVpDateEditWidget::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() != QEvent::EnabledChange) return;
  if (!isEnabled() && Edit_.DropDownOpen()) GuardedCall([this] { Edit_.CloseDropDown(); });
  SyncButton();
}

void TVpDateEditWidget::PlaceButton() {
  const TRect r = Edit_.ButtonRect(width(), height());
  Button_->setVisible(!r.IsEmpty());
  if (r.IsEmpty()) return;
  // Inside the frame's top and bottom edges; the text ends before the button.
  Button_->setGeometry(r.Left, r.Top + 2, r.Width(), r.Height() - 4);
  setTextMargins(0, 0, width() - r.Left, 0);
}

void TVpDateEditWidget::SyncButton() {
  Button_->setEnabled(isEnabled() && Edit_.ButtonEnabled());
  PlaceButton();
}

// --- the drop-down's input ---

bool TVpDateEditWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched != Popup_) return QLineEdit::eventFilter(watched, event);
  return PopupInput(event);
}

bool TVpDateEditWidget::PopupInput(QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* key = static_cast<QKeyEvent*>(event);
      const int code = KeyCodeOf(key->key());
      const char32_t character = TypedCharacter(*key);
      Act([&] {
        if (code != 0 && Edit_.DropDownKeyDown(code, ShiftStateOf(key->modifiers(), Qt::NoButton))) return;
        if (character != 0) Edit_.DropDownKeyPress(character);
      });
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const std::optional<TMouseButton> button = MouseButtonOf(mouse->button());
      if (!button) return true;
      const TShiftState shift = ShiftStateOf(mouse->modifiers(), mouse->buttons());
      const QPoint at = mouse->position().toPoint();
      // A quick second click counts as a click of its own.
      if (event->type() == QEvent::MouseButtonRelease)
        Act([&] { Edit_.DropDownMouseUp(*button, shift, at.x(), at.y()); });
      else Act([&] { Edit_.DropDownMouseDown(*button, shift, at.x(), at.y()); });
      return true;
    }
    case QEvent::ToolTip: {
      const auto* help = static_cast<QHelpEvent*>(event);
      const TVpCalendar* calendar = Edit_.PopupCalendar();
      const std::string hint = calendar != nullptr ? calendar->ButtonHintAt({help->pos().x(), help->pos().y()}) : "";
      if (hint.empty()) QToolTip::hideText();
      else QToolTip::showText(help->globalPos(), ToQt(hint), Popup_);
      return true;
    }
    case QEvent::Hide:
      // The desktop closed the popup (a press outside it): the drop-down closes.
      if (Edit_.DropDownOpen()) Act([this] { Edit_.CloseDropDown(); });
      return false;
    default: return false;
  }
}
