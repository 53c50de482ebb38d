#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

class TVpParser;
struct TVpXmlAttribute;

// A state (or province) of a country: its name and abbreviation.
struct TVpLocalizeStatesItem {
  std::string Name;
  std::string Abbr;
};

// A platform language spoken in a country: primary and sub-language numbers, -1 when not given.
struct TVpLocalizeLanguageItem {
  std::string Name;
  int LanguageID = -1;
  int SubLanguageID = -1;
};

// How an address is written in one country. The defaults are those of a country element that sets
// nothing.
struct TVpLocalizeCountryItem {
  std::string Name;
  bool Address1Visible = true;
  std::string Address1Caption = "Address";
  bool Address2Visible = true;
  std::string Address2Caption;
  bool Address3Visible = true;
  std::string Address3Caption;
  bool Address4Visible = false;
  std::string Address4Caption;
  bool CityVisible = true;
  std::string CityCaption = "City";
  bool StatesVisible = true;
  std::string StateCaption = "Province";
  bool StateUseAbbr = false;
  bool StateDupAbbr = false;
  bool ZipVisible = true;
  std::string ZipCaption = "Postal Code";
  std::vector<TVpLocalizeStatesItem> States;
  std::vector<TVpLocalizeLanguageItem> Languages;
};

// The localization tables: for each country how its addresses are written, its states and its
// languages, read from a localization file (Config/Localize.xml).
class TVpLocalization {
 public:
  // Reads the file, after clearing the countries unless appending. A file with an error keeps the
  // countries read before the error, and LoadError() then names the file and the error; a file
  // that cannot be read at all is such an error too.
  void LoadFromFile(const std::string& fileName, bool append);
  // Reads a document held in memory the same way; `source` names it in LoadError().
  void LoadFromMemory(std::string_view document, const std::string& source, bool append);
  // Why the last load stopped early; empty when it read the whole file.
  const std::string& LoadError() const { return LoadError_; }

  const std::vector<TVpLocalizeCountryItem>& Countries() const { return Countries_; }
  // The country at the index; nullptr outside the countries.
  const TVpLocalizeCountryItem* Country(int index) const;
  // Every country's name, in file order.
  std::vector<std::string> CountryNames() const;
  // The first country whose name begins with the text, ASCII letters compared without regard to
  // case; -1 for an empty text or when none does.
  int CountryIndexByName(std::string_view name) const;
  // The names of the country's states in order; none for an index outside the countries.
  std::vector<std::string> StateNames(int countryIndex) const;
  // The country of a language identifier (primary language in the low 10 bits, sub-language in
  // bits 10 to 15): with a sub-language the first country listing that very language, without
  // one the first country listing the primary language; -1 when none does.
  int CountryOfLanguage(int languageIdentifier) const;

 private:
  // Clears unless appending, then runs the parse with the reader's handlers.
  void Load(const std::function<bool(TVpParser&)>& parse, const std::string& source, bool append);
  void ElementStart(std::string_view name, std::span<const TVpXmlAttribute> attributes);
  void ElementEnd(std::string_view name);
  TVpLocalizeCountryItem* CurrentCountry();

  std::vector<TVpLocalizeCountryItem> Countries_;
  std::string LoadError_;
  int CurrentCountry_ = -1;  // the country the elements being read describe, -1 outside one
};
