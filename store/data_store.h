#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/category_color_map.h"
#include "model/resources.h"
#include "model/time_range.h"
#include "platform/timer.h"
#include "store/link_listener.h"
#include "store/row_change.h"
#include "store/store_services.h"

class TVpChangePath;

// The store that owns the planner's records: every resource, and for the active one its events,
// contacts and tasks; the events only of a window of days around the date the views show. It
// tells the views of its window when anything changed, and its timer opens the reminder window
// when an event's reminder falls due. How records reach their tables is up to the descendants.
class TVpCustomDataStore {
 public:
  static constexpr const char* Version = "v1.03";

  // owner: the window holding the store; only views of that window are repainted by it.
  explicit TVpCustomDataStore(TVpStoreServices services, const void* owner = nullptr);
  // Unlinks every view that points to it, then frees the records.
  virtual ~TVpCustomDataStore();
  TVpCustomDataStore(const TVpCustomDataStore&) = delete;
  TVpCustomDataStore& operator=(const TVpCustomDataStore&) = delete;

  const void* Owner() const { return Owner_; }
  const TVpStoreServices& Services() const { return Services_; }
  // Expires when the store is destroyed, for those that may outlive it.
  std::weak_ptr<void> Liveness() const { return Alive_; }

  bool AutoCreate() const { return AutoCreate_; }
  void SetAutoCreate(bool value) { AutoCreate_ = value; }
  bool AutoConnect() const { return AutoConnect_; }
  void SetAutoConnect(bool value) { AutoConnect_ = value; }
  // Set while the store fills itself from its tables; no notifications go out meanwhile.
  bool Loading() const { return Loading_; }
  void SetLoading(bool value) { Loading_ = value; }

  TVpCategoryColorMap& CategoryColorMap() { return CategoryColorMap_; }
  const TVpCategoryColorMap& CategoryColorMap() const { return CategoryColorMap_; }
  TVpResources& Resources() { return Resources_; }
  const TVpResources& Resources() const { return Resources_; }
  // The window of days whose events are loaded: StartTime up to (not including) EndTime.
  const TVpTimeRange& LoadedRange() const { return LoadedRange_; }

  // The date the views show. A date outside the loaded window, or in another month or year than
  // the previous one, moves the window there and reloads the events.
  double DisplayDate() const { return DisplayDate_; }
  void SetDisplayDate(double date);
  // Days loaded on each side of DisplayDate; setting it moves the window but reloads nothing.
  int DayBuffer() const { return DayBuffer_; }
  void SetDayBuffer(int days);

  bool Connected() const { return Connected_; }
  virtual void SetConnected(bool value);
  // What a command that needs the data is told while the store is not connected: which data file
  // could not be opened and why, when that is known.
  std::string NotConnectedMessage() const;

  bool EnableEventTimer() const { return EnableEventTimer_; }
  void SetEnableEventTimer(bool value);
  bool PlayEventSounds() const { return PlayEventSounds_; }
  void SetPlayEventSounds(bool value) { PlayEventSounds_ = value; }
  // The sound played for a reminder whose event has none.
  const std::string& DefaultEventSound() const { return DefaultEventSound_; }
  void SetDefaultEventSound(const std::string& value) { DefaultEventSound_ = value; }

  // The ID of the active resource: 0 at first, -1 after the active resource was set to none.
  int ResourceID() const { return ResourceID_; }
  // Makes the resource with the ID active and loads its records; an ID no resource has leaves no
  // resource active and keeps the stored ID.
  void SetResourceID(int id);
  TVpResource* ActiveResource() const { return ActiveResource_; }
  void SetActiveResource(TVpResource* resource);

  // The next free record ID of the named table ("Resources", "Events", "Contacts", "Tasks").
  virtual int GetNextID(const std::string& tableName) = 0;

  virtual void LoadResources();
  virtual void LoadEvents() {}
  virtual void LoadContacts() {}
  virtual void LoadTasks() {}
  virtual void ReloadEvents();
  virtual void ReloadContacts();
  virtual void ReloadTasks();
  virtual void ReloadResource();
  virtual void RemoveResource(TVpResource* resource);
  virtual void RemoveAllEvents(TVpResource* resource);
  virtual void RemoveAllContacts(TVpResource* resource);
  virtual void RemoveAllTasks(TVpResource* resource);
  virtual void SelectResourceByName(const std::string& description) { (void)description; }
  virtual void PostEvents() {}
  virtual void PostContacts() {}
  virtual void PostTasks() {}
  virtual void PostResources() {}

  // A view joins the store's views (store is this store) or leaves them (any other); the views'
  // SetDataStore calls it.
  void ControlChangedStore(TVpLinkListener* control, TVpCustomDataStore* store);
  // Repaints the views of the store's window and tells the watchers that the data changed
  // (nothing without a window, or while Loading).
  void NotifyLinkedControls();
  // Windows told of every change by the posted message StoreChanged.
  void AddWatcher(TMessageTarget* window);
  void RemoveWatcher(TMessageTarget* window);

