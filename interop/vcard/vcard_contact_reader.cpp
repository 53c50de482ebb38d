#include "interop/vcard/vcard_contact_reader.h"

#include <algorithm>
#include <array>
#include <optional>

#include "interop/vcard/vcard_phone_kinds.h"
#include "interop/vcard/vcard_text.h"
#include "model/day_number.h"
#include "model/record_captions.h"
#include "platform/ascii_text.h"

namespace {

// Properties whose text is kept in the notes under a label. X-...-SPOUSE and the like are matched
// by their last word.
struct TNoteLabel {
  const char* Name;
  const char* Label;
};
constexpr std::array<TNoteLabel, 22> kNoteLabels = {{{"NICKNAME", "Nickname"},
                                                     {"URL", "Web page"},
                                                     {"ROLE", "Role"},
                                                     {"IMPP", "Chat"},
                                                     {"X-AIM", "AIM"},
                                                     {"X-ICQ", "ICQ"},
                                                     {"X-JABBER", "Jabber"},
                                                     {"X-MSN", "MSN"},
                                                     {"X-YAHOO", "Yahoo"},
                                                     {"X-SKYPE", "Skype"},
                                                     {"X-SKYPE-USERNAME", "Skype"},
                                                     {"X-GOOGLE-TALK", "Google Talk"},
                                                     {"X-MS-IMADDRESS", "Chat"},
                                                     {"SPOUSE", "Spouse"},
                                                     {"MANAGER", "Manager"},
                                                     {"ASSISTANT", "Assistant"},
                                                     {"RELATED", "Related"},
                                                     {"GENDER", "Gender"},
                                                     {"GEO", "Location"},
                                                     {"TZ", "Time zone"},
                                                     {"LANG", "Language"},
                                                     {"X-PHONETIC-LAST-NAME", "Phonetic last name"}}};

// Properties the reader uses for the fields or knows to carry nothing for the user.
constexpr std::array<const char*, 7> kNotReported = {"FN", "PRODID", "REV", "UID", "X-ABLABEL", "KIND", "SOURCE"};

const char* NoteLabelOf(const std::string& name) {
  for (const TNoteLabel& entry : kNoteLabels) {
    if (name == entry.Name) return entry.Label;
  }
  if (name.starts_with("X-")) {
    const std::string last = name.substr(name.rfind('-') + 1);
    for (const char* word : {"SPOUSE", "MANAGER", "ASSISTANT"}) {
      if (last == word) return NoteLabelOf(last);
    }
  }
  return nullptr;
}

// A date of a card: 19850412, 1985-04-12, a date-time (its date counts); nothing for a partial
// date such as --0412 or 1985-04 and for text.
std::optional<double> FullDate(std::string_view text) {
  std::string digits;
  for (const char c : text.substr(0, text.find('T'))) {
    if (c >= '0' && c <= '9') {
      digits += c;
    } else if (c != '-') {
      return std::nullopt;
    }
  }
  if (digits.size() != 8 || text.starts_with("-")) return std::nullopt;
  const int year = std::stoi(digits.substr(0, 4));
  const int month = std::stoi(digits.substr(4, 2));
  const int day = std::stoi(digits.substr(6, 2));
  if (year < 100 || month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  const double date = EncodeDate(year, month, day);
  if (DecodeDate(date).Day != day) return std::nullopt;  // 31 April
  return date;
}

std::string Joined(const std::vector<std::string>& parts, std::string_view separator) {
  std::string out;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!out.empty()) out += separator;
    out += part;
  }
  return out;
}

// The kind of an address: its home, work or other type, else the label of its group (Home, Work,
// any other label marks it other). Types that say nothing of the place (postal, pref) give none.
int AddressTypeOf(const TVpVCardProperty& address, std::string_view groupLabel) {
  if (address.HasType("HOME")) return adtHome;
  if (address.HasType("WORK")) return adtWork;
  if (address.HasType("OTHER")) return adtOther;
  std::string label(groupLabel);
  if (label.starts_with("_$!<") && label.ends_with(">!$_")) label = label.substr(4, label.size() - 8);
  if (label.empty()) return adtNone;
  if (SameTextAscii(label, "home")) return adtHome;
  if (SameTextAscii(label, "work")) return adtWork;
  return adtOther;
}

