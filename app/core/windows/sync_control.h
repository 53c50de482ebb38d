#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/locale.h"
#include "platform/timer.h"
#include "sync/sync_account.h"

// Why a sync of the active resource runs.
enum TSyncTrigger {
  stAsked,    // File > "Synchronize Now"
  stAtStart,  // the account asks for a sync when the organizer starts
  stTimed,    // the account's interval came round
  stRestore   // File > "Restore Server from Here...": a sync that puts back what the server lost
};

// How a sync ended, as the worker hands it back: the summary for the user, or the error.
struct TSyncOutcome {
  bool Failed = false;
  std::string Text;
};

// What the sync control asks of the main window and the desktop.
class TSyncShell {
 public:
  virtual ~TSyncShell() = default;
  // The sync account of the active resource as the accounts file holds it now; none without an
  // active resource or an account.
  virtual std::optional<TSyncAccount> ActiveAccount() = 0;
  // The account's password (from the keyring, or given earlier in this run); when none is known
  // and mayAsk, the user is asked. None when there is still none.
  virtual std::optional<std::string> Password(const TSyncAccount& account, bool mayAsk) = 0;
  // Starts the sync of the account on a worker thread; its end comes back through
  // TSyncControl::Finished on this thread, its progress through Progress. restoreServer: the
  // items here that the server lost since the last sync go up again instead of being deleted here.
  virtual void StartSync(const TSyncAccount& account, const std::string& password, bool restoreServer) = 0;
  // A question to the user; true for Yes.
  virtual bool Confirm(const std::string& question) = 0;
  // The window's records take what the sync wrote to the data files.
  virtual void ReloadStore() = 0;
  // The status bar's sync panel: the text ("" hides it), busy while a sync runs.
  virtual void ShowSyncStatus(const std::string& text, bool busy) = 0;
  // The summary (or the error) of a sync the user asked for.
  virtual void ShowSyncSummary(const std::string& text, bool failed) = 0;
  // Preferences on the sync page, to set up an account.
  virtual void OpenSyncPreferences() = 0;
};

// The status bar's text for the account: its last sync's time or error ("" without an account).
std::string SyncStatusText(const std::optional<TSyncAccount>& account, const TLocale& locale);
// The timer interval of the account's sync in milliseconds, 0 for none; at most a week.
int SyncTimerInterval(const std::optional<TSyncAccount>& account);

// When the active resource syncs: on request, at start and on the account's interval, one sync
// at a time. A request while a sync runs joins it (its summary is shown when it ends); a timed
// one is dropped. Everything here runs on the user-interface thread.
class TSyncControl {
 public:
  TSyncControl(TSyncShell& shell, TTimerFactory& timers, const TLocale& locale);

  // The window shows with its data connected: the status bar, the interval, and the sync at start
  // when the account asks for it.
  void Started();
  // The account or the active resource changed: the status bar and the interval follow.
  void AccountChanged();
  // File > "Synchronize Now": without an account, the sync page of Preferences.
  void SynchronizeNow();
  // File > "Restore Server from Here...": after the user agrees, a sync that uploads again, as new
  // items, the items here that the server lost (the way back after a mass deletion was refused).
  void RestoreServer();
  // How far the running sync has come (0 to 1).
  void Progress(double fraction);
  // The running sync ended.
  void Finished(const TSyncOutcome& outcome);
  bool Running() const { return Running_; }

 private:
  void Run(TSyncTrigger trigger);
  // Sets the interval and the status bar after the account; returns it.
  std::optional<TSyncAccount> FollowAccount();
  void ShowStatus(const std::optional<TSyncAccount>& account);

  TSyncShell& Shell_;
  const TLocale& Locale_;
  std::unique_ptr<TTimer> Timer_;
  bool Running_ = false;
  bool Asked_ = false;  // the running sync's summary is shown at its end
  // The user gave no password when asked: syncs that come by themselves do not ask again.
  bool PasswordDeclined_ = false;
};
