#include "dialogs/qt/event_edit_dialog.h"

#include <QApplication>

#include "dialogs/event/event_edit_form.h"
#include "dialogs/qt/dlg_event_edit.h"
#include "dialogs/qt/sound_dialog.h"
#include "dialogs/qt/window_placement.h"
#include "model/event.h"
#include "platform/qt/qt_text.h"
#include "store/record_handle.h"

TVpEventEditDialog::TVpEventEditDialog() {
  Placement().Position = mpCenterTop;
  Placement().Width = 584;
  Placement().Height = 378;
}

bool TVpEventEditDialog::Execute(TVpEvent& event, bool twelveHour) {
  TVpCustomDataStore& store = RequiredDataStore("event");
  const TVpRecordHandle<TVpEvent> reference(store, event);
  TVpEventEditForm form(store.Services().Clock, Locale());
  form.Fill(event, twelveHour, store.CategoryColorMap());

  TDlgEventEdit window(form, QApplication::activeWindow());
  window.ChooseSound = [&store, &window](const std::string& current) {
    return ChooseSoundFile(store.Services().Sound, store.Services().Timers, current, &window);
  };
  window.setWindowTitle(ToQt(DialogCaption(event.Description(), "Event")));
  ApplyPlacement(window, Placement(), Options());
  if (window.exec() != QDialog::Accepted) return false;

  TVpEvent* current = reference.Find();
  if (current == nullptr) {
    store.Services().MessageBoxes.ShowMessage(
        "The event was removed while it was being edited; the changes were not saved.");
    return false;
  }
  return form.WriteTo(*current);
}