// The kinds a property is marked with, for the label of its note: "Web page (work)".
std::string KindsOf(const TVpVCardProperty& property, const std::string& groupLabel) {
  std::vector<std::string> kinds;
  for (std::string type : property.ParamValues("TYPE")) {
    const std::string upper = UpperCaseAscii(type);
    if (upper == "PREF" || upper == "INTERNET" || upper == "VOICE") continue;
    for (char& c : type) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    kinds.push_back(type);
  }
  std::string label = groupLabel;
  if (label.starts_with("_$!<") && label.ends_with(">!$_")) label = label.substr(4, label.size() - 8);
  if (!label.empty()) kinds.push_back(label);
  const std::string joined = Joined(kinds, ", ");
  return joined.empty() ? "" : " (" + joined + ")";
}

class TCardMapper {
 public:
  TCardMapper(const TVpVCard& card, TVpContact& contact) : Card_(card), Contact_(contact) {}

  TVpVCardMapping Map() {
    const TVpVCardProperty* address = Preferred("ADR");
    const TVpVCardProperty* email = Preferred("EMAIL");
    std::vector<std::string> notes;
    int phones = 0;
    bool named = false;
    for (const TVpVCardProperty& property : Card_.Properties) {
      const std::string& name = property.Name;
      const std::string label = GroupLabel(property);
      if (property.Repaired) Mapping_.Repaired.push_back(name);
      if (property.Binary) {
        Mapping_.Skipped.push_back(name);
      } else if (name == "N") {
        named = MapName(property) || named;
      } else if (name == "ORG" && !Organized_) {
        std::vector<std::string> parts = property.Components();
        Contact_.SetCompany(parts[0]);
        parts.erase(parts.begin());
        Note("ORG", "Department", Joined(parts, "; "));
        Organized_ = true;
      } else if (name == "ORG") {
        Note("ORG", "Company", Joined(property.Components(), "; "));
      } else if (name == "TITLE" && !Positioned_) {
        Contact_.SetPosition(property.Text());
        Positioned_ = true;
      } else if (name == "TITLE") {
        Note("TITLE", "Position", property.Text());
      } else if (name == "ADR" && &property == address) {
        MapAddress(property, label);
      } else if (name == "ADR") {
        Note(name, "Address" + KindsOf(property, label), Joined(property.Components(), ", "));
      } else if (name == "EMAIL" && &property == email) {
        Contact_.SetEMail(property.Text());
      } else if (name == "TEL" && TelNumber(property).empty()) {
        continue;
      } else if (name == "TEL" && phones < TVpContact::kPhoneCount) {
        ++phones;
        Contact_.SetPhone(phones, TelNumber(property));
        Contact_.SetPhoneType(phones, PhoneKindOfProperty(property, label));
      } else if (name == "TEL") {
        Note(name, "Phone" + KindsOf(property, label), TelNumber(property));
      } else if (name == "EMAIL") {
        Note(name, "E-mail" + KindsOf(property, label), property.Text());
      } else if (name == "BDAY" || name == "ANNIVERSARY" || name.ends_with("-ANNIVERSARY")) {
        MapDate(property, name == "BDAY");
      } else if (name == "NOTE") {
        notes.push_back(property.Text());
      } else if (name == "CATEGORIES") {
        MapCategories(property);
      } else if (CustomFieldNumber(name) > 0) {
        Contact_.SetCustom(CustomFieldNumber(name), property.Text());
      } else if (name == "UID") {
        Mapping_.Uid = property.Text();
      } else if (const char* noteLabel = NoteLabelOf(name)) {
        Note(name, noteLabel + KindsOf(property, label), property.Text());
      } else if (std::find(kNotReported.begin(), kNotReported.end(), name) == kNotReported.end()) {
        Mapping_.Skipped.push_back(name);
      }
    }
    // A card without a name of its parts gives its full name, unless that is only the company's.
    const TVpVCardProperty* fullName = First("FN");
    if (!named && fullName && fullName->Text() != Contact_.Company()) Contact_.ParseName(fullName->Text());
    notes.insert(notes.end(), Extras_.begin(), Extras_.end());
    Contact_.SetNote(Joined(notes, "\n"));
    return std::move(Mapping_);
  }

