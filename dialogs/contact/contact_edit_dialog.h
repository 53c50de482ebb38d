#pragma once

#include <string>

#include "dialogs/common/base_dialog.h"
#include "dialogs/contact/contact_edit_rules.h"

class TLocale;
class TVpContact;

// The contact window as the contact dialog drives it.
class TVpContactWindow {
 public:
  virtual ~TVpContactWindow() = default;
  // Shows the form modally with the caption until the user answers; true for OK, and then the
  // form could be written (the window stays open while the name is empty or a field too long).
  virtual bool Show(TVpContactEditRules& form, const std::string& caption, const TVpDialogPlacement& placement,
                    TVpDialogOptions options) = 0;
};

// The contact edit dialog component: edits a contact of the store's active resource in the
// contact window, with the countries, states and default country of ControlLink (typed country
// and state without one), and on OK writes it and posts the contacts.
class TVpContactEditDialog : public TVpBaseDialog {
 public:
  TVpContactEditDialog();

  // True when the user pressed OK: the contact then holds the changes and is marked changed, and
  // the store has posted the contacts and repainted its views. Cancel leaves the contact's fields
  // as they were; a contact whose name, address, state, company, position or phone fields were
  // typed into is still marked changed. False without a window when there is no contact, store
  // or active resource.
  //
  // While the window is up the store may reload its contacts; the changes then go to the store's
  // contact with the same RecordID, and nowhere (false) when the contact is gone.
  bool Execute(TVpContact* contact, const TLocale& locale, TVpContactWindow& window);
};
