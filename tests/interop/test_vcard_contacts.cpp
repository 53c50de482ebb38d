#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "interop/vcard/vcard_contact_reader.h"
#include "interop/vcard/vcard_contact_writer.h"
#include "interop/vcard/vcard_text.h"
#include "model/day_number.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::deque<TVpContact> MapAll(const std::string& text, std::vector<TVpVCardMapping>* mappings = nullptr) {
  std::deque<TVpContact> contacts;
  for (const TVpVCard& card : ReadVCards(text)) {
    TVpVCardMapping mapping = MapVCardToContact(card, contacts.emplace_back());
    if (mappings) mappings->push_back(std::move(mapping));
  }
  return contacts;
}

// The phones given, as "kind number" in slot order.
std::vector<std::string> Phones(const TVpContact& contact) {
  std::vector<std::string> phones;
  for (int number = 1; number <= TVpContact::kPhoneCount; ++number) {
    if (!contact.Phone(number).empty())
      phones.push_back(std::to_string(contact.PhoneType(number)) + " " + contact.Phone(number));
  }
  return phones;
}

// Every field the cards carry, for comparing two contacts.
std::vector<std::string> Fields(const TVpContact& c) {
  std::vector<std::string> fields = {c.LastName(),
                                     c.FirstName(),
                                     c.Title(),
                                     c.Company(),
                                     c.Position(),
                                     c.EMail(),
                                     c.Address(),
                                     c.City(),
                                     c.State(),
                                     c.Zip(),
                                     c.Country(),
                                     std::to_string(c.AddressType()),
                                     c.Note(),
                                     std::to_string(c.Birthdate()),
                                     std::to_string(c.Anniversary()),
                                     std::to_string(c.Category())};
  for (const std::string& phone : Phones(c)) fields.push_back(phone);
  for (int number = 1; number <= TVpContact::kCustomCount; ++number) fields.push_back(c.Custom(number));
  return fields;
}

// The real files of other address books: the names, e-mails and phones a user expects.
TEST(VCardContacts, MapsTheSampleFilesOfOtherAddressBooks) {
  struct TCase {
    const char* File;
    size_t Cards;
    size_t Card;
    const char* LastName;
    const char* FirstName;
    const char* EMail;
    std::vector<std::string> Phones;  // kind code and number
  };
  const TCase cases[] = {
      {"ezvcard__gmail-list.vcf", 3, 1, "Beatle", "Chris", "chrisy55d@yahoo.com", {}},
      {"ezvcard__John_Doe_ANDROID.vcf", 6, 0, "", "", "john.doe@company.com", {}},
      {"ezvcard__John_Doe_ANDROID.vcf", 6, 2, "\xC3\x91 \xC3\x91 \xC3\x91 \xC3\x91 ", "", "", {"7 123456789"}},
      {"ezvcard__John_Doe_ANDROID.vcf",
       6,
       4,
       "\xC3\x91 \xC3\x91 ",
       "\xC3\x91 \xC3\x91 \xC3\x91 ",
       "bob@company.com",
       {"7 123456", "15 123456", "16 123456"}},
      {"ezvcard__John_Doe_EVOLUTION.vcf",
       1,
       0,
       "Doe",
       "John",
       "john.doe@ibm.com",
       {"7 905-666-1234", "15 905-555-1234"}},
      {"ezvcard__John_Doe_IPHONE.vcf",
       1,
       0,
       "Doe",
       "John",
       "john.doe@ibm.com",
       {"7 905-555-1234", "4 905-666-1234", "15 905-777-1234", "5 905-888-1234", "16 905-999-1234"}},
      {"ezvcard__John_Doe_MS_OUTLOOK.vcf",
       1,
       0,
       "Doe",
       "John",
       "john.doe@ibm.cm",
       {"15 (905) 555-1234", "4 (905) 666-1234"}},
      {"ezvcard__rfc6350-example.vcf",
       1,
       0,
       "Perreault",
       "Simon",
       "simon.perreault@viagenie.ca",
       {"15 +1-418-656-9254 ext. 102", "7 +1-418-262-6501"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.File) + " card " + std::to_string(c.Card));
    const std::deque<TVpContact> contacts = MapAll(ReadFile(std::string(KORET_INTEROP_SAMPLES) + "/" + c.File));
    ASSERT_EQ(contacts.size(), c.Cards);
    const TVpContact& contact = contacts[c.Card];
    EXPECT_EQ(contact.LastName(), c.LastName);
    EXPECT_EQ(contact.FirstName(), c.FirstName);
    EXPECT_EQ(contact.EMail(), c.EMail);
    EXPECT_EQ(Phones(contact), c.Phones);
  }
}

