#pragma once

#include <QDialog>
#include <array>

#include "dialogs/contact/contact_edit_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTabWidget;

// The contact window: the tabs "Main", "Contact", "Custom" and "Notes". It holds no rules of its
// own: every change goes to the form, and then the controls show the form's state again (the
// address rows, their captions and places, the country and state lists or plain edits, the red
// marks). A country or state that is in no list shows as the list's grey text. OK closes the
// window only when the form can be written; an empty name is reported by the error handler.
//
// The form must outlive the window.
class TContactEditForm : public QDialog {
  Q_OBJECT

 public:
  explicit TContactEditForm(TVpContactEditRules& form, QWidget* parent = nullptr);

  // Shows the form's state in every control.
  void Refresh();

 protected:
  // The rows of the "Main" tab follow its width.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMainTab(QWidget* page);
  QWidget* BuildContactTab();
  QWidget* BuildCustomTab();
  // A plain edit of a field: the user's typing goes to the form.
  QLineEdit* FieldEdit(TVpContactField field, const char* name, QWidget* parent);
  // Runs a rule of the form, then shows the form again.
  void Act(const std::function<void()>& rule);
  void ShowList(QComboBox& list, const std::vector<std::string>& entries, int index, const std::string& text);
  // Places the rows of the "Main" tab by the layout rule, the edits reaching the page's right
  // edge; with fitWindow the window takes the rule's height and a width the page holds the rows in.
  void PlaceMainRows(bool fitWindow);
  void FocusFirstField(int tab);
  void Confirm();

  TVpContactEditRules& Form_;
  QTabWidget* Tabs_ = nullptr;
  QWidget* MainPage_ = nullptr;
  std::array<QLabel*, kContactRowCount> Labels_{};
  std::array<QWidget*, cfFieldCount> Edits_{};  // the plain edit of each text field
  QComboBox* CountryList_ = nullptr;
  QComboBox* StateList_ = nullptr;
  QComboBox* CategoryList_ = nullptr;
  std::array<QComboBox*, TVpContact::kPhoneCount> PhoneTypeLists_{};
  QPlainTextEdit* NotesMemo_ = nullptr;
};

// Shows contacts in the contact window, modal over the application's active window.
class TQtContactWindow : public TVpContactWindow {
 public:
  bool Show(TVpContactEditRules& form, const std::string& caption, const TVpDialogPlacement& placement,
            TVpDialogOptions options) override;
};
