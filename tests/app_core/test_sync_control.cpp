#include <gtest/gtest.h>

#include "app/core/windows/sync_control.h"
#include "model/day_number.h"
#include "platform/english_locale.h"
#include "tests/support/fake_timers.h"

namespace {

constexpr std::int64_t kMinute = 60 * 1000;

// The window and the desktop as a record of what the control asked of them. A started sync runs
// until the test finishes it.
class TFakeSyncShell : public TSyncShell {
 public:
  std::optional<TSyncAccount> ActiveAccount() override { return Account; }
  std::optional<std::string> Password(const TSyncAccount&, bool mayAsk) override {
    if (!KnownPassword.empty()) return KnownPassword;
    Asked.push_back(mayAsk);
    return std::nullopt;
  }
  void StartSync(const TSyncAccount&, const std::string& password, bool restoreServer) override {
    Started.push_back(password);
    Restores.push_back(restoreServer);
  }
  bool Confirm(const std::string& question) override {
    Questions.push_back(question);
    return Answer;
  }
  void ReloadStore() override { ++Reloads; }
  void ShowSyncStatus(const std::string& text, bool busy) override {
    Status = text;
    Busy = busy;
  }
  void ShowSyncSummary(const std::string& text, bool failed) override { Summaries.push_back({failed, text}); }
  void OpenSyncPreferences() override { ++PreferencesOpened; }

  std::optional<TSyncAccount> Account;
  std::string KnownPassword = "pw";
  std::vector<bool> Asked;  // mayAsk of each question for a password nobody knew
  std::vector<std::string> Started;
  std::vector<bool> Restores;  // restoreServer of each started sync
  std::vector<std::string> Questions;
  bool Answer = true;
  int Reloads = 0;
  std::string Status;
  bool Busy = false;
  std::vector<TSyncOutcome> Summaries;
  int PreferencesOpened = 0;
};

class SyncControl : public ::testing::Test {
 protected:
  TSyncAccount Account(int interval, bool atStart) {
    TSyncAccount account;
    account.ResourceID = 1;
    account.ServerUrl = "https://dav.example.org/";
    account.UserName = "ann";
    account.CalendarUrl = "https://dav.example.org/ann/cal/";
    account.IntervalMinutes = interval;
    account.SyncAtStart = atStart;
    return account;
  }

