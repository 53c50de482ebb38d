#include "store/data_store.h"

#include <algorithm>
#include <filesystem>

#include "model/day_number.h"
#include "model/reminder.h"
#include "platform/assign_if_changed.h"
#include "store/change_path.h"

TVpCustomDataStore::TVpCustomDataStore(TVpStoreServices services, const void* owner)
    : Services_(services),
      Owner_(owner),
      Resources_(services.Clock),
      DisplayDate_(services.Clock.Now()),
      Timer_(services.Timers.CreateTimer()),
      Changes_(std::make_unique<TVpChangePath>(*this)) {
  const double now = DisplayDate_;
  LoadedRange_.SetStartTime(now - 31);
  LoadedRange_.SetEndTime(now + 31);
  Timer_->OnTimer = [this] { AlarmTick(); };
  Timer_->SetInterval(500);
  Timer_->SetEnabled(true);
}

TVpCustomDataStore::~TVpCustomDataStore() {
  Destroying_ = true;
  Timer_->SetEnabled(false);
  for (TVpLinkListener* control : Controls_) control->DataStoreReleased(this);
  Controls_.clear();
  Watchers_.clear();
  ActiveResource_ = nullptr;
}

void TVpCustomDataStore::ControlChangedStore(TVpLinkListener* control, TVpCustomDataStore* store) {
  if (store == this) {
    if (std::find(Controls_.begin(), Controls_.end(), control) == Controls_.end()) Controls_.push_back(control);
  } else {
    std::erase(Controls_, control);
  }
}

// --- date window ---

void TVpCustomDataStore::SetRange(double date, int buffer) {
  if (!(date + buffer > date - buffer)) return;
  // The start goes first when the window moves back, the end first when it moves on, so that
  // the range never has to push one end along.
  const double start = DateOf(date - buffer);
  const double end = DateOf(date + buffer) + 1;
  if (start < LoadedRange_.StartTime()) {
    LoadedRange_.SetStartTime(start);
    LoadedRange_.SetEndTime(end);
  } else {
    LoadedRange_.SetEndTime(end);
    LoadedRange_.SetStartTime(start);
  }
}

void TVpCustomDataStore::SetDayBuffer(int days) {
  DayBuffer_ = days;
  SetRange(DisplayDate_, DayBuffer_);
}

void TVpCustomDataStore::SetDisplayDate(double date) {
  const double old = DisplayDate_;
  DisplayDate_ = date;
  const TVpDate was = DecodeDate(old);
  const TVpDate now = DecodeDate(date);
  if (ToMs(date) >= ToMs(LoadedRange_.EndTime()) || ToMs(date) <= ToMs(LoadedRange_.StartTime()) ||
      was.Month != now.Month || was.Year != now.Year) {
    SetRange(date, DayBuffer_);
    ReloadEvents();
  }
  if (OnDateChanged) OnDateChanged(*this, date);
}

// --- connection and active resource ---

void TVpCustomDataStore::SetConnected(bool value) {
  if (!AssignIfChanged(Connected_, value)) return;
  if (!value) {
    Resources_.Clear();
    ActiveResource_ = nullptr;
    if (OnDisconnect) OnDisconnect(*this);
  } else if (OnConnect) {
    OnConnect(*this);
  }
  if (!Destroying_) NotifyLinkedControls();
}

std::string TVpCustomDataStore::NotConnectedMessage() const {
  return ConnectionProblem_.empty() ? "The data files are not open." : ConnectionProblem_;
}

void TVpCustomDataStore::SetActiveResource(TVpResource* resource) {
  if (resource == ActiveResource_) return;
  ActiveResource_ = resource;
  if (resource != nullptr) {
    ResourceID_ = resource->ResourceID();
    ReloadEvents();
    ReloadContacts();
    ReloadTasks();
  } else {
    ResourceID_ = -1;
  }
  if (!Loading_) NotifyLinkedControls();
}

void TVpCustomDataStore::SetResourceID(int id) {
  if (id == ResourceID_ && id != 0) return;
  TVpResource* resource = Resources_.FindResourceByID(id);
  ActiveResource_ = resource;
  if (resource == nullptr) return;
  ResourceID_ = id;
  ReloadEvents();
  ReloadContacts();
  ReloadTasks();
  if (OnResourceChange) OnResourceChange(*this, resource);
  if (!Loading_) NotifyLinkedControls();
}