// The other fields of the samples, and what went into the notes instead of being lost.
TEST(VCardContacts, KeepsWhatHasNoFieldInTheNotes) {
  std::vector<TVpVCardMapping> mappings;
  const std::deque<TVpContact> desktopCards =
      MapAll(ReadFile(std::string(KORET_INTEROP_SAMPLES) + "/ezvcard__John_Doe_EVOLUTION.vcf"), &mappings);
  const TVpContact& desktopCard = desktopCards[0];
  EXPECT_EQ(mappings[0].Uid, "477343c8e6bf375a9bac1f96a5000837");
  EXPECT_EQ(desktopCard.Title(), "Mr.");
  EXPECT_EQ(desktopCard.Company(), "IBM");
  EXPECT_EQ(desktopCard.Position(), "Money Counter");
  EXPECT_EQ(desktopCard.Address(), "15 Crescent moon drive, ASB-123");
  EXPECT_EQ(desktopCard.City(), "Albaney");
  EXPECT_EQ(desktopCard.State(), "New York");
  EXPECT_EQ(desktopCard.Zip(), "12345");
  EXPECT_EQ(desktopCard.Country(), "United States of America");
  EXPECT_EQ(desktopCard.Birthdate(), EncodeDate(1980, 3, 22));
  EXPECT_EQ(desktopCard.Anniversary(), EncodeDate(1980, 3, 22));
  for (const char* line : {"\nAIM (home): johnny5@aol.com", "\nWeb page: http://www.ibm.com", "\nNickname: Johny",
                           "\nSpouse: Maria", "\nManager: Big Blue", "\nDepartment: Accounting; Dungeon",
                           "\nMiddle name: Richter, James", "\nName suffix: Sr.", "\nCategories: VIP"}) {
    EXPECT_NE(desktopCard.Note().find(line), std::string::npos) << line << " missing in\n" << desktopCard.Note();
  }
  EXPECT_TRUE(
      desktopCard.Note().starts_with("THIS SOFTWARE IS PROVIDED BY THE COPYRIGHT HOLDERS AND CONTRIBUTORS \"AS IS\""));
  EXPECT_EQ(mappings[0].Skipped,
            (std::vector<std::string>{"X-COUCHDB-APPLICATION-ANNOTATIONS", "X-EVOLUTION-FILE-AS"}));

  mappings.clear();
  const std::deque<TVpContact> iphones =
      MapAll(ReadFile(std::string(KORET_INTEROP_SAMPLES) + "/ezvcard__John_Doe_IPHONE.vcf"), &mappings);
  const TVpContact& iphone = iphones[0];
  EXPECT_EQ(iphone.Address(), "Silicon Alley 5,");
  EXPECT_EQ(iphone.Birthdate(), EncodeDate(2012, 6, 6));
  for (const char* line : {"Phone (pager): 905-111-1234", "Phone (AssistantPhone): 905-222-1234",
                           "Address (work): Street4\nBuilding 6\nFloor 8, New York, 12345, USA",
                           "Web page (HomePage): http://www.ibm.com"}) {
    EXPECT_NE(iphone.Note().find(line), std::string::npos) << line << " missing in\n" << iphone.Note();
  }
  EXPECT_EQ(mappings[0].Skipped, (std::vector<std::string>{"X-ABADR", "X-ABADR", "PHOTO"}));

  const std::deque<TVpContact> rfcs =
      MapAll(ReadFile(std::string(KORET_INTEROP_SAMPLES) + "/ezvcard__rfc6350-example.vcf"));
  const TVpContact& rfc = rfcs[0];
  EXPECT_EQ(rfc.Birthdate(), 0);
  EXPECT_NE(rfc.Note().find("Birthday: --0203"), std::string::npos) << rfc.Note();
  EXPECT_EQ(rfc.Anniversary(), EncodeDate(2009, 8, 8));
  EXPECT_EQ(rfc.Address(), "2875 Laurier, Suite D2-630");
  EXPECT_EQ(rfc.City(), "Quebec");
  EXPECT_EQ(rfc.Zip(), "G1V 2M2");
}

