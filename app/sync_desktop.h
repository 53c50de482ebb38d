#pragma once

#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "app/core/windows/sync_control.h"
#include "app/desktop_services.h"
#include "app/worker_thread.h"
#include "store/flex_data_store.h"
#include "sync/qt/sync_passwords.h"

// The sync of the main window's active resource on the desktop: the accounts file, the keyring,
// the worker thread that runs each sync with its own store and its own connection, the
// questions and the summary in message boxes. The control decides when; this carries it out.
class TSyncDesktop : public TSyncShell {
 public:
  TSyncDesktop(QWidget& window, TQtDesktop& desktop, std::string dataFolder, TVpFlexDataStore& store);

  TSyncControl& Control() { return Control_; }
  TSyncPasswords& Passwords() { return Passwords_; }
  const std::string& DataFolder() const { return DataFolder_; }
  // The account of the store's active resource (see ActiveAccount).
  std::optional<TSyncAccount> AccountOf(int resourceID) const;
  int ActiveResourceID() const;

  // The window's sync panel and its way to the sync page of Preferences.
  std::function<void(const std::string& text, bool busy)> OnStatus;
  std::function<void()> OnOpenPreferences;

  // TSyncShell
  std::optional<TSyncAccount> ActiveAccount() override { return AccountOf(ActiveResourceID()); }
  std::optional<std::string> Password(const TSyncAccount& account, bool mayAsk) override;
  void StartSync(const TSyncAccount& account, const std::string& password, bool restoreServer) override;
  bool Confirm(const std::string& question) override;
  void ReloadStore() override { Store_.ReloadChangedTables(); }
  void ShowSyncStatus(const std::string& text, bool busy) override;
  void ShowSyncSummary(const std::string& text, bool failed) override;
  void OpenSyncPreferences() override;

 private:
  QWidget& Window_;
  TQtDesktop& Desktop_;
  std::string DataFolder_;
  TVpFlexDataStore& Store_;
  TSyncPasswords Passwords_;
  TSyncControl Control_;
  TWorkerThread Worker_;
  TSyncOutcome Outcome_;  // written by the worker, read once it has ended
};
