#include "model/contacts.h"

#include <algorithm>

#include "platform/ascii_text.h"
#include "platform/assign_if_changed.h"

TVpContact* TVpContacts::AddContact(int recordID) {
  return AppendNew<EFailToCreateContact>([this] { return std::make_unique<TVpContact>(this); },
                                         [&](TVpContact& contact) { contact.SetRecordID(recordID); });
}

void TVpContacts::DeleteContact(TVpContact* contact) {
  if (contact) Extract(*contact);
}

TVpContact* TVpContacts::FindContactByName(std::string_view text, bool ignoreCase) const {
  const std::string wanted = ignoreCase ? UpperCaseAscii(text) : std::string(text);
  for (const auto& contact : Records()) {
    const std::string_view last = contact->LastName();
    const std::string_view start = last.substr(0, std::min(last.size(), wanted.size()));
    if ((ignoreCase ? UpperCaseAscii(start) : std::string(start)) == wanted) return contact.get();
  }
  return nullptr;
}

void TVpContacts::SetContactSort(TVpContactSort value) {
  if (AssignIfChanged(ContactSort_, value)) Sort();
}

void TVpContacts::Sort() {
  if (ContactSort_ == csFirstLast) {
    SortBy([](const TVpContact& a, const TVpContact& b) {
      if (a.FirstName() != b.FirstName()) return a.FirstName() < b.FirstName();
      return a.LastName() < b.LastName();
    });
  } else {
    SortBy([](const TVpContact& a, const TVpContact& b) {
      if (a.LastName() != b.LastName()) return a.LastName() < b.LastName();
      return a.FirstName() < b.FirstName();
    });
  }
}
