#include "interop/vcard/vcard_phone_kinds.h"

#include <array>

#include "interop/vcard/vcard_text.h"
#include "model/record_captions.h"

namespace {

enum TPhoneKind {
  pkAssistant,
  pkCallback,
  pkCar,
  pkCompany,
  pkHome,
  pkHomeFax,
  pkIsdn,
  pkMobile,
  pkOther,
  pkOtherFax,
  pkPager,
  pkPrimary,
  pkRadio,
  pkTelex,
  pkTty,
  pkWork,
  pkWorkFax
};

// The types written for each kind, by its code.
constexpr std::array<const char*, kPhoneTypeCount> kWrittenTypes = {
    "X-ASSISTANT", "X-CALLBACK", "CAR",  "X-COMPANY", "HOME",    "HOME,FAX",  "ISDN", "CELL",    "",
    "FAX",         "PAGER",      "PREF", "X-RADIO",   "X-TELEX", "TEXTPHONE", "WORK", "WORK,FAX"};

// Lower-case letters and digits only: "Home Fax", "HomeFAX" and "_$!<HomeFAX>!$_" compare equal.
std::string Squeezed(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c >= 'A' && c <= 'Z') out += static_cast<char>(c - 'A' + 'a');
    if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out += c;
  }
  return out;
}

int KindOfLabel(std::string_view label) {
  const std::string squeezed = Squeezed(label);
  if (squeezed.empty()) return -1;
  for (int kind = 0; kind < kPhoneTypeCount; ++kind) {
    if (Squeezed(PhoneTypeCaption(kind)) == squeezed) return kind;
  }
  if (squeezed == "assistantphone") return pkAssistant;
  if (squeezed == "main") return pkCompany;
  if (squeezed == "iphone" || squeezed == "cell") return pkMobile;
  return -1;
}

}  // namespace

int PhoneKindOfProperty(const TVpVCardProperty& tel, std::string_view groupLabel) {
  const int labelled = KindOfLabel(groupLabel);
  if (labelled >= 0) return labelled;
  auto has = [&](const char* type) { return tel.HasType(type); };
  if (has("X-ASSISTANT")) return pkAssistant;
  if (has("X-CALLBACK")) return pkCallback;
  if (has("CAR")) return pkCar;
  if (has("X-COMPANY") || has("MAIN")) return pkCompany;
  if (has("ISDN")) return pkIsdn;
  if (has("CELL")) return pkMobile;
  if (has("PAGER")) return pkPager;
  if (has("X-RADIO")) return pkRadio;
  if (has("X-TELEX") || has("TLX")) return pkTelex;
  if (has("TEXTPHONE") || has("TTY")) return pkTty;
  if (has("FAX")) return has("HOME") ? pkHomeFax : has("WORK") ? pkWorkFax : pkOtherFax;
  if (has("HOME")) return pkHome;
  if (has("WORK")) return pkWork;
  if (tel.Preferred()) return pkPrimary;
  return pkOther;
}

std::string PhoneTypesOfKind(int kind) {
  return kind >= 0 && kind < kPhoneTypeCount ? kWrittenTypes[static_cast<size_t>(kind)] : "";
}
