#include "dialogs/qt/resource_windows.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/qt/named_widget.h"
#include "dialogs/qt/window_placement.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_text.h"
#include "platform/scoped_value.h"

namespace {

// OK (the default button) and Cancel at the right of a row; Escape cancels as well.
QPushButton* AddOkCancel(QDialog& window, QBoxLayout& layout) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* ok = Named(new QPushButton("OK", &window), "OkBtn");
  ok->setDefault(true);
  auto* cancel = Named(new QPushButton("Cancel", &window), "CancelBtn");
  QObject::connect(cancel, &QPushButton::clicked, &window, &QDialog::reject);
  row->addWidget(ok);
  row->addWidget(cancel);
  layout.addLayout(row);
  return ok;
}

}  // namespace

TResEditForm::TResEditForm(TVpResourceEditRules& form, QWidget* parent) : QDialog(parent), Form_(form) {
  setObjectName("ResEditForm");
  setWindowTitle("Resource Edit");
  setMinimumSize(400, 250);
  auto* layout = new QVBoxLayout(this);
  auto* tabs = Named(new QTabWidget(this), "tabResource");
  auto* page = new QWidget(tabs);
  auto* grid = new QGridLayout(page);
  auto* picture = Named(new QLabel(page), "ResourcePicture");
  picture->setPixmap(style()->standardIcon(QStyle::SP_ComputerIcon).pixmap(32, 32));
  grid->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(Named(new QLabel("Description:", page), "DescriptionLbl"), 0, 1);
  DescriptionEdit_ = Named(new QLineEdit(ToQt(Form_.Description()), page), "DescriptionEdit");
  DescriptionEdit_->setMaxLength(TVpResourceEditRules::kMaxDescription);
  grid->addWidget(DescriptionEdit_, 0, 2);
  grid->addWidget(Named(new QLabel("Notes:", page), "NotesLbl"), 1, 1, Qt::AlignTop);
  NotesMemo_ = Named(new QPlainTextEdit(ToQt(Form_.Notes()), page), "NotesMemo");
  NotesMemo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  NotesMemo_->setTabChangesFocus(true);
  grid->addWidget(NotesMemo_, 1, 2);
  grid->setRowStretch(1, 1);
  tabs->addTab(page, "Resource");
  layout->addWidget(tabs, 1);
  OkBtn_ = AddOkCancel(*this, *layout);
  OkBtn_->setEnabled(Form_.OkEnabled());

  connect(DescriptionEdit_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Form_.SetDescription(FromQt(text));
    OkBtn_->setEnabled(Form_.OkEnabled());
  });
  connect(NotesMemo_, &QPlainTextEdit::textChanged, this,
          [this] { Form_.SetNotes(FromQt(NotesMemo_->toPlainText())); });
  connect(OkBtn_, &QPushButton::clicked, this, &TResEditForm::Confirm);
  DescriptionEdit_->setFocus();
}

void TResEditForm::Confirm() {
  bool answered = false;
  bool accepted = false;
  GuardedCall([&] {  // a text that cannot be stored is shown, and the window stays open
    accepted = Form_.PressOk();
    answered = true;
  });
  if (!answered) {
    DescriptionEdit_->setFocus();
    return;
  }
  done(accepted ? Accepted : Rejected);
}

TfrmSelectResource::TfrmSelectResource(TVpSelectResourceRules& form, QWidget* parent) : QDialog(parent), Form_(form) {
  setObjectName("frmSelectResource");
  setWindowTitle("Select a Resource");
  setFixedSize(284, 190);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Named(new QLabel("Select a Resource", this), "Label1"));
  ResourceCombo_ = Named(new QComboBox(this), "VpResourceCombo1");
  layout->addWidget(ResourceCombo_);
  auto* add = Named(new QPushButton("Add New Resource", this), "btnAddNew");
  auto* edit = Named(new QPushButton("Edit This Resource", this), "btnEdit");
  layout->addWidget(add);
  layout->addWidget(edit);
  layout->addStretch();
  connect(AddOkCancel(*this, *layout), &QPushButton::clicked, this, &QDialog::accept);

  ShowResources();
  Form_.ResourceList().OnItemsChanged = [this] { ShowResources(); };
  connect(ResourceCombo_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!Showing_) GuardedCall([&] { Form_.ResourceList().SelectItem(index); });
  });
  connect(add, &QPushButton::clicked, this, [this] { GuardedCall([this] { Form_.AddNewResource(); }); });
  connect(edit, &QPushButton::clicked, this, [this] { GuardedCall([this] { Form_.EditThisResource(); }); });
}

TfrmSelectResource::~TfrmSelectResource() { Form_.ResourceList().OnItemsChanged = nullptr; }

void TfrmSelectResource::ShowResources() {
  const TScopedValue showing(Showing_, true);
  ResourceCombo_->clear();
  for (const std::string& description : Form_.ResourceList().Items()) ResourceCombo_->addItem(ToQt(description));
  ResourceCombo_->setCurrentIndex(Form_.ResourceList().ItemIndex());
}

bool TQtResourceEditWindow::Show(TVpResourceEditRules& form, const TVpDialogPlacement& placement,
                                 TVpDialogOptions options) {
  TResEditForm window(form, QApplication::activeWindow());
  ApplyPlacement(window, placement, options);
  return window.exec() == QDialog::Accepted;
}

bool TQtSelectResourceWindow::Show(TVpSelectResourceRules& form) {
  TfrmSelectResource window(form, QApplication::activeWindow());
  ApplyPlacement(window, TVpDialogPlacement{mpCenter, 0, 0, 284, 190}, 0);
  return window.exec() == QDialog::Accepted;
}