  TFakeClock clock;
  TFakeTimers timers{clock};
  TEnglishLocale locale;
  TFakeSyncShell shell;
  TSyncControl control{shell, timers, locale};
};

TEST_F(SyncControl, WithoutAnAccountNothingRunsAndSynchronizeNowOpensThePreferences) {
  control.Started();
  timers.Advance(24 * 60 * kMinute);
  control.SynchronizeNow();
  EXPECT_TRUE(shell.Started.empty());
  EXPECT_EQ(shell.PreferencesOpened, 1);
  EXPECT_EQ(shell.Status, "") << "no sync panel";
  EXPECT_EQ(timers.EnabledCount(), 0);
}

TEST_F(SyncControl, TheStartSyncsWhenTheAccountAsksAndShowsNoSummary) {
  for (const bool atStart : {false, true}) {
    SCOPED_TRACE(atStart);
    TFakeSyncShell startShell;
    startShell.Account = Account(0, atStart);
    TSyncControl startControl(startShell, timers, locale);
    startControl.Started();
    ASSERT_EQ(startShell.Started.size(), atStart ? 1u : 0u);
    if (!atStart) continue;
    EXPECT_TRUE(startShell.Busy);
    startShell.Account->LastSync = EncodeDate(2026, 12, 9) + EncodeTime(21, 40, 0, 0);
    startControl.Finished({false, "1 uploaded"});
    EXPECT_EQ(startShell.Reloads, 1);
    EXPECT_FALSE(startShell.Busy);
    EXPECT_EQ(startShell.Status, "Last sync: 12/9/2026 9:40 PM");
    EXPECT_TRUE(startShell.Summaries.empty()) << "only a sync the user asked for shows its summary";
  }
}

TEST_F(SyncControl, TheIntervalSyncsOneAtATimeAndARequestMeanwhileGetsTheSummary) {
  shell.Account = Account(15, false);
  control.Started();
  timers.Advance(15 * kMinute - 1);
  EXPECT_TRUE(shell.Started.empty());
  timers.Advance(1);
  ASSERT_EQ(shell.Started.size(), 1u);
  timers.Advance(30 * kMinute);  // the sync still runs: the ticks meanwhile are dropped
  control.SynchronizeNow();
  EXPECT_EQ(shell.Started.size(), 1u);
  control.Progress(0.42);
  EXPECT_EQ(shell.Status, "Synchronizing... 42 %");
  control.Finished({false, "summary"});
  ASSERT_EQ(shell.Summaries.size(), 1u) << "the request joined the running sync";
  EXPECT_EQ(shell.Summaries[0].Text, "summary");
  timers.Advance(15 * kMinute);
  EXPECT_EQ(shell.Started.size(), 2u);
  control.Finished({false, ""});
  EXPECT_EQ(shell.Summaries.size(), 1u);

  shell.Account->IntervalMinutes = 0;  // set off in Preferences
  control.AccountChanged();
  timers.Advance(60 * kMinute);
  EXPECT_EQ(shell.Started.size(), 2u);
}

TEST_F(SyncControl, AFailureShowsInTheStatusBarAndForARequestInABox) {
  shell.Account = Account(0, false);
  control.SynchronizeNow();
  control.Finished({true, "The server refused the user name or password."});
  EXPECT_EQ(shell.Status, "Sync failed: The server refused the user name or password.");
  ASSERT_EQ(shell.Summaries.size(), 1u);
  EXPECT_TRUE(shell.Summaries[0].Failed);
}

TEST_F(SyncControl, AfterTheUserGaveNoPasswordOnlyARequestAsksAgain) {
  shell.Account = Account(10, true);
  shell.KnownPassword.clear();
  control.Started();  // asks, and the user cancels
  timers.Advance(10 * kMinute);
  control.SynchronizeNow();
  EXPECT_EQ(shell.Asked, (std::vector<bool>{true, false, true}));
  EXPECT_TRUE(shell.Started.empty());
  ASSERT_EQ(shell.Summaries.size(), 1u) << "the request says why nothing ran";
  shell.KnownPassword = "given";
  control.SynchronizeNow();
  EXPECT_EQ(shell.Started, std::vector<std::string>{"given"});
}

// Restoring the server asks first, runs as a sync the user asked for, and never joins or starts
// beside a running sync.
TEST_F(SyncControl, RestoringTheServerAsksFirstAndRunsAsARequestedSync) {
  control.RestoreServer();
  EXPECT_EQ(shell.PreferencesOpened, 1) << "no account";
  shell.Account = Account(0, false);
  shell.Answer = false;
  control.RestoreServer();
  EXPECT_EQ(shell.Questions.size(), 1u);
  EXPECT_TRUE(shell.Started.empty());
  shell.Answer = true;
  control.RestoreServer();
  EXPECT_EQ(shell.Restores, std::vector<bool>{true});
  control.RestoreServer();  // while it runs
  EXPECT_EQ(shell.Restores.size(), 1u);
  EXPECT_EQ(shell.Questions.size(), 2u);
  control.Finished({false, "restored"});
  ASSERT_EQ(shell.Summaries.size(), 2u);
  EXPECT_EQ(shell.Summaries[1].Text, "restored");
  control.SynchronizeNow();
  EXPECT_EQ(shell.Restores, (std::vector<bool>{true, false}));
}

TEST(SyncStatus, TextAndIntervalFollowTheAccount) {
  TEnglishLocale locale;
  TSyncAccount account;
  EXPECT_EQ(SyncStatusText(std::nullopt, locale), "");
  EXPECT_EQ(SyncStatusText(account, locale), "Not synchronized yet");
  account.LastSync = EncodeDate(2026, 1, 2) + EncodeTime(8, 5, 0, 0);
  EXPECT_EQ(SyncStatusText(account, locale), "Last sync: 1/2/2026 8:05 AM");
  account.LastError = "Cannot reach dav.example.org: name not found.";
  EXPECT_EQ(SyncStatusText(account, locale), "Sync failed: Cannot reach dav.example.org: name not found.");

  const struct {
    int Minutes;
    int Milliseconds;
  } intervals[] = {{0, 0}, {-5, 0}, {1, 60000}, {90, 5400000}, {7 * 24 * 60, 604800000}, {1 << 30, 604800000}};
  for (const auto& row : intervals) {
    SCOPED_TRACE(row.Minutes);
    account.IntervalMinutes = row.Minutes;
    EXPECT_EQ(SyncTimerInterval(account), row.Milliseconds);
  }
  EXPECT_EQ(SyncTimerInterval(std::nullopt), 0);
}

}  // namespace
