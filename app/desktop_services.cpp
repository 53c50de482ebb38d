#include "app/desktop_services.h"

#include "dialogs/qt/alarm_notify_form.h"
#include "dialogs/qt/contact_edit_window.h"
#include "dialogs/qt/event_edit_dialog.h"
#include "dialogs/qt/resource_windows.h"
#include "dialogs/qt/task_edit_window.h"
#include "store/data_store.h"

void TQtStoreDialogs::ShowReminder(TVpCustomDataStore& store, TVpEvent& event) {
  TVpNotificationDialog dialog;
  dialog.SetDataStore(&store);
  if (TimeFormat_) dialog.SetTimeFormat(TimeFormat_());
  TQtReminderWindow window;
  dialog.Execute(&event, Locale_, window);
}

bool TQtStoreDialogs::EditEvent(TVpCustomDataStore& store, TVpEvent& event, bool twelveHour) {
  TVpEventEditDialog dialog;
  dialog.SetDataStore(&store);
  return dialog.Execute(event, twelveHour);
}

bool TQtStoreDialogs::EditTask(TVpCustomDataStore& store, TVpTask& task) {
  TVpTaskEditDialog dialog;
  dialog.SetDataStore(&store);
  dialog.SetOptions(DialogOption(doSizeable));
  TQtTaskWindow window;
  return dialog.Execute(&task, Locale_, window);
}

bool TQtStoreDialogs::EditContact(TVpCustomDataStore& store, TVpControlLink* link, TVpContact& contact) {
  TVpContactEditDialog dialog;
  dialog.SetDataStore(&store);
  dialog.SetControlLink(link);
  TQtContactWindow window;
  return dialog.Execute(&contact, Locale_, window);
}

bool TQtStoreDialogs::AddResource(TVpCustomDataStore& store) {
  TVpResourceEditDialog dialog;
  dialog.SetDataStore(&store);
  TQtResourceEditWindow window;
  return dialog.AddResource(window);
}

bool TQtStoreDialogs::SelectResource(TVpCustomDataStore& store) {
  TQtSelectResourceWindow window;
  TQtResourceEditWindow editWindow;
  return ShowResourceSelection(store, window, editWindow);
}