// --- loading ---

void TVpCustomDataStore::LoadResources() {
  Resources_.Sort();
  NotifyLinkedControls();
}

void TVpCustomDataStore::ReloadEvents() {
  if (!Loading_) NotifyLinkedControls();
}

void TVpCustomDataStore::ReloadContacts() {
  if (!Loading_) NotifyLinkedControls();
}

void TVpCustomDataStore::ReloadTasks() {
  if (!Loading_) NotifyLinkedControls();
}

void TVpCustomDataStore::ReloadResource() {
  if (!Loading_) NotifyLinkedControls();
}

void TVpCustomDataStore::RemoveResource(TVpResource*) {
  if (!Loading_) NotifyLinkedControls();
}

void TVpCustomDataStore::RemoveAllEvents(TVpResource* resource) {
  if (resource != nullptr) resource->Schedule().Clear();
  if (!Loading_) NotifyLinkedControls();
}

void TVpCustomDataStore::RemoveAllContacts(TVpResource* resource) {
  if (resource != nullptr) resource->Contacts().Clear();
  if (!Loading_) NotifyLinkedControls();
}

void TVpCustomDataStore::RemoveAllTasks(TVpResource* resource) {
  if (resource != nullptr) resource->Tasks().Clear();
  if (!Loading_) NotifyLinkedControls();
}

// --- notification ---

void TVpCustomDataStore::NotifyLinkedControls() {
  if (Owner_ == nullptr || Loading_) return;
  for (TVpLinkListener* control : std::vector<TVpLinkListener*>(Controls_))
    if (control->Owner() == Owner_ && control->DataStore() == this) control->Invalidate();
  for (TMessageTarget* window : Watchers_) Services_.Poster.Post(*window, StoreChanged);
}

void TVpCustomDataStore::AddWatcher(TMessageTarget* window) {
  if (window != nullptr && std::find(Watchers_.begin(), Watchers_.end(), window) == Watchers_.end())
    Watchers_.push_back(window);
}

void TVpCustomDataStore::RemoveWatcher(TMessageTarget* window) { std::erase(Watchers_, window); }

// --- reminders ---

void TVpCustomDataStore::SetEnableEventTimer(bool value) {
  if (!AssignIfChanged(EnableEventTimer_, value)) return;
  Timer_->SetInterval(500);
  Timer_->SetEnabled(value);
}

void TVpCustomDataStore::CheckAlarms() {
  // A reminder window runs its own event loop, and what the user does there can post, reload or
  // switch resources: the due events are collected first, and each is looked up again (by its ID,
  // or as the same object when it has none yet) and tested again right before its window opens.
  // A check that ran while a window was up went through every due event after this one collected
  // them, so this one stops there: a reminder closed in the meantime waits for the next tick.
  const int check = ++AlarmChecks_;
  if (TVpResource* resource = ActiveResource_) {
    std::vector<std::pair<const TVpEvent*, int>> due;
    const TVpSchedule& schedule = resource->Schedule();
    const double now = Services_.Clock.Now();
    for (int i = 0; i < schedule.Count(); ++i)
      if (IsAlarmDue(*schedule.Items(i), now) && !ReminderOpen(*schedule.Items(i)))
        due.emplace_back(schedule.Items(i), schedule.Items(i)->RecordID());
    if (MissedListOpen_) due.clear();  // the list's own answers show them
    if (due.size() > kMissedAtOnce && std::none_of(due.begin(), due.end(), [](auto& d) { return d.second == -1; })) {
      std::vector<int> recordIDs;
      for (const auto& entry : due) recordIDs.push_back(entry.second);
      MissedListOpen_ = true;
      const std::weak_ptr<void> alive = Liveness();
      bool listed = false;
      try {
        listed = Services_.Reminders.ShowMissed(*this, recordIDs);
      } catch (...) {
        if (!alive.expired()) MissedListOpen_ = false;
        throw;
      }
      if (alive.expired()) return;
      MissedListOpen_ = false;
      if (listed) due.clear();
    }
    for (const auto& [candidate, recordID] : due) {
      if (ActiveResource_ != resource || AlarmChecks_ != check) break;
      TVpEvent* event = nullptr;
      for (int i = 0; i < resource->Schedule().Count() && event == nullptr; ++i) {
        TVpEvent* e = resource->Schedule().Items(i);
        if (recordID >= 0 ? e->RecordID() == recordID : e == candidate) event = e;
      }
      if (event != nullptr && IsAlarmDue(*event, Services_.Clock.Now())) ShowAlarm(*event);
    }
  }
  CheckedMinute_ = AlarmMinute();
  SetNextAlarmTick();
}

