#pragma once

#include <string_view>

#include "model/contact.h"
#include "model/enumerations.h"
#include "model/record_list.h"

class TVpResource;

// The contacts of one resource, sorted by LastName then FirstName (csLastFirst) or FirstName then
// LastName (csFirstLast); names compare byte by byte.
class TVpContacts : public TVpRecordList<TVpContact> {
 public:
  explicit TVpContacts(TVpResource* owner = nullptr) : Owner_(owner) {}
  ~TVpContacts() override { Clear(); }

  // The resource owning the collection, or nullptr.
  TVpResource* Owner() const { return Owner_; }

  // A new contact with the ID and the default phone kinds, not marked changed and not sorted in.
  // Raises EFailToCreateContact when the contact cannot be made.
  TVpContact* AddContact(int recordID);
  // Destroys the contact (which leaves the collection).
  void DeleteContact(TVpContact* contact);

  // The first contact in list order whose LastName begins with the text, or nullptr; with
  // ignoreCase ASCII letters compare without regard to case.
  TVpContact* FindContactByName(std::string_view text, bool ignoreCase) const;

  TVpContactSort ContactSort() const { return ContactSort_; }
  // A new order re-sorts the collection.
  void SetContactSort(TVpContactSort value);

  void Sort() override;

 private:
  TVpResource* Owner_;
  TVpContactSort ContactSort_ = csLastFirst;
};
