#pragma once

#include <QLineEdit>
#include <functional>

#include "views/date_edit/date_edit.h"

class QToolButton;
class TVpViewWidget;

// The date field: a one-line text field with a drop-down button inside its right edge, which drops
// the date edit's calendar down below it in a popup window. The widget only carries the date
// edit's logic onto the desktop: typing, keys, the button and leaving the field go to the edit,
// and the edit's requests (show the text, open and close the drop-down, take the focus) are
// carried out here. The calendar in the popup is hosted by the view host widget, which paints it
// and serves its menus; the popup's keys and mouse presses go through the edit's drop-down entry
// points, so that a choice closes it and Escape returns to the date it opened with.
//
// The edit must outlive the widget.
class TVpDateEditWidget : public QLineEdit, public TVpDateEditWindow {
  Q_OBJECT

 public:
  explicit TVpDateEditWidget(TVpDateEdit& edit, QWidget* parent = nullptr);
  ~TVpDateEditWidget() override;

  TVpDateEdit& Edit() const { return Edit_; }
  QToolButton& Button() const { return *Button_; }
  // The popup window while the drop-down has been opened once, else nullptr.
  TVpViewWidget* DropDown() const { return Popup_; }

  // TVpDateEditWindow
  void TextReplaced() override;
  void ShowDropDown(TVpCalendar& calendar) override;
  void HideDropDown() override;
  void FocusField(bool caretToEnd) override;

 signals:
  // The user did something to the field: typed, stepped, chose from the drop-down or left it.
  void Edited();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  // The popup's input, passed to the edit's drop-down entry points.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Runs a command of the edit as one user action: failures go to the error handler, and Edited
  // follows.
  void Act(const std::function<void()>& command);
  bool PopupInput(QEvent* event);
  void PlaceButton();
  void SyncButton();

  TVpDateEdit& Edit_;
  QToolButton* Button_;
  TVpViewWidget* Popup_ = nullptr;
};