// Contacts with every field, all seventeen phone kinds, non-ASCII text and line breaks.
std::deque<TVpContact> SampleContacts() {
  std::deque<TVpContact> contacts(4);
  for (size_t i = 0; i < contacts.size(); ++i) {
    TVpContact& c = contacts[i];
    c.SetLastName(i == 0 ? "M\xC3\xBCller-L\xC3\xBC\x64\x65nscheidt, Jr.; \\" : "Last" + std::to_string(i));
    c.SetFirstName(i == 0 ? "Zo\xC3\xAB \xE6\x9D\xB1\xE4\xBA\xAC" : "First" + std::to_string(i));
    c.SetTitle("Dr.");
    c.SetCompany("Caf\xC3\xA9 & Co; Ltd");
    c.SetPosition("Head, Sales");
    c.SetEMail("person" + std::to_string(i) + "@example.org");
    c.SetAddress("12 Long Road\nFlat 3");
    c.SetCity("S\xC3\xA3o Paulo");
    c.SetState("SP");
    c.SetZip("01000-000");
    c.SetCountry("Brasil");
    c.SetAddressType(static_cast<int>(i));  // of no kind, home, work, other
    c.SetNote("Line one\nline two\n\n" + std::string(40, 'x') + " \xF0\x9F\x98\x80 \xE2\x82\xAC" +
              std::string(70, 'y'));
    c.SetBirthdate(EncodeDate(1970 + static_cast<int>(i), 2, 28));
    c.SetAnniversary(i == 1 ? 0 : EncodeDate(2001, 12, 31));
    c.SetCategory(static_cast<int>(i));
    for (int number = 1; number <= TVpContact::kPhoneCount; ++number) {
      const int kind = (static_cast<int>(i) * TVpContact::kPhoneCount + number - 1) % 17;
      c.SetPhoneType(number, kind);
      c.SetPhone(number, "+49 30 " + std::to_string(1000 + kind));
    }
    c.SetCustom(2, "custom, two");
  }
  contacts[3].SetPhone(2, "");
  return contacts;
}

TEST(VCardContacts, RoundTripGivesTheSameContacts) {
  for (const TVpVCardVersion version : {vvVersion30, vvVersion40}) {
    SCOPED_TRACE(version == vvVersion30 ? "3.0" : "4.0");
    std::string text;
    const std::deque<TVpContact> contacts = SampleContacts();
    for (size_t i = 0; i < contacts.size(); ++i) text += WriteVCard(contacts[i], "uid-" + std::to_string(i), version);
    // Lines end in CR LF, are 75 bytes at most, and are each whole UTF-8 text.
    for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
      const std::string_view line(text.data() + start, end - start);
      EXPECT_LE(line.size(), 75u);
      EXPECT_TRUE(IsValidUtf8(line)) << line;
      EXPECT_EQ(line.find_first_of("\r\n"), std::string_view::npos);
    }
    std::vector<TVpVCardMapping> mappings;
    const std::deque<TVpContact> read = MapAll(text, &mappings);
    ASSERT_EQ(read.size(), contacts.size());
    for (size_t i = 0; i < contacts.size(); ++i) {
      EXPECT_EQ(Fields(read[i]), Fields(contacts[i]));
      EXPECT_EQ(mappings[i].Uid, "uid-" + std::to_string(i));
      EXPECT_TRUE(mappings[i].IntoNotes.empty() && mappings[i].Skipped.empty());
    }
  }
}

// The samples' addresses keep the kind their address books gave them, through export and back.
TEST(VCardContacts, TheSamplesAddressesKeepTheirKinds) {
  const std::pair<const char*, int> cases[] = {{"ezvcard__John_Doe_EVOLUTION.vcf", adtHome},
                                               {"ezvcard__John_Doe_IPHONE.vcf", adtHome},
                                               {"ezvcard__John_Doe_MS_OUTLOOK.vcf", adtWork},
                                               {"ezvcard__rfc6350-example.vcf", adtWork}};
  for (const auto& [file, type] : cases) {
    SCOPED_TRACE(file);
    const std::deque<TVpContact> contacts = MapAll(ReadFile(std::string(KORET_INTEROP_SAMPLES) + "/" + file));
    ASSERT_EQ(contacts.size(), 1u);
    EXPECT_EQ(contacts[0].AddressType(), type);
    EXPECT_EQ(MapAll(WriteVCard(contacts[0], "u"))[0].AddressType(), type);
  }
}

