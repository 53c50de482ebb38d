#include "dialogs/contact/contact_edit_dialog.h"

#include "model/contact.h"
#include "store/record_handle.h"

TVpContactEditDialog::TVpContactEditDialog() {
  Placement().Position = mpCenter;
  Placement().Width = 309;
  Placement().Height = 392;
}

bool TVpContactEditDialog::Execute(TVpContact* contact, const TLocale& locale, TVpContactWindow& window) {
  TVpCustomDataStore* store = DataStore();
  if (contact == nullptr || store == nullptr || store->ActiveResource() == nullptr) return false;

  const TVpRecordHandle<TVpContact> reference(*store, *contact);
  TVpContactEditRules form(ControlLink(), locale);
  form.Fill(*contact);
  const bool confirmed = window.Show(form, DialogCaption(contact->FullName(), "Contact"), Placement(), Options());

  TVpContact* current = reference.Find();
  if (current == nullptr) {
    if (confirmed)
      store->Services().MessageBoxes.ShowMessage(
          "The contact was removed while it was being edited; the changes were not saved.");
    return false;
  }
  if (!confirmed) {
    if (form.TypedInto()) current->SetChanged(true);
    return false;
  }
  form.WriteTo(*current);
  return true;
}
