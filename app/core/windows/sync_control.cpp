#include "app/core/windows/sync_control.h"

#include <algorithm>

#include "model/date_format.h"

namespace {

constexpr int kMaxIntervalMinutes = 7 * 24 * 60;
constexpr const char* kBusyText = "Synchronizing...";
constexpr const char* kRestoreQuestion =
    "Put back on the server, as new items, every item here that the server's collection lost since the last "
    "sync?\n\nUse this when a sync stopped before deleting those items here because another program deleted "
    "them on the server.";

}  // namespace

std::string SyncStatusText(const std::optional<TSyncAccount>& account, const TLocale& locale) {
  if (!account) return "";
  if (!account->LastError.empty()) return "Sync failed: " + account->LastError;
  if (account->LastSync <= 0) return "Not synchronized yet";
  return "Last sync: " + FormatShortDate(account->LastSync, locale) + " " + FormatShortTime(account->LastSync, locale);
}

int SyncTimerInterval(const std::optional<TSyncAccount>& account) {
  if (!account || account->IntervalMinutes <= 0) return 0;
  return std::min(account->IntervalMinutes, kMaxIntervalMinutes) * 60 * 1000;
}

TSyncControl::TSyncControl(TSyncShell& shell, TTimerFactory& timers, const TLocale& locale)
    : Shell_(shell), Locale_(locale), Timer_(timers.CreateTimer()) {
  Timer_->OnTimer = [this] { Run(stTimed); };
}

void TSyncControl::Started() {
  const std::optional<TSyncAccount> account = FollowAccount();
  if (account && account->SyncAtStart) Run(stAtStart);
}

void TSyncControl::AccountChanged() { FollowAccount(); }

std::optional<TSyncAccount> TSyncControl::FollowAccount() {
  const std::optional<TSyncAccount> account = Shell_.ActiveAccount();
  const int interval = SyncTimerInterval(account);
  // An unchanged interval keeps its count, so that a preferences OK does not put the sync off.
  if (interval != Timer_->Interval() || !Timer_->Enabled()) {
    Timer_->SetEnabled(false);
    if (interval > 0) {
      Timer_->SetInterval(interval);
      Timer_->SetEnabled(true);
    }
  }
  if (!Running_) ShowStatus(account);
  return account;
}

void TSyncControl::SynchronizeNow() {
  if (!Shell_.ActiveAccount()) {
    Shell_.OpenSyncPreferences();
    return;
  }
  Run(stAsked);
}

void TSyncControl::RestoreServer() {
  if (!Shell_.ActiveAccount()) {
    Shell_.OpenSyncPreferences();
    return;
  }
  if (Running_) {
    Shell_.ShowSyncSummary("A sync is running: restore the server once it has ended.", false);
    return;
  }
  if (Shell_.Confirm(kRestoreQuestion)) Run(stRestore);
}

void TSyncControl::Run(TSyncTrigger trigger) {
  if (Running_) {
    if (trigger == stAsked) Asked_ = true;
    return;
  }
  const std::optional<TSyncAccount> account = Shell_.ActiveAccount();
  if (!account) return;
  // Running already while the password is looked up: the keyring's answer may take a while, and
  // a request meanwhile joins this sync.
  Running_ = true;
  Asked_ = trigger == stAsked || trigger == stRestore;
  try {
    const std::optional<std::string> password = Shell_.Password(*account, Asked_ || !PasswordDeclined_);
    PasswordDeclined_ = !password;
    if (password) {
      Shell_.ShowSyncStatus(kBusyText, true);
      Shell_.StartSync(*account, *password, trigger == stRestore);
      return;
    }
  } catch (...) {
    Running_ = false;
    ShowStatus(Shell_.ActiveAccount());
    throw;
  }
  Running_ = false;
  if (Asked_) Shell_.ShowSyncSummary("The sync did not run: no password was given.", false);
}

void TSyncControl::Progress(double fraction) {
  if (!Running_) return;
  const int percent = std::clamp(static_cast<int>(fraction * 100), 0, 100);
  Shell_.ShowSyncStatus(std::string(kBusyText) + " " + std::to_string(percent) + " %", true);
}

void TSyncControl::Finished(const TSyncOutcome& outcome) {
  Running_ = false;
  Shell_.ReloadStore();
  // A failure the worker met before the account could record it still shows.
  if (outcome.Failed) Shell_.ShowSyncStatus("Sync failed: " + outcome.Text, false);
  else ShowStatus(Shell_.ActiveAccount());
  if (Asked_) Shell_.ShowSyncSummary(outcome.Text, outcome.Failed);
  Asked_ = false;
}

void TSyncControl::ShowStatus(const std::optional<TSyncAccount>& account) {
  Shell_.ShowSyncStatus(SyncStatusText(account, Locale_), false);
}
