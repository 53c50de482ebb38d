#include "dialogs/qt/contact_edit_form.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/qt/field_mark.h"
#include "dialogs/qt/named_widget.h"
#include "dialogs/qt/window_placement.h"
#include "platform/qt/command_guard.h"
#include "platform/qt/qt_text.h"

namespace {

constexpr std::array<const char*, kContactRowCount> kLabelNames = {
    "NameLbl", "TitleLbl",   "AddrLbl",    "CityLbl",     "StateLbl",
    "ZipLbl",  "CountryLbl", "CompanyLbl", "PositionLbl", "CategoryLbl"};
// The height of a row's control on the "Main" tab.
constexpr int kControlHeight = 21;

QComboBox* List(const std::vector<std::string>& entries, const char* name, QWidget* parent) {
  auto* list = Named(new QComboBox(parent), name);
  for (const std::string& entry : entries) list->addItem(ToQt(entry));
  return list;
}

}  // namespace

TContactEditForm::TContactEditForm(TVpContactEditRules& form, QWidget* parent) : QDialog(parent), Form_(form) {
  setObjectName("ContactEditForm");
  auto* layout = new QVBoxLayout(this);
  Tabs_ = Named(new QTabWidget(this), "tabContact");
  MainPage_ = new QWidget(Tabs_);
  BuildMainTab(MainPage_);
  MainPage_->installEventFilter(this);
  Tabs_->addTab(MainPage_, "Main");
  Tabs_->addTab(BuildContactTab(), "Contact");
  Tabs_->addTab(BuildCustomTab(), "Custom");
  NotesMemo_ = Named(new QPlainTextEdit(ToQt(Form_.Text(cfNote)), Tabs_), "NoteEdit");
  NotesMemo_->setTabChangesFocus(true);
  Edits_[cfNote] = NotesMemo_;
  Tabs_->addTab(NotesMemo_, "Notes");
  layout->addWidget(Tabs_, 1);
  connect(NotesMemo_, &QPlainTextEdit::textChanged, this,
          [this] { Form_.SetText(cfNote, FromQt(NotesMemo_->toPlainText())); });
  connect(Tabs_, &QTabWidget::currentChanged, this, &TContactEditForm::FocusFirstField);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = Named(new QPushButton("OK", this), "OKBtn");
  ok->setDefault(true);
  auto* cancel = Named(new QPushButton("Cancel", this), "CancelBtn");
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, &TContactEditForm::Confirm);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  Refresh();
  Edits_[cfName]->setFocus();
}

QLineEdit* TContactEditForm::FieldEdit(TVpContactField field, const char* name, QWidget* parent) {
  auto* edit = Named(new QLineEdit(ToQt(Form_.Text(field)), parent), name);
  Edits_[field] = edit;
  connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
    Form_.SetText(field, FromQt(text));
    if (field == cfName) static_cast<QLineEdit*>(Edits_[cfName])->setMaxLength(Form_.NameMaxLength());
    ShowFieldMark(*Edits_[field], false, "");
  });
  return edit;
}

void TContactEditForm::BuildMainTab(QWidget* page) {
  for (int row = 0; row < kContactRowCount; ++row)
    Labels_[static_cast<size_t>(row)] = Named(new QLabel(page), kLabelNames[static_cast<size_t>(row)]);
  FieldEdit(cfName, "NameEdit", page);
  FieldEdit(cfTitle, "TitleEdit", page);
  FieldEdit(cfAddress, "AddressEdit", page);
  FieldEdit(cfCity, "CityEdit", page);
  FieldEdit(cfState, "StateEdit", page);
  FieldEdit(cfZip, "ZipCodeEdit", page);
  FieldEdit(cfCountry, "edtCountry", page);
  FieldEdit(cfCompany, "CompanyEdit", page);
  FieldEdit(cfPosition, "PositionEdit", page);
  CountryList_ = List(Form_.CountryNames(), "cboxCountry", page);
  StateList_ = List({}, "cboxState", page);
  CategoryList_ = List(TVpContactEditRules::CategoryNames(), "cboxCategory", page);
  connect(CountryList_, &QComboBox::activated, this, [this](int index) { Act([&] { Form_.SelectCountry(index); }); });
  connect(StateList_, &QComboBox::activated, this, [this](int index) { Act([&] { Form_.SelectState(index); }); });
  connect(CategoryList_, &QComboBox::activated, this, [this](int index) { Act([&] { Form_.SelectCategory(index); }); });
}

