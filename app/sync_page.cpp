#include "app/sync_page.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <memory>

#include "app/sync_desktop.h"
#include "platform/error_text.h"
#include "platform/qt/qt_text.h"
#include "sync/account_setup.h"
#include "sync/dav_url.h"
#include "sync/qt/dav_client.h"

namespace {

std::vector<TSyncCollectionChoice> ChoicesOf(const std::vector<TDavCollection>& collections) {
  std::vector<TSyncCollectionChoice> choices;
  for (const TDavCollection& collection : collections) choices.push_back({collection.Url, collection.DisplayName});
  return choices;
}

void ShowList(QComboBox& box, const TSyncCollectionList& list) {
  const QSignalBlocker blocker(&box);
  box.clear();
  for (const TSyncCollectionChoice& choice : list.Choices) box.addItem(ToQt(choice.Name));
  box.setCurrentIndex(list.Chosen);
}

// A field with its label, whose mnemonic moves the focus to it.
template <class T>
T* AddRow(QFormLayout& form, const char* caption, T* field, const char* name) {
  field->setObjectName(name);
  auto* label = new QLabel(caption);
  label->setBuddy(field);
  form.addRow(label, field);
  return field;
}

}  // namespace

TSyncPage::TSyncPage(TSyncDesktop& sync, TMessageBoxes& messageBoxes, TFileWriter& writer, QWidget* parent)
    : QWidget(parent), Sync_(sync), MessageBoxes_(messageBoxes), Writer_(writer) {
  setObjectName("SyncPage");
  auto* form = new QFormLayout(this);
  form->setVerticalSpacing(4);
  // Created in the order Tab takes them.
  Server_ = AddRow(*form, "&Server:", new QLineEdit, "edSyncServer");
  Server_->setPlaceholderText("https://dav.example.org/");
  User_ = AddRow(*form, "&User name:", new QLineEdit, "edSyncUser");
  Password_ = AddRow(*form, "&Password:", new QLineEdit, "edSyncPassword");
  Password_->setEchoMode(QLineEdit::Password);
  Test_ = new QPushButton("&Test connection");
  Test_->setObjectName("btnSyncTest");
  TestResult_ = new QLabel;
  TestResult_->setObjectName("lblSyncTest");
  TestResult_->setWordWrap(true);
  form->addRow(Test_);
  form->addRow(TestResult_);
  Calendar_ = AddRow(*form, "&Calendar:", new QComboBox, "cbSyncCalendar");
  AddressBook_ = AddRow(*form, "A&ddress book:", new QComboBox, "cbSyncAddressBook");
  Interval_ = AddRow(*form, "&Interval:", new QSpinBox, "seSyncInterval");
  Interval_->setRange(0, 7 * 24 * 60);
  Interval_->setSuffix(" minutes");
  Interval_->setSpecialValueText("Off");
  AtStart_ = new QCheckBox("Synchronize at st&art");
  AtStart_->setObjectName("cbSyncAtStart");
  form->addRow(AtStart_);
  Policy_ = AddRow(*form, "Co&nflicts:", new QComboBox, "cbSyncPolicy");
  Policy_->addItems({"Keep both", "Server's version wins", "Ours wins"});  // TSyncConflictPolicy's order
  connect(Test_, &QPushButton::clicked, this, [this] { TestConnection(); });
}

void TSyncPage::Showing() {
  ResourceID_ = Sync_.ActiveResourceID();
  setEnabled(ResourceID_ != 0);
  Logic_.Load(Sync_.AccountOf(ResourceID_));
  LoadedPassword_.reset();
  if (!Logic_.ServerUrl.empty()) LoadedPassword_ = Sync_.Passwords().Read(Logic_.ServerUrl, Logic_.UserName);
  Password_->setText(ToQt(LoadedPassword_.value_or("")));
  TestResult_->setText(ResourceID_ != 0 ? "" : "There is no resource to synchronize.");
  ShowState();
}

void TSyncPage::ShowState() {
  Server_->setText(ToQt(Logic_.ServerUrl));
  User_->setText(ToQt(Logic_.UserName));
  ShowList(*Calendar_, Logic_.Calendars);
  ShowList(*AddressBook_, Logic_.AddressBooks);
  Interval_->setValue(Logic_.IntervalMinutes);
  AtStart_->setChecked(Logic_.SyncAtStart);
  Policy_->setCurrentIndex(Logic_.Policy);
}

