#pragma once

#include <QDialog>

#include "dialogs/resource/select_resource_rules.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The resource edit window: one tab with the description and the notes. OK is enabled only while
// there is a description; it closes the window as Cancel does when nothing was changed, and keeps
// it open with the error when the texts cannot be stored (a name another resource has).
//
// The form must outlive the window.
class TResEditForm : public QDialog {
  Q_OBJECT

 public:
  explicit TResEditForm(TVpResourceEditRules& form, QWidget* parent = nullptr);

 private:
  void Confirm();

  TVpResourceEditRules& Form_;
  QLineEdit* DescriptionEdit_ = nullptr;
  QPlainTextEdit* NotesMemo_ = nullptr;
  QPushButton* OkBtn_ = nullptr;
};

// The resource selection window: the list of resources, which makes the chosen one active at once,
// the buttons that add a resource or edit the active one, and OK and Cancel.
//
// The form must outlive the window.
class TfrmSelectResource : public QDialog {
  Q_OBJECT

 public:
  explicit TfrmSelectResource(TVpSelectResourceRules& form, QWidget* parent = nullptr);
  ~TfrmSelectResource() override;

 private:
  // Shows the list's entries and its selection.
  void ShowResources();

  TVpSelectResourceRules& Form_;
  QComboBox* ResourceCombo_ = nullptr;
  bool Showing_ = false;
};

// Shows resources in the resource edit window, modal over the application's active window.
class TQtResourceEditWindow : public TVpResourceEditWindow {
 public:
  bool Show(TVpResourceEditRules& form, const TVpDialogPlacement& placement, TVpDialogOptions options) override;
};

// Shows the selection window, 284 × 190 pixels, centred, modal over the application's active window.
class TQtSelectResourceWindow : public TVpSelectResourceWindow {
 public:
  bool Show(TVpSelectResourceRules& form) override;
};