QWidget* TContactEditForm::BuildContactTab() {
  auto* page = new QWidget(Tabs_);
  auto* grid = new QGridLayout(page);
  for (int number = 1; number <= TVpContact::kPhoneCount; ++number) {
    const std::string suffix = std::to_string(number);
    QComboBox*& kind = PhoneTypeLists_[static_cast<size_t>(number - 1)];
    kind = List(TVpContactEditRules::PhoneTypeNames(), "", page);
    kind->setObjectName(ToQt("cboxPhoneLbl" + suffix));
    connect(kind, &QComboBox::activated, this,
            [this, number](int index) { Act([&] { Form_.SelectPhoneType(number, index); }); });
    grid->addWidget(kind, number - 1, 0);
    QLineEdit* edit = FieldEdit(PhoneField(number), "", page);
    edit->setObjectName(ToQt("PhoneEdit" + suffix));
    grid->addWidget(edit, number - 1, 1);
  }
  grid->addWidget(Named(new QLabel("E-Mail", page), "EMailLbl"), TVpContact::kPhoneCount, 0);
  grid->addWidget(FieldEdit(cfEMail, "EMailEdit", page), TVpContact::kPhoneCount, 1);
  grid->setRowStretch(TVpContact::kPhoneCount + 1, 1);
  return page;
}

QWidget* TContactEditForm::BuildCustomTab() {
  auto* page = new QWidget(Tabs_);
  auto* grid = new QGridLayout(page);
  for (int number = 1; number <= TVpContact::kCustomCount; ++number) {
    const std::string suffix = std::to_string(number);
    grid->addWidget(new QLabel(ToQt("Custom " + suffix), page), number - 1, 0);
    QLineEdit* edit = FieldEdit(CustomField(number), "", page);
    edit->setObjectName(ToQt("CustomEdit" + suffix));
    grid->addWidget(edit, number - 1, 1);
  }
  grid->setRowStretch(TVpContact::kCustomCount, 1);
  return page;
}

void TContactEditForm::Act(const std::function<void()>& rule) {
  GuardedCall(rule);
  Refresh();
}

void TContactEditForm::ShowList(QComboBox& list, const std::vector<std::string>& entries, int index,
                                const std::string& text) {
  QStringList items;
  for (const std::string& entry : entries) items << ToQt(entry);
  QStringList shown;
  for (int i = 0; i < list.count(); ++i) shown << list.itemText(i);
  if (shown != items) {
    list.clear();
    list.addItems(items);
  }
  list.setCurrentIndex(index);
  // A value that is in no list is kept; the list shows it as its grey text.
  list.setPlaceholderText(index < 0 ? ToQt(text) : QString());
}

void TContactEditForm::Refresh() {
  for (int row = 0; row < kContactRowCount; ++row)
    Labels_[static_cast<size_t>(row)]->setText(ToQt(Form_.Caption(static_cast<TVpContactField>(row))));
  for (int field = cfName; field < cfFieldCount; ++field) {
    if (field == cfCategory || field == cfNote) continue;
    auto* edit = static_cast<QLineEdit*>(Edits_[static_cast<size_t>(field)]);
    const QString text = ToQt(Form_.Text(static_cast<TVpContactField>(field)));
    if (edit->text() != text) edit->setText(text);
  }
  static_cast<QLineEdit*>(Edits_[cfName])->setMaxLength(Form_.NameMaxLength());
  ShowList(*CountryList_, Form_.CountryNames(), Form_.CountryIndex(), Form_.Text(cfCountry));
  ShowList(*StateList_, Form_.StateNames(), Form_.StateIndex(), Form_.Text(cfState));
  CategoryList_->setCurrentIndex(Form_.CategoryIndex());
  for (int number = 1; number <= TVpContact::kPhoneCount; ++number)
    PhoneTypeLists_[static_cast<size_t>(number - 1)]->setCurrentIndex(Form_.PhoneTypeIndex(number));
  for (int field = cfName; field < cfFieldCount; ++field) {
    if (field == cfCategory) continue;
    const auto f = static_cast<TVpContactField>(field);
    ShowFieldMark(*Edits_[static_cast<size_t>(field)], Form_.Marked(f), Form_.MarkText(f));
  }
  PlaceMainRows(true);
}

