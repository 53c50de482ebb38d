#include "model/contact.h"

#include "model/contact_names.h"
#include "model/contacts.h"
#include "model/day_number.h"
#include "model/resource.h"
#include "model/vp_exception.h"

namespace {

// The array slot of a field numbered from 1.
template <class T, size_t N>
T& Numbered(std::array<T, N>& fields, int number) {
  if (number < 1 || number > static_cast<int>(N)) throw EVpIndexError(number);
  return fields[static_cast<size_t>(number - 1)];
}

template <class T, size_t N>
const T& Numbered(const std::array<T, N>& fields, int number) {
  return Numbered(const_cast<std::array<T, N>&>(fields), number);
}

}  // namespace

void TVpContact::MarkOwnerDirty() {
  if (Owner_ && Owner_->Owner()) Owner_->Owner()->SetContactsDirty(true);
}

void TVpContact::SetBirthdate(double value) { Store(Birthdate_, SnapToMs(value)); }
void TVpContact::SetAnniversary(double value) { Store(Anniversary_, SnapToMs(value)); }

const std::string& TVpContact::Phone(int number) const { return Numbered(Phones_, number); }
void TVpContact::SetPhone(int number, std::string value) { Store(Numbered(Phones_, number), std::move(value)); }
int TVpContact::PhoneType(int number) const { return Numbered(PhoneTypes_, number); }
void TVpContact::SetPhoneType(int number, int value) { Store(Numbered(PhoneTypes_, number), value); }
const std::string& TVpContact::Custom(int number) const { return Numbered(Customs_, number); }
void TVpContact::SetCustom(int number, std::string value) { Store(Numbered(Customs_, number), std::move(value)); }

std::string TVpContact::FullName() const {
  if (FirstName_.empty()) return LastName_;
  if (LastName_.empty()) return FirstName_;
  return FirstName_ + " " + LastName_;
}

std::string TVpContact::SortName() const {
  if (FirstName_.empty()) return LastName_;
  if (Owner_ && Owner_->ContactSort() == csFirstLast) return FirstName_ + " " + LastName_;
  return LastName_ + ", " + FirstName_;
}

void TVpContact::ParseName(std::string_view text) {
  TVpNameParts parts = SplitName(text);
  SetLastName(std::move(parts.LastName));
  SetFirstName(std::move(parts.FirstName));
}

void TVpContact::ParseAddressLine(std::string_view text) {
  TVpAddressParts parts = SplitAddressLine(text);
  SetCity(std::move(parts.City));
  SetState(std::move(parts.State));
  SetZip(std::move(parts.Zip));
}
