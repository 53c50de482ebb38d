#pragma once

#include <array>
#include <string>

#include "model/record.h"

class TVpContacts;

// What kind of place a contact's address is, as address books mark it.
enum TVpAddressType {
  adtNone = 0,  // not said
  adtHome = 1,
  adtWork = 2,
  adtOther = 3,  // marked, but neither home nor work
};

// An address-book entry of a resource, owned by the resource's contact collection. Setters follow
// the record rule: a differing value is stored and marks the contact changed.
class TVpContact : public TVpRecord {
 public:
  static constexpr int kPhoneCount = 5;
  static constexpr int kCustomCount = 4;

  // A new contact has the phone kinds Work, Home, Work Fax, Mobile and Assistant.
  explicit TVpContact(TVpContacts* owner = nullptr) : Owner_(owner) {}

  // The collection holding the contact, or nullptr.
  TVpContacts* Owner() const { return Owner_; }

  bool Deleted() const { return Deleted_; }
  void SetDeleted(bool value) { Store(Deleted_, value); }
  int RecordID() const { return RecordID_; }
  void SetRecordID(int value) { Store(RecordID_, value); }

  const std::string& LastName() const { return LastName_; }
  void SetLastName(std::string value) { Store(LastName_, std::move(value)); }
  const std::string& FirstName() const { return FirstName_; }
  void SetFirstName(std::string value) { Store(FirstName_, std::move(value)); }
  // Job position.
  const std::string& Position() const { return Position_; }
  void SetPosition(std::string value) { Store(Position_, std::move(value)); }
  const std::string& Title() const { return Title_; }
  void SetTitle(std::string value) { Store(Title_, std::move(value)); }
  const std::string& Company() const { return Company_; }
  void SetCompany(std::string value) { Store(Company_, std::move(value)); }
  const std::string& EMail() const { return EMail_; }
  void SetEMail(std::string value) { Store(EMail_, std::move(value)); }

  // 0 when not given.
  double Birthdate() const { return Birthdate_; }
  void SetBirthdate(double value);
  double Anniversary() const { return Anniversary_; }
  void SetAnniversary(double value);

  const std::string& Address() const { return Address_; }
  void SetAddress(std::string value) { Store(Address_, std::move(value)); }
  const std::string& City() const { return City_; }
  void SetCity(std::string value) { Store(City_, std::move(value)); }
  const std::string& State() const { return State_; }
  void SetState(std::string value) { Store(State_, std::move(value)); }
  const std::string& Zip() const { return Zip_; }
  void SetZip(std::string value) { Store(Zip_, std::move(value)); }
  const std::string& Country() const { return Country_; }
  void SetCountry(std::string value) { Store(Country_, std::move(value)); }
  // The kind of the address (a TVpAddressType).
  int AddressType() const { return AddressType_; }
  void SetAddressType(int value) { Store(AddressType_, value); }
  const std::string& Note() const { return Note_; }
  void SetNote(std::string value) { Store(Note_, std::move(value)); }
  // Contact category (see ContactCategoryCaption).
  int Category() const { return Category_; }
  void SetCategory(int value) { Store(Category_, value); }

  // Phone1 to Phone5 and their kinds PhoneType1 to PhoneType5 (see PhoneTypeCaption), and
  // Custom1 to Custom4, by their number. A number out of range raises EVpIndexError.
  const std::string& Phone(int number) const;
  void SetPhone(int number, std::string value);
  int PhoneType(int number) const;
  void SetPhoneType(int number, int value);
  const std::string& Custom(int number) const;
  void SetCustom(int number, std::string value);

  // FirstName and LastName joined by a blank; only the one given when the other is empty.
  std::string FullName() const;
  // The name as the contact views list it: LastName alone without a first name, else
  // "First Last" when the collection sorts first names first and "Last, First" otherwise.
  std::string SortName() const;

  // Splits a typed name into LastName and FirstName (SplitName) and stores both.
  void ParseName(std::string_view text);
  // Splits a typed "City, State Zip" line (SplitAddressLine) and stores the three parts.
  void ParseAddressLine(std::string_view text);

 protected:
  void MarkOwnerDirty() override;

 private:
  TVpContacts* Owner_;
  bool Deleted_ = false;
  int RecordID_ = -1;
  std::string LastName_;
  std::string FirstName_;
  std::string Position_;
  std::string Title_;
  std::string Company_;
  std::string EMail_;
  double Birthdate_ = 0;
  double Anniversary_ = 0;
  std::array<std::string, kPhoneCount> Phones_;
  std::array<int, kPhoneCount> PhoneTypes_ = {15, 4, 16, 7, 0};
  std::string Address_;
  std::string City_;
  std::string State_;
  std::string Zip_;
  std::string Country_;
  int AddressType_ = adtNone;
  std::string Note_;
  int Category_ = 0;
  std::array<std::string, kCustomCount> Customs_;
};
