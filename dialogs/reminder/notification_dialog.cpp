#include "dialogs/reminder/notification_dialog.h"

#include "model/event.h"
#include "model/reminder.h"
#include "store/change_path.h"
#include "views/edit_dialogs.h"

namespace {

// Clears the event's AlertDisplayed flag when the reminder ends, however it ends; the event is
// looked up again, as the one the flag was set on may be gone.
class TAlertShown {
 public:
  explicit TAlertShown(const TVpRecordHandle<TVpEvent>& reference, TVpEvent& event) : Reference_(reference) {
    event.SetAlertDisplayed(true);
  }
  ~TAlertShown() {
    if (TVpEvent* event = Reference_.Find()) event->SetAlertDisplayed(false);
  }
  TAlertShown(const TAlertShown&) = delete;
  TAlertShown& operator=(const TAlertShown&) = delete;

 private:
  const TVpRecordHandle<TVpEvent>& Reference_;
};

}  // namespace

TVpNotificationDialog::TVpNotificationDialog() {
  Placement().Position = mpCenter;
  Placement().Width = 273;
}

void TVpNotificationDialog::Execute(TVpEvent* event, const TLocale& locale, TVpReminderWindow& window) {
  if (event == nullptr || event->AlertDisplayed()) return;
  TVpCustomDataStore& store = RequiredDataStore("reminder");
  const TVpRecordHandle<TVpEvent> reference(store, *event);
  const bool twelveHour = TimeFormat_ == tf12Hour;
  TVpNotificationRules form(store.Services().Clock, locale, *event, BackgroundColor_, twelveHour);
  const TAlertShown shown(reference, *event);
  // Another copy of the organizer over the same files answered it, and the store read its answer.
  form.AnsweredElsewhere = [&] {
    const TVpEvent* current = reference.Find();
    return current == nullptr || !IsAlarmDue(*current, store.Services().Clock.Now());
  };

  const TVpReminderAnswer answer = window.Show(form, Placement());
  TVpEvent* current = reference.Find();
  if (current == nullptr) return;
  if (answer == raOpenItem) {
    if (EditDialogs_ != nullptr)
      store.Changes().Edit<TVpEvent>(
          *current, false, [&](TVpEvent& opened) { return EditDialogs_->EditEvent(store, opened, twelveHour); });
    return;
  }
  // The reminder's own state (dismissed, snoozed) is written, but is no change to take back.
  form.Apply(answer, *current);
  if (current->Changed()) store.PostEvents();
}