bool TContactEditForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == MainPage_ && event->type() == QEvent::Resize) PlaceMainRows(false);
  return QDialog::eventFilter(watched, event);
}

void TContactEditForm::PlaceMainRows(bool fitWindow) {
  const QFontMetrics labelFont(Labels_[0]->font());
  const QFontMetrics listFont(CountryList_->font());
  const TVpContactLayout layout =
      Form_.Layout([&](const std::string& text) { return labelFont.horizontalAdvance(ToQt(text)); },
                   [&](const std::string& text) { return listFont.horizontalAdvance(ToQt(text)); });
  const int editWidth =
      std::max(MainPage_->width(), layout.Width) - layout.ControlLeft - 2 * TVpContactLayout::kLabelLeft;
  const auto place = [&](QWidget* control, int top, int width) {
    control->setVisible(top >= 0);
    if (top >= 0) control->setGeometry(layout.ControlLeft, top, width, kControlHeight);
  };
  for (int row = 0; row < kContactRowCount; ++row) {
    const int top = layout.ControlTop[static_cast<size_t>(row)];
    QLabel* label = Labels_[static_cast<size_t>(row)];
    label->setVisible(top >= 0);
    if (top >= 0) label->setGeometry(TVpContactLayout::kLabelLeft, top + 2, layout.LabelWidth, kControlHeight - 4);
    const auto field = static_cast<TVpContactField>(row);
    if (field == cfCountry) {
      place(CountryList_, Form_.UsesLists() ? top : -1, layout.CountryListWidth);
      place(Edits_[cfCountry], Form_.UsesLists() ? -1 : top, editWidth);
    } else if (field == cfState) {
      place(StateList_, Form_.StateListShown() ? top : -1, layout.StateListWidth);
      place(Edits_[cfState], Form_.StateListShown() ? -1 : top, editWidth);
    } else if (field == cfCategory) {
      place(CategoryList_, top, editWidth);
    } else {
      place(Edits_[static_cast<size_t>(row)], top, editWidth);
    }
  }
  if (!fitWindow) return;
  // The rule's height is the window's; the page holds at least every row shown.
  const int lastTop = *std::max_element(layout.ControlTop.begin(), layout.ControlTop.end());
  MainPage_->setMinimumSize(layout.Width, lastTop + kControlHeight + 4);
  this->layout()->activate();
  resize(std::max(width(), minimumWidth()), std::max(minimumHeight(), layout.Height));
}

void TContactEditForm::FocusFirstField(int tab) {
  QWidget* first[] = {Edits_[cfName], Edits_[cfPhone1], Edits_[cfCustom1], NotesMemo_};
  if (tab >= 0 && tab < 4) first[tab]->setFocus();
}

void TContactEditForm::Confirm() {
  bool valid = false;
  GuardedCall([&] { valid = Form_.Validate(); });
  Refresh();
  if (valid) accept();
}

bool TQtContactWindow::Show(TVpContactEditRules& form, const std::string& caption, const TVpDialogPlacement& placement,
                            TVpDialogOptions options) {
  TContactEditForm window(form, QApplication::activeWindow());
  window.setWindowTitle(ToQt(caption));
  ApplyPlacement(window, placement, options);
  window.Refresh();  // the layout rule decides the size
  return window.exec() == QDialog::Accepted;
}
