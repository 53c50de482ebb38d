#include "xml/localization.h"

#include <charconv>
#include <optional>

#include "platform/ascii_text.h"
#include "xml/parser.h"

namespace {

// A yes/no attribute as people write it ("Yes", "on", "1", "false", ...); anything else gives the
// element's default.
bool BooleanValue(std::string_view text, bool defaultValue) {
  for (const char* word : {"t", "true", "1", "on", "yes"})
    if (SameTextAscii(text, word)) return true;
  for (const char* word : {"f", "false", "0", "off", "no"})
    if (SameTextAscii(text, word)) return false;
  return defaultValue;
}

// A decimal integer; -1 for anything else.
int IntegerValue(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return text.empty() || error != std::errc() || end != text.data() + text.size() ? -1 : value;
}

// An address line of a country: its visibility flag, its caption and the flag's default.
struct TAddressLine {
  bool* Visible;
  std::string* Caption;
  bool VisibleDefault;
};

std::optional<TAddressLine> AddressLine(TVpLocalizeCountryItem& c, std::string_view element) {
  if (element == "Address1") return TAddressLine{&c.Address1Visible, &c.Address1Caption, true};
  if (element == "Address2") return TAddressLine{&c.Address2Visible, &c.Address2Caption, true};
  if (element == "Address3") return TAddressLine{&c.Address3Visible, &c.Address3Caption, true};
  if (element == "Address4") return TAddressLine{&c.Address4Visible, &c.Address4Caption, false};
  if (element == "City") return TAddressLine{&c.CityVisible, &c.CityCaption, true};
  if (element == "Zipcode") return TAddressLine{&c.ZipVisible, &c.ZipCaption, true};
  return std::nullopt;
}

}  // namespace

void TVpLocalization::LoadFromFile(const std::string& fileName, bool append) {
  Load([&fileName](TVpParser& parser) { return parser.ParseFile(fileName); }, fileName, append);
}

void TVpLocalization::LoadFromMemory(std::string_view document, const std::string& source, bool append) {
  Load([document](TVpParser& parser) { return parser.ParseMemory(document); }, source, append);
}

void TVpLocalization::Load(const std::function<bool(TVpParser&)>& parse, const std::string& source, bool append) {
  if (!append) Countries_.clear();
  LoadError_.clear();
  CurrentCountry_ = -1;
  TVpParser parser;
  parser.SetOnElementStart([this](TVpParser& p, std::string_view name) { ElementStart(name, p.Attributes()); });
  parser.SetOnElementEnd([this](TVpParser&, std::string_view name) { ElementEnd(name); });
  bool complete = false;
  try {
    complete = parse(parser);
  } catch (const EXML&) {
    // The file cannot be read; the parser's error list says why.
  }
  // What was read before an error stays; the error is kept so that it can be reported.
  if (!complete) {
    const auto& errors = parser.ErrorMessages();
    LoadError_ = source + ": " + (errors.empty() ? std::string("the file cannot be read") : errors.front());
  }
  CurrentCountry_ = -1;
}

TVpLocalizeCountryItem* TVpLocalization::CurrentCountry() {
  return CurrentCountry_ >= 0 ? &Countries_[static_cast<size_t>(CurrentCountry_)] : nullptr;
}

void TVpLocalization::ElementStart(std::string_view name, std::span<const TVpXmlAttribute> attributes) {
  TVpLocalizeCountryItem* country = CurrentCountry();
  if (name == "Countries") {
    CurrentCountry_ = -1;
  } else if (name == "Country") {
    Countries_.emplace_back();
    CurrentCountry_ = static_cast<int>(Countries_.size()) - 1;
    for (const auto& [attribute, value] : attributes)
      if (attribute == "Name" && !value.empty()) Countries_.back().Name = value;
  } else if (country == nullptr) {
    // Address, state and language elements describe the current country; outside one they say nothing.
  } else if (const std::optional<TAddressLine> line = AddressLine(*country, name)) {
    for (const auto& [attribute, value] : attributes) {
      if (attribute == "Caption") *line->Caption = value;
      else if (attribute == "Visible") *line->Visible = BooleanValue(value, line->VisibleDefault);
    }
  } else if (name == "State") {
    for (const auto& [attribute, value] : attributes) {
      if (attribute == "Caption") country->StateCaption = value;
      else if (attribute == "Visible") country->StatesVisible = BooleanValue(value, true);
      else if (attribute == "UseAbbr") country->StateUseAbbr = BooleanValue(value, false);
      else if (attribute == "DupAbbr") country->StateDupAbbr = BooleanValue(value, false);
    }
  } else if (name == "LegalValue") {
    TVpLocalizeStatesItem& state = country->States.emplace_back();
    for (const auto& [attribute, value] : attributes) {
      if (attribute == "Name") state.Name = value;
      else if (attribute == "Value") state.Abbr = value;
    }
  } else if (name == "Language") {
    TVpLocalizeLanguageItem& language = country->Languages.emplace_back();
    for (const auto& [attribute, value] : attributes) {
      if (attribute == "Name") language.Name = value;
      else if (attribute == "ID") language.LanguageID = IntegerValue(value);
      else if (attribute == "SubID") language.SubLanguageID = IntegerValue(value);
    }
  }
}

void TVpLocalization::ElementEnd(std::string_view name) {
  if (name == "Country" || name == "Countries" || name == "AddressDefinition") CurrentCountry_ = -1;
}

const TVpLocalizeCountryItem* TVpLocalization::Country(int index) const {
  return index >= 0 && index < static_cast<int>(Countries_.size()) ? &Countries_[static_cast<size_t>(index)] : nullptr;
}

std::vector<std::string> TVpLocalization::CountryNames() const {
  std::vector<std::string> names;
  for (const TVpLocalizeCountryItem& country : Countries_) names.push_back(country.Name);
  return names;
}

int TVpLocalization::CountryIndexByName(std::string_view name) const {
  if (name.empty()) return -1;
  for (size_t i = 0; i < Countries_.size(); ++i)
    if (StartsWithTextAscii(Countries_[i].Name, name)) return static_cast<int>(i);
  return -1;
}

std::vector<std::string> TVpLocalization::StateNames(int countryIndex) const {
  std::vector<std::string> names;
  if (const TVpLocalizeCountryItem* country = Country(countryIndex))
    for (const TVpLocalizeStatesItem& state : country->States) names.push_back(state.Name);
  return names;
}

int TVpLocalization::CountryOfLanguage(int languageIdentifier) const {
  const int primary = languageIdentifier & 0x3FF;
  const int sub = (languageIdentifier >> 10) & 0x3F;
  for (size_t i = 0; i < Countries_.size(); ++i)
    for (const TVpLocalizeLanguageItem& language : Countries_[i].Languages)
      if (language.LanguageID == primary && (sub == 0 || language.SubLanguageID == sub)) return static_cast<int>(i);
  return -1;
}