  // The reminder timer's work: opens the reminder of every due event of the active resource,
  // then sets the timer to tick again at the start of the next minute.
  void CheckAlarms();
  // The reminder timer's tick, at least every few seconds: checks the reminders when the wall
  // clock's minute is another than at the last check (half a second past each full minute). A timer runs on the time
  // the machine was awake, so after a suspend, or when the clock is set, the wall clock tells what fell due.
  void AlarmTick();
  // Seconds between ticks at most: how late after a resume reminders that fell due meanwhile show.
  static constexpr int kAlarmTickMs = 5000;
  // More reminders due at once than this go to one list of missed reminders.
  static constexpr size_t kMissedAtOnce = 3;
  // Sounds the event's reminder and shows its reminder window (or raises OnAlert instead); nothing
  // while the event's reminder window is open, also when the event was reloaded meanwhile.
  void ShowAlarm(TVpEvent& event);
  bool ReminderOpen(const TVpEvent& event) const;

  // The one way the organizer's windows change records, with its history of changes to undo.
  TVpChangePath& Changes() { return *Changes_; }

  // --- what the change path (TVpChangePath) asks of the store ---
  // While a log is set, the posts that follow add the table rows they changed to it.
  void SetRowChangeLog(std::vector<TVpRowChange>* log) { RowChangeLog_ = log; }
  // Brings the rows of the changes back as they were before them (toBefore; undo) or after them
  // (redo), under the folder's lock and on top of what other writers wrote, then reloads the
  // records and tells the views. Raises EVpChangeRefused, changing nothing, when a row is no
  // longer as the change left it, or when the store keeps no tables.
  virtual void RestoreRows(const std::vector<TVpRowChange>& changes, bool toBefore);

  std::function<void(TVpCustomDataStore& sender)> OnConnect;
  std::function<void(TVpCustomDataStore& sender)> OnDisconnect;
  // Replaces the built-in reminder (sound and window) when assigned.
  std::function<void(TVpCustomDataStore& sender, TVpEvent& event)> OnAlert;
  std::function<void(TVpCustomDataStore& sender, TVpResource* resource)> OnResourceChange;
  std::function<void(TVpCustomDataStore& sender, double date)> OnDateChanged;

 protected:
  // Whether a log is set: a post then reads its rows before and after it writes them.
  bool LoggingRowChanges() const { return RowChangeLog_ != nullptr; }
  // Adds the rows a post changed to the log, when one is set; a row a post left as it was is left
  // out.
  void LogRowChanges(std::vector<TVpRowChange>&& changes);
  // Why the last connection failed (the file and the reason); empty after a connection.
  void SetConnectionProblem(std::string text) { ConnectionProblem_ = std::move(text); }
  // The loaded window for a date: the whole days from date - buffer to date + buffer.
  void SetRange(double date, int buffer);
  // Runs the callable with Loading set, clearing it again however the callable ends.
  template <class F>
  void WhileLoading(F&& f);

 private:
  static constexpr std::int64_t kAlarmOffsetMs = 500;
  std::int64_t AlarmMinute() const;
  void SetNextAlarmTick();

  TVpStoreServices Services_;
  const void* Owner_;
  bool AutoCreate_ = true;
  bool AutoConnect_ = false;
  bool Loading_ = false;
  TVpCategoryColorMap CategoryColorMap_;
  TVpResources Resources_;
  TVpTimeRange LoadedRange_;
  double DisplayDate_;
  bool Connected_ = false;
  std::string ConnectionProblem_;
  bool EnableEventTimer_ = true;
  bool PlayEventSounds_ = true;
  std::string DefaultEventSound_;
  int DayBuffer_ = 31;
  int ResourceID_ = 0;
  TVpResource* ActiveResource_ = nullptr;
  std::unique_ptr<TTimer> Timer_;
  std::vector<TMessageTarget*> Watchers_;
  std::vector<int> OpenReminders_;          // the RecordIDs of the events whose reminder window is open
  int AlarmChecks_ = 0;                     // how many reminder checks have begun
  bool MissedListOpen_ = false;             // while up, the check opens no reminder windows
  std::int64_t CheckedMinute_ = -1;         // the wall clock's minute (since day 0) at the last check
  std::vector<TVpLinkListener*> Controls_;  // the views whose store this is, in the order they joined
  bool Destroying_ = false;
  std::vector<TVpRowChange>* RowChangeLog_ = nullptr;
  std::unique_ptr<TVpChangePath> Changes_;
  std::shared_ptr<int> Alive_ = std::make_shared<int>(0);
};

template <class F>
void TVpCustomDataStore::WhileLoading(F&& f) {
  const bool was = Loading_;
  Loading_ = true;
  try {
    f();
  } catch (...) {
    Loading_ = was;
    throw;
  }
  Loading_ = was;
}
