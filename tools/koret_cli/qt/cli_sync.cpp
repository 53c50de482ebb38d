#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "platform/error_text.h"
#include "sync/account_setup.h"
#include "sync/dav_url.h"
#include "sync/qt/dav_client.h"
#include "sync/qt/sync_passwords.h"
#include "sync/resource_sync.h"
#include "tools/koret_cli/sync_command.h"

namespace {

// Qt's network access runs on an event loop, which needs an application object: koret-cli makes
// one when it syncs.
class TCoreForSync {
 public:
  TCoreForSync() {
    if (QCoreApplication::instance() == nullptr) Application_ = std::make_unique<QCoreApplication>(Argc_, Argv_);
  }

 private:
  int Argc_ = 1;
  char Name_[10] = "koret-cli";
  char* Argv_[2] = {Name_, nullptr};
  std::unique_ptr<QCoreApplication> Application_;
};

TSyncConflictPolicy PolicyNamed(const std::string& name) {
  if (name == "keep-both") return scpKeepBoth;
  if (name == "server-wins") return scpServerWins;
  if (name == "ours-wins") return scpOursWins;
  throw EUsage("--policy must be keep-both, server-wins or ours-wins, not \"" + ValueExcerpt(name) + "\"");
}

bool OnTerminal() { return isatty(STDIN_FILENO) == 1; }

// A line typed on the terminal without showing it.
std::string ReadHidden() {
  termios shown{};
  const bool hidden = tcgetattr(STDIN_FILENO, &shown) == 0;
  if (hidden) {
    termios quiet = shown;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
  }
  std::string line;
  std::getline(std::cin, line);
  if (hidden) tcsetattr(STDIN_FILENO, TCSANOW, &shown);
  std::cerr << '\n';
  return line;
}

// The password: KORET_SYNC_PASSWORD when it is set, else the keyring's, else typed on the terminal.
std::string Password(const std::string& serverUrl, const std::string& userName) {
  if (const char* given = std::getenv("KORET_SYNC_PASSWORD")) return given;
  if (std::optional<std::string> stored = TSyncPasswords().Read(serverUrl, userName)) return *stored;
  if (!OnTerminal())
    throw std::runtime_error("no password for \"" + userName + "\" on " + serverUrl +
                             ": set KORET_SYNC_PASSWORD or keep it in the keyring (the organizer's sync settings)");
  std::cerr << "Password of \"" << userName << "\" on " << serverUrl << ": " << std::flush;
  return ReadHidden();
}

// The URL of the collection named with the option (by its display name), else of the first found;
// empty when none is found.
std::string ChosenUrl(const std::vector<TDavCollection>& found, const TCliOptions& options, const std::string& option,
                      const std::string& kind) {
  const auto named = options.find(option);
  if (named == options.end()) return found.empty() ? "" : found.front().Url;
  std::string names;
  for (const TDavCollection& collection : found) {
    if (collection.DisplayName == named->second) return collection.Url;
    names += (names.empty() ? "\"" : ", \"") + collection.DisplayName + "\"";
  }
  throw std::runtime_error("the server has no " + kind + " named \"" + ValueExcerpt(named->second) + "\" (" +
                           (found.empty() ? "it has none" : "it has " + names) + ")");
}

// The account --url, --user, --calendar and --addressbook give, asked of the server: its server,
// user and collections. A user name and password in the URL are the credentials of this run; the
// password goes to the keyring once the server took it, and the URL is kept without them.
TSyncAccount DiscoveredAccount(const TCliOptions& options, const TCliContext& context, TDavCredentials& credentials) {
  const TDavTypedAddress typed = SplitDavUserInfo(Required(options, "url"));
  const auto user = options.find("user");
  if (user == options.end() && !typed.UserName) throw EUsage("--url needs --user NAME, or a user name in the URL");
  if (user != options.end() && typed.UserName && *typed.UserName != user->second)
    throw EUsage("--user and the user name in the URL differ");
  credentials.ServerUrl = typed.Url;
  credentials.UserName = user != options.end() ? user->second : *typed.UserName;
  credentials.Password = typed.Password ? *typed.Password : Password(credentials.ServerUrl, credentials.UserName);
  const TDavDiscovery found = DiscoverCollections(credentials);
  if (typed.Password && !TSyncPasswords().Write(credentials.ServerUrl, credentials.UserName, credentials.Password))
    context.Err << "koret-cli: there is no keyring to keep the password in; it was used for this run only.\n";
  if (found.Calendars.empty() && found.AddressBooks.empty())
    throw std::runtime_error("the server has no calendar and no address book for \"" + credentials.UserName + "\"");
  TSyncAccount account;
  account.ServerUrl = credentials.ServerUrl;
  account.UserName = credentials.UserName;
  account.CalendarUrl = ChosenUrl(found.Calendars, options, "calendar", "calendar");
  account.AddressBookUrl = ChosenUrl(found.AddressBooks, options, "addressbook", "address book");
  return account;
}

// The ID of the resource to sync; setting up makes the folder's first resource when it has none,
// as an import does.
int ResourceToSync(TCliExchange& exchange, const TCliContext& context, bool settingUp) {
  TVpExchangeSession session(exchange.Target, exchange.Writer);
  const TVpResource* resource =
      settingUp ? session.WhileWriting(true, [](TVpResource&) {}) : ChooseResource(session.Store(), context);
  if (resource == nullptr) throw std::runtime_error("the folder has no resource to sync");
  return resource->ResourceID();
}

// Asked before deleting many items on one side: --yes goes on, the terminal is asked, else the
// sync stops.
bool ConfirmMassDeletion(const TCliContext& context, const std::string& question) {
  if (context.Options.count("yes")) return true;
  if (!OnTerminal()) {
    context.Err << "koret-cli: " << question << "\nkoret-cli: nothing was changed; --yes goes on.\n";
    return false;
  }
  context.Err << question << " Go on? [y/N] " << std::flush;
  std::string answer;
  std::getline(std::cin, answer);
  return answer == "y" || answer == "Y" || answer == "yes";
}

int Sync(const TCliContext& context, std::ostream& out) {
  const TCliOptions& options = context.Options;
  const bool settingUp = options.count("url") > 0;
  if (!settingUp && (options.count("user") || options.count("calendar") || options.count("addressbook")))
    throw EUsage("--user, --calendar and --addressbook need --url");
  const auto policy = options.find("policy");
  if (policy != options.end()) PolicyNamed(policy->second);

  TCoreForSync core;
  TCliExchange exchange(context);
  // Setting up asks the server first, so that a refused set-up changes no file.
  TDavCredentials credentials;
  std::optional<TSyncAccount> found;
  if (settingUp) found = DiscoveredAccount(options, context, credentials);
  const int resourceID = ResourceToSync(exchange, context, settingUp);
  const std::string& dataFolder = exchange.Target.DataFolder;
  std::optional<TSyncAccount> account = TSyncAccounts(dataFolder, exchange.Writer).Of(resourceID);
  if (found) {
    // A changed account keeps its other settings.
    TSyncAccount changed = account.value_or(TSyncAccount{});
    changed.ResourceID = resourceID;
    changed.ServerUrl = found->ServerUrl;
    changed.UserName = found->UserName;
    changed.CalendarUrl = found->CalendarUrl;
    changed.AddressBookUrl = found->AddressBookUrl;
    account = changed;
  } else if (!account) {
    throw std::runtime_error("the resource has no sync account: set one up with --url URL --user NAME");
  } else {
    credentials = {account->ServerUrl, account->UserName, Password(account->ServerUrl, account->UserName)};
  }
  if (policy != options.end()) account->Policy = PolicyNamed(policy->second);
  if (settingUp || policy != options.end()) StoreSyncAccountSetUp(dataFolder, exchange.Writer, *account);

  TSyncOptions syncOptions;
  syncOptions.Policy = account->Policy;
  syncOptions.RestoreServer = options.count("restore-server") > 0;
  syncOptions.ConfirmMassDeletion = [&](const std::string& question) { return ConfirmMassDeletion(context, question); };
  const TSyncConnect connect = [&](const std::string& url) {
    return OpenDavCollection(credentials, url, url == account->CalendarUrl ? sikEvent : sikContact);
  };
  const TSyncResourceResult result =
      SyncResource(exchange.Target, exchange.Writer, *account, connect, syncOptions, exchange.Clock.Now());
  out << result.Text();
  if (result.Calendar.StoppedBeforeMassDeletion || result.AddressBook.StoppedBeforeMassDeletion) return 1;
  return 0;
}

}  // namespace

TCliCommand DesktopSyncCommand() { return Sync; }
