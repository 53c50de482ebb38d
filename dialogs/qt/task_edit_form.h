#pragma once

#include <QDialog>

#include "dialogs/task/task_edit_dialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TVpDateEditWidget;

// The task window: caption, due date, notes and the "Completed" box with the creation and
// completion dates. It holds no rules of its own; OK closes it only when the due date can be read.
//
// The form must outlive the window.
class TTaskEditForm : public QDialog {
  Q_OBJECT

 public:
  explicit TTaskEditForm(TVpTaskEditRules& form, QWidget* parent = nullptr);

 public slots:
  void done(int result) override;

 private:
  void Build();
  void Confirm();
  // Shows which of the date labels are greyed.
  void ShowDateLabels();

  TVpTaskEditRules& Form_;
  QLineEdit* DescriptionEdit_ = nullptr;
  TVpDateEditWidget* DueDateEdit_ = nullptr;
  QPlainTextEdit* DetailsMemo_ = nullptr;
  QCheckBox* CompleteCB_ = nullptr;
  QLabel* CreatedOnLbl_ = nullptr;
  QLabel* CompletedOnLbl_ = nullptr;
};

// Shows tasks in the task window, modal over the application's active window.
class TQtTaskWindow : public TVpTaskWindow {
 public:
  bool Show(TVpTaskEditRules& form, const std::string& caption, const TVpDialogPlacement& placement,
            TVpDialogOptions options) override;
};
