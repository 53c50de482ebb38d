#include "app/desktop_services.h"

#include "dialogs/qt/alarm_notify_form.h"
#include "dialogs/qt/contact_edit_form.h"
#include "dialogs/qt/dlg_event_edit.h"
#include "dialogs/qt/missed_reminders_window.h"
#include "dialogs/qt/resource_windows.h"
#include "dialogs/qt/task_edit_form.h"
#include "model/zone_clock.h"
#include "store/data_store.h"

void TQtReminderWindows::ShowReminder(TVpCustomDataStore& store, TVpEvent& event) {
  TVpNotificationDialog dialog;
  dialog.SetDataStore(&store);
  dialog.SetEditDialogs(&EditDialogs_);
  if (TimeFormat_) dialog.SetTimeFormat(TimeFormat_());
  TQtReminderWindow window(Notifications_ != nullptr && Notifications_->Enabled() ? Notifications_ : nullptr);
  dialog.Execute(&event, Locale_, window);
}

bool TQtReminderWindows::ShowMissed(TVpCustomDataStore& store, const std::vector<int>& recordIDs) {
  const bool twelveHour = TimeFormat_ && TimeFormat_() == tf12Hour;
  TMissedRemindersWindow window(store, recordIDs, Locale_, twelveHour);
  window.show();
  window.raise();
  window.activateWindow();
  quint64 notice = 0;
  if (Notifications_ != nullptr && Notifications_->Enabled())
    notice = Notifications_->Show(
        {window.windowTitle(), "Open the organizer to answer them.", "koret", {"default", "Open"}, true},
        [&window](const QString&) {
          window.raise();
          window.activateWindow();
        });
  window.exec();
  if (notice != 0) Notifications_->Close(notice);
  return true;
}

bool TQtEditDialogs::EditEvent(TVpCustomDataStore& store, TVpEvent& event, bool twelveHour) {
  TVpEventEditDialog dialog;
  dialog.SetDataStore(&store);
  TQtEventWindow window(store.Services().Sound, store.Services().Timers);
  return dialog.Execute(event, twelveHour, Locale_, window);
}

std::string TQtEditDialogs::NewEventZone() const { return NewEventsZoned_ ? LocalZoneName() : std::string(); }

bool TQtEditDialogs::EditTask(TVpCustomDataStore& store, TVpTask& task) {
  TVpTaskEditDialog dialog;
  dialog.SetDataStore(&store);
  dialog.SetOptions(DialogOption(doSizeable));
  TQtTaskWindow window;
  return dialog.Execute(&task, Locale_, window);
}

bool TQtEditDialogs::EditContact(TVpCustomDataStore& store, TVpControlLink* link, TVpContact& contact) {
  TVpContactEditDialog dialog;
  dialog.SetDataStore(&store);
  dialog.SetControlLink(link);
  TQtContactWindow window;
  return dialog.Execute(&contact, Locale_, window);
}

bool TQtEditDialogs::AddResource(TVpCustomDataStore& store) {
  TVpResourceEditDialog dialog;
  dialog.SetDataStore(&store);
  TQtResourceEditWindow window;
  return dialog.AddResource(window);
}

bool TQtEditDialogs::SelectResource(TVpCustomDataStore& store) {
  TQtSelectResourceWindow window;
  TQtResourceEditWindow editWindow;
  return ShowResourceSelection(store, window, editWindow);
}
