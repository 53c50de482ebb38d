#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "interop/vcard/vcard_reader.h"
#include "model/contact.h"

// Mapping an address-book card onto a contact.

// The contact's Custom1 to Custom4 travel as X-KORET-CUSTOM1 to X-KORET-CUSTOM4.
std::string CustomFieldName(int number);
// The number of a custom field's property name, 0 for another name.
int CustomFieldNumber(std::string_view name);

// What the mapping of one card did beyond the contact's own fields, for the import's summary.
struct TVpVCardMapping {
  std::string Uid;  // the card's UID, empty without one
  // Properties kept in the notes with a label ("URL", "TEL" beyond the five phones, ...).
  std::vector<std::string> IntoNotes;
  // Properties the contact cannot hold and that are left out ("PHOTO", "X-ABADR", ...).
  std::vector<std::string> Skipped;
  // Properties whose faulty UTF-8 was replaced.
  std::vector<std::string> Repaired;
};

// Sets the contact's fields from the card: the name parts from N (from FN without one), company,
// job position, the first (or preferred) address, e-mail and up to five phones with their kinds,
// birthday, anniversary, notes, category. Text the contact has no field for goes into the notes,
// one labelled line each; a birthday without a year too.
TVpVCardMapping MapVCardToContact(const TVpVCard& card, TVpContact& contact);
