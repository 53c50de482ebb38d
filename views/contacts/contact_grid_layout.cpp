#include "views/contacts/contact_grid_layout.h"

#include "model/contact.h"

std::string ContactDisplayName(const TVpContact& contact, bool firstLast) {
  if (contact.FirstName().empty()) return contact.LastName();
  return firstLast ? contact.FirstName() + " " + contact.LastName() : contact.LastName() + ", " + contact.FirstName();
}

std::string ContactCityLine(const TVpContact& contact) {
  std::string line = contact.City();
  line = line.empty() ? contact.State() : line + ", " + contact.State();
  return line.empty() ? contact.Zip() : line + " " + contact.Zip();
}

std::string ContactDeleteQuestion(const TVpContact& contact) {
  return "Delete " + ContactDisplayName(contact, true) +
         " from your list of contacts?\r\n\nThis operation cannot be undone!";
}
