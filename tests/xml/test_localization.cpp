#include <gtest/gtest.h>

#include "platform/language_ids.h"
#include "xml/localization.h"

namespace {

TVpLocalization Read(const std::string& document) {
  TVpLocalization tables;
  tables.LoadFromMemory(document, "test.xml", false);
  EXPECT_EQ(tables.LoadError(), "");
  return tables;
}

TEST(Localization, CountryWithoutAttributesHasTheDefaults) {
  const TVpLocalization tables = Read("<Countries><Country/></Countries>");
  ASSERT_EQ(tables.Countries().size(), 1u);
  const TVpLocalizeCountryItem& c = tables.Countries()[0];
  EXPECT_EQ(c.Name, "");
  EXPECT_EQ(c.Address1Caption, "Address");
  EXPECT_EQ(c.CityCaption, "City");
  EXPECT_EQ(c.StateCaption, "Province");
  EXPECT_EQ(c.ZipCaption, "Postal Code");
  EXPECT_TRUE(c.Address1Visible && c.CityVisible && c.StatesVisible && c.ZipVisible);
  EXPECT_FALSE(c.Address4Visible || c.StateUseAbbr || c.StateDupAbbr);
}

// A value that is no yes/no word gives the element's own default.
TEST(Localization, BooleansAreLenientWithPerElementDefaults) {
  struct TCase {
    const char* Value;
    bool City;      // default True
    bool Address4;  // default False
    bool UseAbbr;   // default False
  };
  const TCase cases[] = {{"Yes", true, true, true},  {"ON", true, true, true},     {"t", true, true, true},
                         {"1", true, true, true},    {"no", false, false, false},  {"OFF", false, false, false},
                         {"F", false, false, false}, {"0", false, false, false},   {"Yse", true, false, false},
                         {"", true, false, false},   {"truee", true, false, false}};
  for (const TCase& row : cases) {
    SCOPED_TRACE(row.Value);
    const std::string v = std::string("\"") + row.Value + "\"";
    const TVpLocalization tables =
        Read("<Country><City Visible=" + v + "/><Address4 Visible=" + v + "/><State UseAbbr=" + v + "/></Country>");
    const TVpLocalizeCountryItem& c = tables.Countries()[0];
    EXPECT_EQ(c.CityVisible, row.City);
    EXPECT_EQ(c.Address4Visible, row.Address4);
    EXPECT_EQ(c.StateUseAbbr, row.UseAbbr);
  }
}

TEST(Localization, LanguageNumbersThatAreNoIntegersAreMinusOne) {
  const TVpLocalization tables = Read(
      "<Country><Language ID=\"9\" SubID=\"x\"/><Language ID=\"\" SubID=\"2\"/>"
      "<Language ID=\"1.5\" SubID=\"-3\"/><Language ID=\" 4\" SubID=\"99999999999\"/></Country>");
  const auto& languages = tables.Countries()[0].Languages;
  ASSERT_EQ(languages.size(), 4u);
  const std::pair<int, int> expected[] = {{9, -1}, {-1, 2}, {-1, -3}, {-1, -1}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(languages[i].LanguageID, expected[i].first) << i;
    EXPECT_EQ(languages[i].SubLanguageID, expected[i].second) << i;
  }
}

TEST(Localization, ElementsOutsideACountryAreIgnored) {
  const TVpLocalization tables = Read(
      "<Localization><LegalValue Name=\"Lost\"/><Countries>"
      "<Country Name=\"A\"><AddressDefinition><City Caption=\"Town\"/></AddressDefinition>"
      "<Language ID=\"7\"/><State><LegalValue Name=\"Late\"/></State></Country>"
      "<Zipcode Caption=\"Lost\"/>"
      "<Country Name=\"B\"><State Caption=\"County\"><LegalValue Name=\"North\" Value=\"N\"/>"
      "<LegalValue Name=\"South\"/></State></Country></Countries></Localization>");
  ASSERT_EQ(tables.CountryNames(), (std::vector<std::string>{"A", "B"}));
  const TVpLocalizeCountryItem& a = tables.Countries()[0];
  EXPECT_EQ(a.CityCaption, "Town");
  EXPECT_TRUE(a.Languages.empty());
  EXPECT_TRUE(a.States.empty());
  EXPECT_EQ(a.ZipCaption, "Postal Code");
  EXPECT_EQ(tables.StateNames(1), (std::vector<std::string>{"North", "South"}));
  EXPECT_EQ(tables.Countries()[1].States[0].Abbr, "N");
  EXPECT_EQ(tables.Countries()[1].StateCaption, "County");
  EXPECT_TRUE(tables.StateNames(2).empty());
  EXPECT_TRUE(tables.StateNames(-1).empty());
}

TEST(Localization, CountryIsFoundByTheBeginningOfItsNameInAnyCase) {
  const TVpLocalization tables =
      Read("<Countries><Country Name=\"Nigeria\"/><Country Name=\"Niger\"/><Country Name=\"CANADA\"/></Countries>");
  const std::pair<const char*, int> cases[] = {{"niger", 0}, {"NIGER", 0}, {"Niger", 0},     {"canada", 2},
                                               {"c", 2},     {"", -1},     {"Nigerian", -1}, {"x", -1}};
  for (const auto& [text, index] : cases) EXPECT_EQ(tables.CountryIndexByName(text), index) << text;
}

TEST(Localization, CountryOfLanguageMatchesTheSubLanguageWhenGiven) {
  const TVpLocalization tables = Read(
      "<Countries><Country Name=\"Austria\"><Language ID=\"7\" SubID=\"3\"/></Country>"
      "<Country Name=\"Germany\"><Language ID=\"7\" SubID=\"1\"/></Country></Countries>");
  EXPECT_EQ(tables.CountryOfLanguage(MakeLanguageIdentifier(7, 1)), 1);
  EXPECT_EQ(tables.CountryOfLanguage(MakeLanguageIdentifier(7, 3)), 0);
  EXPECT_EQ(tables.CountryOfLanguage(MakeLanguageIdentifier(7, 0)), 0);
  EXPECT_EQ(tables.CountryOfLanguage(MakeLanguageIdentifier(7, 2)), -1);
  EXPECT_EQ(tables.CountryOfLanguage(MakeLanguageIdentifier(9, 1)), -1);
}

// A broken file keeps what was read before the error and says where it broke; a new load of a
// good file clears the error, appending keeps the countries.
TEST(Localization, BrokenFileKeepsWhatWasReadAndReportsTheError) {
  TVpLocalization tables;
  tables.LoadFromMemory("<Countries><Country Name=\"A\"/>\n<Country Name=\"B\"><City", "Localize.xml", false);
  EXPECT_EQ(tables.CountryNames(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(tables.LoadError().rfind("Localize.xml: Line: 2 Col: ", 0), 0u) << tables.LoadError();

  tables.LoadFromMemory("<Countries><Country Name=\"C\"/></Countries>", "more.xml", true);
  EXPECT_EQ(tables.LoadError(), "");
  EXPECT_EQ(tables.CountryNames(), (std::vector<std::string>{"A", "B", "C"}));

  tables.LoadFromFile("/nonexistent/Localize.xml", false);
  EXPECT_TRUE(tables.Countries().empty());
  EXPECT_EQ(tables.LoadError().rfind("/nonexistent/Localize.xml: ", 0), 0u) << tables.LoadError();
}

TEST(LanguageIdentifier, DesktopLocaleNamesGiveTheirNumbers) {
  const std::pair<const char*, int> cases[] = {{"en_US.UTF-8", 0x0409},
                                               {"en_GB", 0x0809},
                                               {"de_AT.UTF-8@euro", 0x0c07},
                                               {"de-CH", 0x0807},
                                               {"de", 0x0407},
                                               {"de_BR", 0x0407},
                                               {"es_ES.utf8", 0x0c0a},
                                               {"pt_BR", 0x0416},
                                               {"no_NO", 0x0414},
                                               {"nn_NO", 0x0814},
                                               {"zh_TW", 0x0404},
                                               {"C", 0},
                                               {"POSIX", 0},
                                               {"", 0},
                                               {"xx_YY", 0}};
  for (const auto& [name, identifier] : cases) EXPECT_EQ(LanguageIdentifierOf(name), identifier) << name;
}

// The file the program ships: it reads without error, and the desktop's usual languages find
// their countries in it (which checks the language table and the file against each other).
TEST(ShippedLocalization, ReadsWithoutErrorAndFindsTheCountriesOfCommonLanguages) {
  TVpLocalization tables;
  tables.LoadFromFile(std::string(KORET_RESOURCES_DIR) + "/Config/Localize.xml", false);
  ASSERT_EQ(tables.LoadError(), "");
  EXPECT_GE(tables.Countries().size(), 249u);
  const std::pair<const char*, const char*> cases[] = {{"en_US.UTF-8", "United States of America"},
                                                       {"en_GB.UTF-8", "United Kingdom"},
                                                       {"en_CA", "Canada"},
                                                       {"fr_CA.UTF-8", "Canada"},
                                                       {"de_DE.UTF-8", "Germany"},
                                                       {"de_AT", "Austria"},
                                                       {"de_CH", "Switzerland"},
                                                       {"fr_FR", "France"},
                                                       {"es_ES", "Spain"},
                                                       {"es_MX", "Mexico"},
                                                       {"pt_BR", "Brazil"},
                                                       {"it_IT", "Italy"},
                                                       {"nl_NL", "Netherlands"},
                                                       {"pl_PL", "Poland"},
                                                       {"ru_RU", "Russian Federation"},
                                                       {"ja_JP", "Japan"},
                                                       {"zh_CN", "China"},
                                                       {"sv_SE", "Sweden"},
                                                       {"en_AU", "Australia"},
                                                       {"en_IN", "India"}};
  for (const auto& [locale, country] : cases) {
    const TVpLocalizeCountryItem* found = tables.Country(tables.CountryOfLanguage(LanguageIdentifierOf(locale)));
    ASSERT_NE(found, nullptr) << locale;
    EXPECT_EQ(found->Name, country) << locale;
  }
  const TVpLocalizeCountryItem* usa = tables.Country(tables.CountryIndexByName("United States of America"));
  ASSERT_NE(usa, nullptr);
  EXPECT_EQ(usa->StateCaption, "State:");
  EXPECT_EQ(usa->ZipCaption, "ZIP Code:");
  EXPECT_FALSE(tables.Country(tables.CountryIndexByName("Germany"))->StatesVisible);
}

}  // namespace
