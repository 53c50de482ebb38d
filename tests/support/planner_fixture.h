#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/day_number.h"
#include "store/planner_files.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_timers.h"
#include "tests/support/recording_file_writer.h"
#include "tests/support/temporary_folder.h"
#include "views/edit_dialogs.h"

// The reminder window and the views' edit windows: they record what they were asked and answer
// from the test.
class TFakeDialogs : public TVpReminderWindows, public TVpEditDialogs {
 public:
  void ShowReminder(TVpCustomDataStore& store, TVpEvent& event) override;
  // Records the list; without RunMissed there is none (false), as before lists existed.
  bool ShowMissed(TVpCustomDataStore& store, const std::vector<int>& recordIDs) override {
    MissedLists.push_back(recordIDs);
    return RunMissed ? RunMissed(store, recordIDs) : false;
  }
  bool EditEvent(TVpCustomDataStore& store, TVpEvent& event, bool twelveHour) override;
  // The task window is cancelled.
  bool EditTask(TVpCustomDataStore&, TVpTask& task) override { return EditTaskAnswer ? EditTaskAnswer(task) : false; }
  // The contact window is cancelled.
  bool EditContact(TVpCustomDataStore&, TVpControlLink*, TVpContact& contact) override {
    return EditContactAnswer ? EditContactAnswer(contact) : false;
  }
  std::string NewEventZone() const override { return NewZone; }
  bool AddResource(TVpCustomDataStore&) override { return ++AddResourceCalls, AddResourceAnswer; }
  bool SelectResource(TVpCustomDataStore&) override { return ++SelectResourceCalls, SelectResourceAnswer; }

  std::vector<std::string> Reminders;         // the descriptions of the events shown, in order
  std::vector<std::vector<int>> MissedLists;  // the lists of missed reminders shown, in order
  std::function<bool(TVpCustomDataStore&, const std::vector<int>&)> RunMissed;
  // Runs inside the reminder window, as the user's answer would (may post, reload, ...); the fake
  // marks the event's window open first and leaves it so.
  std::function<void(TVpCustomDataStore&, TVpEvent&)> WhileShown;
  // When set, stands for the whole reminder instead (the real reminder dialog, for instance).
  std::function<void(TVpCustomDataStore&, TVpEvent&)> RunReminder;
  // The user's work in the event edit dialog: changes the event and answers OK (true) or Cancel.
  // Without it the dialog is cancelled.
  std::function<bool(TVpEvent&, bool twelveHour)> EditEventAnswer;
  // The task dialog's answer (OK when true); Cancel without it.
  std::function<bool(TVpTask&)> EditTaskAnswer;
  // The contact dialog's answer (OK when true); Cancel without it.
  std::function<bool(TVpContact&)> EditContactAnswer;
  std::vector<std::string> EditedEvents;  // the descriptions of the events opened, in order
  std::string NewZone;                    // the zone new events keep
  int AddResourceCalls = 0;
  int SelectResourceCalls = 0;
  bool AddResourceAnswer = false;
  bool SelectResourceAnswer = false;
};

// A program folder's Data folder in a temporary folder, the planner files over it, and every
// desktop service faked: the clock stands at 10 May 2024 09:00 until a test moves it.
class TPlannerFixture {
 public:
  TPlannerFixture();

  std::string DataFolder() const { return Folder.File("Data"); }
  std::string TableFile(const char* file) const { return DataFolder() + "/" + file; }
  // Writes the five empty tables.
  void CreateTables();
  // Replaces a table file with rows given as attribute texts of ROW elements, for instance
  // "RecordID=\"1\" ResourceID=\"1\" ...".
  void WriteRows(const std::string& tableName, const char* file, const std::vector<std::string>& rows);

  // Connects the planner files and returns its store.
  TVpFlexDataStore& Connect();
  TVpFlexDataStore& Store() { return Files->Store(); }
  // Makes a resource with the next ID, posts it and makes it active.
  TVpResource& AddActiveResource(const std::string& description);

  TTemporaryFolder Folder;
  // Stands for the window that holds the store; views made with it as owner are the store's own.
  const int Window = 0;
  TFakeClock Clock;
  TFakeTimers Timers{Clock};
  TFakeSoundPlayer Sound;
  TFakeMessagePoster Poster;
  TFakeMessageBoxes MessageBoxes;
  TFakeDialogs Dialogs;
  TRecordingFileWriter Writer;
  std::unique_ptr<TVpPlannerFiles> Files;
};

// A date-time from its parts.
inline double At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0, int ms = 0) {
  return EncodeDate(year, month, day) + EncodeTime(hour, minute, second, ms);
}