// Minutes are counted from half a second past each full minute: a reminder due at a full minute
// is due at any moment strictly after it.
std::int64_t TVpCustomDataStore::AlarmMinute() const {
  return (ToMs(Services_.Clock.Now()) - kAlarmOffsetMs) / kMsPerMinute;
}

void TVpCustomDataStore::AlarmTick() {
  if (AlarmMinute() != CheckedMinute_) return CheckAlarms();
  SetNextAlarmTick();
}

void TVpCustomDataStore::SetNextAlarmTick() {
  const std::int64_t intoMinute = (ToMs(Services_.Clock.Now()) - kAlarmOffsetMs) % kMsPerMinute;
  Timer_->SetInterval(static_cast<int>(std::min<std::int64_t>(kAlarmTickMs, kMsPerMinute - intoMinute)));
}

namespace {

// Lists a RecordID among the open reminder windows for a scope, unless the store is gone by its
// end. Events without an ID are never reloaded, so their own flag is enough.
class TOpenReminder {
 public:
  TOpenReminder(std::vector<int>& open, std::weak_ptr<void> storeAlive, int recordID)
      : Open_(open), StoreAlive_(std::move(storeAlive)), RecordID_(recordID) {
    if (RecordID_ != -1) Open_.push_back(RecordID_);
  }
  ~TOpenReminder() {
    if (RecordID_ == -1 || StoreAlive_.expired()) return;
    if (auto at = std::find(Open_.begin(), Open_.end(), RecordID_); at != Open_.end()) Open_.erase(at);
  }
  TOpenReminder(const TOpenReminder&) = delete;
  TOpenReminder& operator=(const TOpenReminder&) = delete;

 private:
  std::vector<int>& Open_;
  std::weak_ptr<void> StoreAlive_;
  int RecordID_;
};

}  // namespace

void TVpCustomDataStore::ShowAlarm(TVpEvent& event) {
  if (ReminderOpen(event)) return;
  if (OnAlert) {
    OnAlert(*this, event);
    return;
  }
  if (PlayEventSounds_) {
    std::error_code ignored;
    if (!event.DingPath().empty() && std::filesystem::is_regular_file(event.DingPath(), ignored))
      Services_.Sound.PlayAsync(event.DingPath());
    else if (!DefaultEventSound_.empty() && std::filesystem::is_regular_file(DefaultEventSound_, ignored))
      Services_.Sound.PlayAsync(DefaultEventSound_);
    else Services_.Sound.Beep();
  }
  const TOpenReminder shown(OpenReminders_, Liveness(), event.RecordID());
  Services_.Reminders.ShowReminder(*this, event);
}

bool TVpCustomDataStore::ReminderOpen(const TVpEvent& event) const {
  // The reminder window runs its own event loop, where a reload can replace the event by a copy
  // without the AlertDisplayed flag: open windows are known by RecordID as well.
  return event.AlertDisplayed() || (event.RecordID() != -1 && std::find(OpenReminders_.begin(), OpenReminders_.end(),
                                                                        event.RecordID()) != OpenReminders_.end());
}

void TVpCustomDataStore::RestoreRows(const std::vector<TVpRowChange>&, bool) {
  throw EVpChangeRefused("This store keeps no tables: nothing was changed.");
}

void TVpCustomDataStore::LogRowChanges(std::vector<TVpRowChange>&& changes) {
  if (RowChangeLog_ == nullptr) return;
  for (TVpRowChange& change : changes)
    if (change.Before != change.After) RowChangeLog_->push_back(std::move(change));
}
