#include "interop/vcard/vcard_contact_writer.h"

#include <cstdio>

#include "interop/vcard/vcard_contact_reader.h"
#include "interop/vcard/vcard_phone_kinds.h"
#include "interop/vcard/vcard_text.h"
#include "model/day_number.h"
#include "model/record_captions.h"

namespace {

constexpr size_t kFoldBytes = 75;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Appends the line folded: each piece at most 75 bytes with its leading blank, never cut inside
// a UTF-8 character (a run of stray continuation bytes is cut after 3).
void AppendFolded(std::string& out, std::string_view line) {
  size_t limit = kFoldBytes;
  while (line.size() > limit) {
    size_t cut = limit;
    for (int back = 0; back < 3 && IsContinuationByte(line[cut]); ++back) --cut;
    if (IsContinuationByte(line[cut])) cut = limit;
    out += line.substr(0, cut);
    out += "\r\n ";
    line.remove_prefix(cut);
    limit = kFoldBytes - 1;
  }
  out += line;
  out += "\r\n";
}

class TCardWriter {
 public:
  explicit TCardWriter(TVpVCardVersion version) : Version_(version) {}

  // The line "NAME:value"; nothing for an empty value unless required.
  void Add(std::string_view name, std::string_view value, bool required = false) {
    if (value.empty() && !required) return;
    AppendFolded(Out_, std::string(name) + ":" + std::string(value));
  }
  void AddText(std::string_view name, std::string_view text) { Add(name, Escape(text)); }
  // A structured value from its parts, escaped; nothing when every part is empty unless required.
  void AddParts(std::string_view name, std::initializer_list<std::string_view> parts, bool required = false) {
    std::string value;
    bool any = false;
    for (const std::string_view& part : parts) {
      if (&part != parts.begin()) value += ';';
      value += Escape(part);
      any = any || !part.empty();
    }
    if (any || required) Add(name, value);
  }
  void AddDate(std::string_view name, double date) {
    if (date == 0) return;
    const TVpDate parts = DecodeDate(date);
    char text[16];
    const char* format = Version_ == vvVersion40 ? "%04d%02d%02d" : "%04d-%02d-%02d";
    std::snprintf(text, sizeof text, format, parts.Year, parts.Month, parts.Day);
    Add(name, text);
  }

  bool Is40() const { return Version_ == vvVersion40; }
  std::string Take() { return std::move(Out_); }

 private:
  TVpVCardVersion Version_;
  std::string Out_;
};

// "TEL;TYPE=WORK,FAX" (3.0) or "TEL;TYPE=work,fax" (4.0); a primary number of 4.0 is PREF=1.
std::string TelName(int kind, bool is40) {
  std::string types = PhoneTypesOfKind(kind);
  if (is40 && types == "PREF") return "TEL;PREF=1";
  if (types.empty()) return "TEL";
  if (is40) {
    for (char& c : types) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  }
  return "TEL;TYPE=" + types;
}

// "ADR;TYPE=HOME" (3.0) or "ADR;TYPE=home" (4.0); "ADR" for an address of no kind.
std::string AdrName(int addressType, bool is40) {
  switch (addressType) {
    case adtHome: return is40 ? "ADR;TYPE=home" : "ADR;TYPE=HOME";
    case adtWork: return is40 ? "ADR;TYPE=work" : "ADR;TYPE=WORK";
    case adtOther: return is40 ? "ADR;TYPE=other" : "ADR;TYPE=OTHER";
    default: return "ADR";
  }
}

}  // namespace

std::string WriteVCard(const TVpContact& contact, std::string_view uid, TVpVCardVersion version) {
  TCardWriter card(version);
  card.Add("BEGIN", "VCARD");
  card.Add("VERSION", card.Is40() ? "4.0" : "3.0");
  card.AddText("UID", uid);
  std::string fullName = contact.FullName();
  if (fullName.empty()) fullName = contact.Company();
  card.Add("FN", Escape(fullName), true);
  card.AddParts("N", {contact.LastName(), contact.FirstName(), "", contact.Title(), ""}, true);
  card.AddText("ORG", contact.Company());
  card.AddText("TITLE", contact.Position());
  card.AddParts(AdrName(contact.AddressType(), card.Is40()),
                {"", "", contact.Address(), contact.City(), contact.State(), contact.Zip(), contact.Country()});
  for (int number = 1; number <= TVpContact::kPhoneCount; ++number) {
    card.AddText(TelName(contact.PhoneType(number), card.Is40()), contact.Phone(number));
  }
  card.AddText(card.Is40() ? "EMAIL" : "EMAIL;TYPE=INTERNET", contact.EMail());
  card.AddDate("BDAY", contact.Birthdate());
  card.AddDate(card.Is40() ? "ANNIVERSARY" : "X-ANNIVERSARY", contact.Anniversary());
  card.AddText("NOTE", contact.Note());
  // The first category is every new contact's until another is chosen, and a card without
  // categories reads back as it: only a category that was chosen is written.
  if (contact.Category() != 0) card.AddText("CATEGORIES", ContactCategoryCaption(contact.Category()));
  for (int number = 1; number <= TVpContact::kCustomCount; ++number) {
    card.AddText(CustomFieldName(number), contact.Custom(number));
  }
  card.Add("END", "VCARD");
  return card.Take();
}
