#include "app/sync_desktop.h"

#include <QInputDialog>
#include <QLineEdit>

#include "platform/error_text.h"
#include "platform/qt/qt_text.h"
#include "platform/system_clock.h"
#include "store/headless_services.h"
#include "sync/qt/dav_client.h"
#include "sync/resource_sync.h"

namespace {

// One sync of the account's resource, on the worker thread: its own store on the data folder
// (with services that never reach the desktop from this thread), its own file writer and its own
// connections, opened here and used only here.
TSyncOutcome RunSync(const std::string& dataFolder, const TSyncAccount& account, const std::string& password,
                     const TSyncOptions& options) {
  THeadlessDesktop headless;
  TSystemClock clock;
  TAtomicFileWriter writer;
  // The sync chooses the account's resource itself.
  const TVpExchangeTarget target{dataFolder, {clock, headless, headless, headless, headless, headless}, {}};
  const TDavCredentials credentials{account.ServerUrl, account.UserName, password};
  const TSyncConnect connect = [&](const std::string& url) {
    return OpenDavCollection(credentials, url, url == account.AddressBookUrl ? sikContact : sikEvent);
  };
  try {
    return {false, SyncResource(target, writer, account, connect, options, clock.Now()).Text()};
  } catch (const std::exception& e) {
    return {true, DescribeError(e, "\n")};
  }
}

}  // namespace

TSyncDesktop::TSyncDesktop(QWidget& window, TQtDesktop& desktop, std::string dataFolder, TVpFlexDataStore& store)
    : Window_(window),
      Desktop_(desktop),
      DataFolder_(std::move(dataFolder)),
      Store_(store),
      Control_(*this, desktop.Timers, desktop.Locale) {}

int TSyncDesktop::ActiveResourceID() const {
  const TVpResource* active = Store_.ActiveResource();
  return active != nullptr ? active->ResourceID() : 0;
}

std::optional<TSyncAccount> TSyncDesktop::AccountOf(int resourceID) const {
  if (resourceID == 0) return std::nullopt;
  return TSyncAccounts(DataFolder_, Desktop_.Writer).Of(resourceID);
}

std::optional<std::string> TSyncDesktop::Password(const TSyncAccount& account, bool mayAsk) {
  if (std::optional<std::string> stored = Passwords_.Read(account.ServerUrl, account.UserName)) return stored;
  if (!mayAsk) return std::nullopt;
  bool given = false;
  const QString password = QInputDialog::getText(
      &Window_, "Synchronize", "Password of " + ToQt(account.UserName) + " on " + ToQt(account.ServerUrl) + ":",
      QLineEdit::Password, {}, &given);
  if (!given) return std::nullopt;
  Passwords_.Write(account.ServerUrl, account.UserName, FromQt(password));  // else kept for this run
  return FromQt(password);
}

void TSyncDesktop::StartSync(const TSyncAccount& account, const std::string& password, bool restoreServer) {
  TSyncOptions options;
  options.Policy = account.Policy;
  options.RestoreServer = restoreServer;
  const std::string resource = Store_.ActiveResource() != nullptr ? Store_.ActiveResource()->Description() : "";
  // The question is asked on the window's thread while the sync waits; a program that is ending
  // answers no.
  options.ConfirmMassDeletion = [this, resource](const std::string& question) {
    bool goOn = false;
    Worker_.CallOnOwner(
        [&] { goOn = Desktop_.MessageBoxes.AskYesNo("Synchronizing \"" + resource + "\":\n\n" + question); });
    return goOn;
  };
  options.Progress = [this](double fraction) {
    if (Worker_.Stopping()) throw ESyncError("The sync was stopped: the program is ending.");
    QMetaObject::invokeMethod(
        &Worker_, [this, fraction] { Control_.Progress(fraction); }, Qt::QueuedConnection);
  };
  Worker_.Start([this, account, password, options] { Outcome_ = RunSync(DataFolder_, account, password, options); },
                [this] { Control_.Finished(Outcome_); });
}

bool TSyncDesktop::Confirm(const std::string& question) { return Desktop_.MessageBoxes.AskYesNo(question); }

void TSyncDesktop::ShowSyncStatus(const std::string& text, bool busy) {
  if (OnStatus) OnStatus(text, busy);
}

void TSyncDesktop::ShowSyncSummary(const std::string& text, bool failed) {
  if (failed) Desktop_.MessageBoxes.ShowError("The sync failed.\n\n" + text);
  else Desktop_.MessageBoxes.ShowMessage(text);
}

void TSyncDesktop::OpenSyncPreferences() {
  if (OnOpenPreferences) OnOpenPreferences();
}