// The kind of the address a contact takes from a card, and the ADR line it writes of it: read
// from TYPE (as 2.1, 3.0 and 4.0 cards mark it) or the label of the address's group.
TEST(VCardContacts, TheAddressKeepsItsKind) {
  struct TCase {
    const char* Name;
    std::string Lines;  // the card's address lines
    int Type;
    const char* Written30;  // the ADR line's name and parameters as written
    const char* Written40;
  };
  const TCase cases[] = {
      {"no type", "ADR:;;Main St 1;Bern;;3000;CH", adtNone, "ADR:", "ADR:"},
      {"home 3.0", "ADR;TYPE=HOME:;;Main St 1;Bern;;3000;CH", adtHome, "ADR;TYPE=HOME:", "ADR;TYPE=home:"},
      {"work 4.0", "ADR;TYPE=work:;;Main St 1;Bern;;3000;CH", adtWork, "ADR;TYPE=WORK:", "ADR;TYPE=work:"},
      {"other", "ADR;TYPE=OTHER:;;Main St 1;Bern;;3000;CH", adtOther, "ADR;TYPE=OTHER:", "ADR;TYPE=other:"},
      {"bare 2.1 parameters", "ADR;HOME;PREF:;;Main St 1;Bern;;3000;CH", adtHome, "ADR;TYPE=HOME:", "ADR;TYPE=home:"},
      {"list with postal", "ADR;TYPE=postal,work:;;Main St 1;Bern;;3000;CH", adtWork,
       "ADR;TYPE=WORK:", "ADR;TYPE=work:"},
      {"repeated parameter", "ADR;type=HOME;type=pref:;;Main St 1;Bern;;3000;CH", adtHome,
       "ADR;TYPE=HOME:", "ADR;TYPE=home:"},
      {"postal only", "ADR;TYPE=POSTAL:;;Main St 1;Bern;;3000;CH", adtNone, "ADR:", "ADR:"},
      {"group label", "item1.ADR:;;Main St 1;Bern;;3000;CH\r\nitem1.X-ABLabel:_$!<Home>!$_", adtHome,
       "ADR;TYPE=HOME:", "ADR;TYPE=home:"},
      {"label of its own", "item1.ADR:;;Main St 1;Bern;;3000;CH\r\nitem1.X-ABLabel:Holiday flat", adtOther,
       "ADR;TYPE=OTHER:", "ADR;TYPE=other:"},
      // The preferred address is the contact's; the other stays a labelled line of the notes.
      {"preferred of two", "ADR;TYPE=HOME:;;Elm 2;Thun;;3600;CH\r\nADR;TYPE=WORK,PREF:;;Main St 1;Bern;;3000;CH",
       adtWork, "ADR;TYPE=WORK:", "ADR;TYPE=work:"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::deque<TVpContact> read =
        MapAll("BEGIN:VCARD\r\nVERSION:3.0\r\nN:Doe;Jane;;;\r\n" + c.Lines + "\r\nEND:VCARD\r\n");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].AddressType(), c.Type);
    EXPECT_EQ(read[0].City(), "Bern");
    for (const auto& [version, written] : {std::pair{vvVersion30, c.Written30}, std::pair{vvVersion40, c.Written40}}) {
      const std::string card = WriteVCard(read[0], "u", version);
      EXPECT_NE(card.find("\r\n" + std::string(written) + ";;Main St 1;Bern;;3000;CH\r\n"), std::string::npos) << card;
      EXPECT_EQ(MapAll(card)[0].AddressType(), c.Type);
    }
  }
}

// A note's line breaks come back as LF, whichever the contact held; control characters no card
// can hold are left out.
TEST(VCardContacts, NotesKeepTheirLineBreaksAsLineFeeds) {
  TVpContact contact;
  contact.SetNote("a\r\nb\rc\nd\x01\te");
  EXPECT_EQ(MapAll(WriteVCard(contact, "u"))[0].Note(), "a\nb\nc\nd\te");
}

// Writes the sample contacts for the independent reader (check_vcards.py), with the names and
// counts it must find, when KORET_VCARD_EXPORT names the file.
TEST(VCardContacts, WritesTheExportForAnIndependentReader) {
  const char* path = std::getenv("KORET_VCARD_EXPORT");
  if (!path) GTEST_SKIP() << "run by the vcard_independent_reader test";
  std::ofstream cards(path, std::ios::binary);
  std::ofstream expected(std::string(path) + ".expected", std::ios::binary);
  for (const TVpContact& contact : SampleContacts()) {
    cards << WriteVCard(contact, "uid-" + contact.LastName());
    expected << contact.FullName() << "\t" << contact.LastName() << "\t" << contact.FirstName() << "\t"
             << Phones(contact).size() << "\t" << contact.EMail() << "\t" << contact.Note().size() << "\n";
  }
}

}  // namespace
