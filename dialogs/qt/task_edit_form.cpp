#include "dialogs/qt/task_edit_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/qt/named_widget.h"
#include "dialogs/qt/window_placement.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_text.h"
#include "views/qt/date_edit_widget.h"

TTaskEditForm::TTaskEditForm(TVpTaskEditRules& form, QWidget* parent) : QDialog(parent), Form_(form) {
  setObjectName("TaskEditForm");
  Build();
  DescriptionEdit_->setFocus();
}

void TTaskEditForm::Build() {
  setFixedSize(372, 314);
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  DescriptionEdit_ = Named(new QLineEdit(ToQt(Form_.Description()), this), "DescriptionEdit");
  DescriptionEdit_->setMaxLength(255);
  DescriptionEdit_->setFixedWidth(153);
  grid->addWidget(Named(new QLabel("Caption:", this), "TeLabel3"), 0, 0);
  grid->addWidget(DescriptionEdit_, 0, 1, Qt::AlignLeft);
  DueDateEdit_ = Named(new TVpDateEditWidget(Form_.DueDate(), this), "DueDateEdit");
  grid->addWidget(Named(new QLabel("Due Date:", this), "DueDateLbl"), 1, 0);
  grid->addWidget(DueDateEdit_, 1, 1, Qt::AlignLeft);
  layout->addLayout(grid);

  auto* notes = Named(new QGroupBox("Notes", this), "TeGroupBox1");
  auto* notesLayout = new QVBoxLayout(notes);
  DetailsMemo_ = Named(new QPlainTextEdit(ToQt(Form_.Details()), notes), "DetailsMemo");
  DetailsMemo_->setTabChangesFocus(true);
  notesLayout->addWidget(DetailsMemo_);
  layout->addWidget(notes, 1);

  auto* complete = Named(new QGroupBox(this), "CompleteGroup");
  auto* completeLayout = new QHBoxLayout(complete);
  CompleteCB_ = Named(new QCheckBox("Completed", complete), "CompleteCB");
  CompleteCB_->setChecked(Form_.Complete());
  CreatedOnLbl_ = Named(new QLabel(ToQt(Form_.CreatedOnText()), complete), "CreatedOnLbl");
  CompletedOnLbl_ = Named(new QLabel(ToQt(Form_.CompletedOnText()), complete), "CompletedOnLbl");
  CompletedOnLbl_->setVisible(Form_.CompletedOnVisible());
  completeLayout->addWidget(CompleteCB_);
  completeLayout->addWidget(CreatedOnLbl_);
  completeLayout->addStretch();
  completeLayout->addWidget(CompletedOnLbl_);
  layout->addWidget(complete);
  ShowDateLabels();

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = Named(new QPushButton("OK", this), "OkBtn");
  ok->setDefault(true);
  auto* cancel = Named(new QPushButton("Cancel", this), "CancelBtn");
  // A click leaves the focus in a date field being typed in, so OK reads what was typed.
  for (QPushButton* button : {ok, cancel}) {
    button->setFocusPolicy(Qt::TabFocus);
    buttons->addWidget(button);
  }
  layout->addLayout(buttons);

  connect(DescriptionEdit_, &QLineEdit::textEdited, this,
          [this](const QString& text) { Form_.SetDescription(FromQt(text)); });
  connect(DetailsMemo_, &QPlainTextEdit::textChanged, this,
          [this] { Form_.SetDetails(FromQt(DetailsMemo_->toPlainText())); });
  connect(CompleteCB_, &QCheckBox::toggled, this, [this](bool on) {
    Form_.SetComplete(on);
    ShowDateLabels();
  });
  connect(ok, &QPushButton::clicked, this, &TTaskEditForm::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TTaskEditForm::ShowDateLabels() {
  CreatedOnLbl_->setEnabled(Form_.DateLabelsEnabled());
  CompletedOnLbl_->setEnabled(Form_.DateLabelsEnabled());
}

void TTaskEditForm::Confirm() {
  const std::string error = Form_.DueDate().TextError();
  if (!error.empty()) {
    DueDateEdit_->setFocus();
    GuardedCall([&] { Form_.DueDate().Exit(); });  // shows why the date cannot be read
    return;
  }
  accept();
}

void TTaskEditForm::done(int result) {
  // Closing closes an open drop-down of the due date first.
  GuardedCall([this] { Form_.DueDate().CloseDropDown(); });
  QDialog::done(result);
}

bool TQtTaskWindow::Show(TVpTaskEditRules& form, const std::string& caption, const TVpDialogPlacement& placement,
                         TVpDialogOptions options) {
  TTaskEditForm window(form, QApplication::activeWindow());
  window.setWindowTitle(ToQt(caption));
  ApplyPlacement(window, placement, options);
  return window.exec() == QDialog::Accepted;
}
