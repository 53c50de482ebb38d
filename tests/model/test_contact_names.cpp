#include <gtest/gtest.h>

#include "model/contact_names.h"
#include "tests/model/model_test_support.h"

namespace {

struct TNameCase {
  const char* Name;
  const char* Text;
  const char* LastName;
  const char* FirstName;
};

class NameParsing : public ::testing::TestWithParam<TNameCase> {};

TEST_P(NameParsing, SplitsIntoLastAndFirstName) {
  const TVpNameParts parts = SplitName(GetParam().Text);
  EXPECT_EQ(parts.LastName, GetParam().LastName);
  EXPECT_EQ(parts.FirstName, GetParam().FirstName);
}

INSTANTIATE_TEST_SUITE_P(
    ContactNames, NameParsing,
    ::testing::Values(TNameCase{"LastCommaFirst", "Beta, Alpha", "Beta", "Alpha"},
                      TNameCase{"FirstBlankLast", "Alpha Beta", "Beta", "Alpha"},
                      TNameCase{"SingleWord", "Beta", "Beta", ""},
                      TNameCase{"MiddleNameStaysWithTheFirst", "Anna Maria Beta", "Beta", "Anna Maria"},
                      TNameCase{"OnlyTheFirstCommaSplits", "Beta, Alpha, Jr.", "Beta", "Alpha, Jr"},
                      TNameCase{"PunctuationAroundIsDropped", "  (Alpha Beta!) ", "Beta", "Alpha"},
                      TNameCase{"NoLettersAtAll", " -- ", "", ""}, TNameCase{"Empty", "", "", ""},
                      TNameCase{"AccentedLettersAreKept", "\xC3\x89mile Zola", "Zola", "\xC3\x89mile"},
                      TNameCase{"AccentedLastLetterIsKept", "Ren\xC3\xA9, Jos\xC3\xA9", "Ren\xC3\xA9", "Jos\xC3\xA9"},
                      TNameCase{"CyrillicWhole", "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD", "\xD0\x98\xD0\xB2\xD0\xB0\xD0\xBD",
                                ""}),
    [](const auto& info) { return std::string(info.param.Name); });

struct TAddressCase {
  const char* Name;
  const char* Text;
  const char* City;
  const char* State;
  const char* Zip;
};

class AddressParsing : public ::testing::TestWithParam<TAddressCase> {};

TEST_P(AddressParsing, SplitsIntoCityStateAndZip) {
  const TVpAddressParts parts = SplitAddressLine(GetParam().Text);
  EXPECT_EQ(parts.City, GetParam().City);
  EXPECT_EQ(parts.State, GetParam().State);
  EXPECT_EQ(parts.Zip, GetParam().Zip);
}

INSTANTIATE_TEST_SUITE_P(
    ContactNames, AddressParsing,
    ::testing::Values(TAddressCase{"CityStateZip", "Rivertown, AB 12345", "Rivertown", "AB", "12345"},
                      TAddressCase{"NoZip", "Rivertown, AB", "Rivertown", "AB", ""},
                      TAddressCase{"NoCity", "AB 12345", "", "AB", "12345"},
                      TAddressCase{"ZipWithLetters", "Rivertown, AB 1234-XY", "Rivertown", "AB", "1234-XY"},
                      TAddressCase{"StateOfTwoWords", "Rivertown, New State 99", "Rivertown", "New State", "99"},
                      TAddressCase{"CityOnly", "Rivertown,", "", "Rivertown", ""},
                      TAddressCase{"AccentedCity", "Z\xC3\xBCrich, ZH 8001", "Z\xC3\xBCrich", "ZH", "8001"}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST(ContactNames, ParsingStoresThroughTheSetters) {
  TPlannerFixture planner;
  TVpContact* contact = planner.Resource->Contacts().AddContact(1);
  contact->ParseName("\xC3\x89mile Zola");
  EXPECT_EQ(contact->FirstName(), "\xC3\x89mile");
  EXPECT_EQ(contact->LastName(), "Zola");
  EXPECT_TRUE(contact->Changed());
  contact->ParseAddressLine("Rivertown, AB 12345");
  EXPECT_EQ(contact->City(), "Rivertown");
  EXPECT_EQ(contact->State(), "AB");
  EXPECT_EQ(contact->Zip(), "12345");
}

TEST(ContactNames, FullAndSortNames) {
  TPlannerFixture planner;
  TVpContact* contact = planner.Resource->Contacts().AddContact(1);
  EXPECT_EQ(contact->FullName(), "");
  contact->SetLastName("Beta");
  EXPECT_EQ(contact->FullName(), "Beta");
  EXPECT_EQ(contact->SortName(), "Beta");
  contact->SetFirstName("Alpha");
  EXPECT_EQ(contact->FullName(), "Alpha Beta");
  EXPECT_EQ(contact->SortName(), "Beta, Alpha");
  planner.Resource->Contacts().SetContactSort(csFirstLast);
  EXPECT_EQ(contact->SortName(), "Alpha Beta");
  contact->SetLastName("");
  EXPECT_EQ(contact->FullName(), "Alpha");
}

}  // namespace