 private:
  const TVpVCardProperty* First(std::string_view name) const {
    for (const TVpVCardProperty& property : Card_.Properties) {
      if (property.Name == name && !property.Binary) return &property;
    }
    return nullptr;
  }
  const TVpVCardProperty* Preferred(std::string_view name) const {
    for (const TVpVCardProperty& property : Card_.Properties) {
      if (property.Name == name && !property.Binary && property.Preferred()) return &property;
    }
    return First(name);
  }

  // The X-ABLabel of the property's group, or empty.
  std::string GroupLabel(const TVpVCardProperty& property) const {
    if (property.Group.empty()) return "";
    for (const TVpVCardProperty& other : Card_.Properties) {
      if (other.Name == "X-ABLABEL" && SameTextAscii(other.Group, property.Group)) return other.Text();
    }
    return "";
  }

  void Note(const std::string& name, const std::string& label, const std::string& text) {
    if (text.empty()) return;
    Extras_.push_back(label + ": " + text);
    Mapping_.IntoNotes.push_back(name);
  }

  // Family name; given name; additional names; prefix; suffix.
  bool MapName(const TVpVCardProperty& property) {
    std::vector<std::string> parts = property.Components();
    parts.resize(5);
    Contact_.SetLastName(parts[0]);
    Contact_.SetFirstName(parts[1]);
    Contact_.SetTitle(parts[3]);
    Note("N", "Middle name", parts[2]);
    Note("N", "Name suffix", parts[4]);
    return !parts[0].empty() || !parts[1].empty();
  }

  // Post office box; extended address; street; locality; region; postal code; country.
  void MapAddress(const TVpVCardProperty& property, const std::string& groupLabel) {
    Contact_.SetAddressType(AddressTypeOf(property, groupLabel));
    std::vector<std::string> parts = property.Components();
    parts.resize(7);
    Contact_.SetAddress(Joined({parts[2], parts[1], parts[0]}, ", "));
    Contact_.SetCity(parts[3]);
    Contact_.SetState(parts[4]);
    Contact_.SetZip(parts[5]);
    Contact_.SetCountry(parts[6]);
  }

  // The number of a TEL value: "tel:+1-555-0100;ext=7" is "+1-555-0100 ext. 7".
  static std::string TelNumber(const TVpVCardProperty& property) {
    std::string number = property.Text();
    if (!number.starts_with("tel:")) return number;
    number.erase(0, 4);
    const size_t extension = number.find(";ext=");
    if (extension != std::string::npos) number.replace(extension, 5, " ext. ");
    return number;
  }

  void MapDate(const TVpVCardProperty& property, bool birthday) {
    const std::optional<double> date = FullDate(property.Text());
    if (!date) {
      Note(property.Name, birthday ? "Birthday" : "Anniversary", property.Text());
    } else if (birthday) {
      Contact_.SetBirthdate(*date);
    } else {
      Contact_.SetAnniversary(*date);
    }
  }

  // The first category named like one of the contact's sets the category; the others go to the
  // notes.
  void MapCategories(const TVpVCardProperty& property) {
    std::vector<std::string> others;
    for (const std::string& item : property.ListItems()) {
      int found = -1;
      for (int category = 0; category < kContactCategoryCount && found < 0; ++category) {
        if (SameTextAscii(ContactCategoryCaption(category), item)) found = category;
      }
      if (found >= 0 && !Categorized_) {
        Contact_.SetCategory(found);
        Categorized_ = true;
      } else {
        others.push_back(item);
      }
    }
    Note("CATEGORIES", "Categories", Joined(others, ", "));
  }

  const TVpVCard& Card_;
  TVpContact& Contact_;
  TVpVCardMapping Mapping_;
  std::vector<std::string> Extras_;
  bool Categorized_ = false;
  bool Organized_ = false;
  bool Positioned_ = false;
};

}  // namespace

std::string CustomFieldName(int number) { return "X-KORET-CUSTOM" + std::to_string(number); }

int CustomFieldNumber(std::string_view name) {
  for (int number = 1; number <= TVpContact::kCustomCount; ++number) {
    if (name == CustomFieldName(number)) return number;
  }
  return 0;
}

TVpVCardMapping MapVCardToContact(const TVpVCard& card, TVpContact& contact) {
  return TCardMapper(card, contact).Map();
}