void TSyncPage::TakeFields() {
  // A user name and password typed into the address go to their own fields, never into the
  // address that is kept.
  const TDavTypedAddress typed = SplitDavUserInfo(FromQt(Server_->text()));
  if (typed.UserName) {
    Server_->setText(ToQt(typed.Url));
    User_->setText(ToQt(*typed.UserName));
  }
  if (typed.Password) Password_->setText(ToQt(*typed.Password));
  Logic_.ServerUrl = FromQt(Server_->text());
  Logic_.UserName = FromQt(User_->text());
  Logic_.Calendars.Chosen = std::max(Calendar_->currentIndex(), 0);
  Logic_.AddressBooks.Chosen = std::max(AddressBook_->currentIndex(), 0);
  Logic_.IntervalMinutes = Interval_->value();
  Logic_.SyncAtStart = AtStart_->isChecked();
  Logic_.Policy = static_cast<TSyncConflictPolicy>(std::max(Policy_->currentIndex(), 0));
}

void TSyncPage::TestConnection() {
  TakeFields();
  struct TTest {
    TDavCredentials Credentials;
    TDavDiscovery Found;
    std::string Error;
  };
  auto test = std::make_shared<TTest>();
  test->Credentials = {FromQt(Server_->text().trimmed()), FromQt(User_->text().trimmed()), FromQt(Password_->text())};
  if (test->Credentials.ServerUrl.empty()) {
    TestResult_->setText("Enter the server's address first.");
    return;
  }
  const bool started = Tester_.Start(
      [test] {
        try {
          test->Found = DiscoverCollections(test->Credentials);
        } catch (const std::exception& e) {
          test->Error = DescribeError(e, " ");
        }
      },
      [this, test] {
        Test_->setEnabled(true);
        if (!test->Error.empty()) {
          TestResult_->setText("Connection failed: " + ToQt(test->Error));
          return;
        }
        TakeFields();
        Logic_.SetFound(ChoicesOf(test->Found.Calendars), ChoicesOf(test->Found.AddressBooks));
        ShowState();
        TestResult_->setText(ToQt(DiscoveryText(test->Found.Calendars.size(), test->Found.AddressBooks.size())));
      });
  if (!started) return;
  Test_->setEnabled(false);
  TestResult_->setText("Connecting to " + ToQt(test->Credentials.ServerUrl) + "...");
}

bool TSyncPage::Check() {
  if (ResourceID_ == 0) return true;
  TakeFields();
  std::string problem = Logic_.Problem();
  // The running sync would record its end in the account it started with.
  if (problem.empty() && Sync_.Control().Running() && Logic_.Edited(ResourceID_))
    problem = "A sync is running: change the account once it has ended.";
  if (problem.empty()) return true;
  MessageBoxes_.ShowError(problem);
  return false;
}

void TSyncPage::Ok() {
  if (ResourceID_ == 0) return;
  TakeFields();
  std::optional<TSyncAccount> account = Logic_.Account(ResourceID_);
  if (Logic_.Edited(ResourceID_)) StoreAccount(account);
  if (!account) return;
  const std::string password = FromQt(Password_->text());
  if (password.empty()) {
    if (LoadedPassword_) Sync_.Passwords().Forget(account->ServerUrl, account->UserName);
  } else if (Sync_.Passwords().Read(account->ServerUrl, account->UserName) != password &&
             !Sync_.Passwords().Write(account->ServerUrl, account->UserName, password)) {
    MessageBoxes_.ShowMessage(
        "There is no keyring on this desktop: the password is kept only until Koret ends, and asked for at the "
        "next start.");
  }
}

void TSyncPage::StoreAccount(std::optional<TSyncAccount> account) {
  if (!account) {
    TSyncAccounts(Sync_.DataFolder(), Writer_).Remove(ResourceID_);
  } else {
    // What the last syncs recorded comes from the file as it is now: one may have ended while
    // the window showed.
    if (const std::optional<TSyncAccount> stored = Sync_.AccountOf(ResourceID_)) {
      account->LastSync = stored->LastSync;
      account->LastError = stored->LastError;
    }
    StoreSyncAccountSetUp(Sync_.DataFolder(), Writer_, *account);
  }
  Sync_.Control().AccountChanged();
}
