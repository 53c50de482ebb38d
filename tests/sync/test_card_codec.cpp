#include <gtest/gtest.h>

#include "interop/vcard/vcard_contact_reader.h"
#include "interop/vcard/vcard_contact_writer.h"
#include "sync/address_book_sync_codec.h"
#include "sync/sync_server.h"
#include "tests/sync/sync_test_support.h"

namespace {

const TAddressBookSyncCodec kCodec(1797163200);  // merges at 2026-12-13 12:00 UTC

TEST(CardCodec, TheSameCardWrittenOtherwiseHasTheSameDigest) {
  const std::string card = SyncSample("card.vcf");
  const struct {
    const char* Name;
    std::string Text;
  } kForms[] = {
      {"re-serialised by another library", SyncSample("reserialised-card.vcf")},
      {"stamps, product and order",
       Replaced(Replaced(Replaced(Replaced(card, "REV:20240501T120000Z", "REV:20261209T101010Z"),
                                  "PRODID:-//Example Corp//Server 1.0//EN\r\n", ""),
                         "TITLE:Leiter\r\n", ""),
                "END:VCARD", "TITLE:Leiter\r\nEND:VCARD")},
      {"folding inside a character", Replaced(card, "ORG:Beispiel GmbH", "ORG:Beisp\r\n iel GmbH")},
      {"LF line ends",
       [&] {
         std::string text = card;
         std::erase(text, '\r');
         return text;
       }()},
      {"groups and labels",
       Replaced(card, "TEL;TYPE=CELL:+49 170 5555", "item1.TEL;TYPE=CELL:+49 170 5555\r\nitem1.X-ABLabel:mobil")},
      {"version 4.0",
       Replaced(Replaced(Replaced(Replaced(card, "VERSION:3.0", "VERSION:4.0"), "BDAY:1970-03-04", "BDAY:19700304"),
                         "EMAIL;TYPE=INTERNET:", "EMAIL:"),
                "TEL;TYPE=CELL:", "TEL;TYPE=cell:")},
  };
  const TSyncItemDigest base = DigestOf(kCodec, card);
  EXPECT_EQ(base.Kind, sikContact);
  EXPECT_EQ(base.Uid, "card-1@example.org");
  for (const auto& form : kForms) {
    SCOPED_TRACE(form.Name);
    const TSyncItemDigest other = DigestOf(kCodec, form.Text);
    EXPECT_EQ(other.Uid, base.Uid);
    EXPECT_EQ(other.Hash, base.Hash);
  }
}

TEST(CardCodec, EachMappedFieldChangesTheDigest) {
  const std::string card = SyncSample("card.vcf");
  const struct {
    const char* From;
    const char* To;
  } kChanges[] = {
      {"N:Müller;Jürgen;;Dr.;", "N:Müller;Jürgen;;Prof.;"},
      {"N:Müller;", "N:Mueller;"},
      {"ORG:Beispiel GmbH", "ORG:Beispiel AG"},
      {"TITLE:Leiter", "TITLE:Leiterin"},
      {"Hauptstraße 5", "Hauptstraße 6"},
      {";Köln;", ";Bonn;"},
      {";NRW;", ";BY;"},
      {";50667;", ";50668;"},
      {";Deutschland", ";Österreich"},
      {"ADR;TYPE=WORK:", "ADR;TYPE=HOME:"},
      {"ADR;TYPE=WORK:", "ADR:"},
      {"+49 221 1234", "+49 221 1235"},
      {"TEL;TYPE=CELL", "TEL;TYPE=HOME"},
      {"juergen@example.org", "j@example.org"},
      {"BDAY:1970-03-04", "BDAY:1970-03-05"},
      {"BDAY:1970-03-04", "BDAY:1970-03-04\r\nX-ANNIVERSARY:2000-06-01"},
      {"NOTE:Notiz\\, mit Komma", "NOTE:Notiz"},
      {"CATEGORIES:Family", "CATEGORIES:Clients"},
      {"END:VCARD", "X-KORET-CUSTOM2:Wert\r\nEND:VCARD"},
      {"END:VCARD", "URL:https://example.org/\r\nEND:VCARD"},  // kept in the notes
  };
  const std::string base = DigestOf(kCodec, card).Hash;
  for (const auto& change : kChanges) {
    SCOPED_TRACE(change.To);
    EXPECT_NE(DigestOf(kCodec, Replaced(card, change.From, change.To)).Hash, base);
  }
}

TEST(CardCodec, CardsWithoutAContactAreRefusedWithTheReason) {
  TSyncItemDigest digest;
  std::string error;
  EXPECT_FALSE(kCodec.Digest(Replaced(SyncSample("card.vcf"), "UID:card-1@example.org\r\n", ""), digest, error));
  EXPECT_EQ(error, "it has no UID");
  EXPECT_FALSE(kCodec.Digest("BEGIN:VCARD\r\nFN:x\r\n", digest, error));
  EXPECT_NE(error.find("line"), std::string::npos) << error;
}

// The contact as the organizer writes it after it took in card.vcf with a web page, changed by the
// test.
std::string Ours(const std::function<void(TVpContact&)>& change) {
  TVpContact contact;
  MapVCardToContact(ReadVCards(SyncSample("card.vcf")).front(), contact);
  contact.SetNote(contact.Note() + "\nWeb page: https://example.org/");
  change(contact);
  return WriteVCard(contact, "card-1@example.org");
}

TEST(CardCodec, MergeKeepsWhatOtherProgramsStoredAndDigestsToOurs) {
  const std::string server =
      Replaced(Replaced(SyncSample("card.vcf"), "VERSION:3.0", "VERSION:4.0"), "END:VCARD",
               "PHOTO:data:image/png;base64,iVBORw0KGgo=\r\nURL:https://example.org/\r\nX-OTHER-ID:7\r\nEND:VCARD");
  EXPECT_EQ(DigestOf(kCodec, server).Hash, DigestOf(kCodec, Ours([](TVpContact&) {})).Hash);
  EXPECT_EQ(kCodec.Merge(server, Ours([](TVpContact&) {})), server);
  const struct {
    const char* Name;
    std::function<void(TVpContact&)> Change;
    std::vector<std::string> Kept;
  } kEdits[] = {
      {"name", [](TVpContact& c) { c.SetLastName("Meier"); }, {"N:Meier;Jürgen;;Dr.;", "FN:Jürgen Meier", "URL:"}},
      {"e-mail", [](TVpContact& c) { c.SetEMail("neu@example.org"); }, {"EMAIL:neu@example.org", "URL:"}},
      {"phones", [](TVpContact& c) { c.SetPhone(2, ""); }, {"+49 221 1234", "URL:"}},
      {"notes", [](TVpContact& c) { c.SetNote("Neu\nWeb page: https://example.org/"); }, {"NOTE:Neu\r\n", "URL:"}},
      {"the labelled line", [](TVpContact& c) { c.SetNote("Neu"); }, {"NOTE:Neu\r\n"}},
      {"birthday", [](TVpContact& c) { c.SetBirthdate(0); }, {"URL:"}},
      {"address kind", [](TVpContact& c) { c.SetAddressType(adtHome); }, {"ADR;TYPE=home:;;Hauptstraße 5;", "URL:"}},
  };
  for (const auto& edit : kEdits) {
    SCOPED_TRACE(edit.Name);
    const std::string ours = Ours(edit.Change);
    const std::string merged = kCodec.Merge(server, ours);
    EXPECT_EQ(DigestOf(kCodec, merged).Hash, DigestOf(kCodec, ours).Hash) << merged;
    for (const char* kept : {"VERSION:4.0", "PHOTO:data:image/png", "X-OTHER-ID:7"})
      EXPECT_NE(merged.find(kept), std::string::npos) << kept << "\n" << merged;
    for (const std::string& kept : edit.Kept) EXPECT_NE(merged.find(kept), std::string::npos) << kept << "\n" << merged;
  }
}

TEST(CardCodec, AConflictCopyMarksTheFormattedNameAndKeepsTheNames) {
  const std::string copy = kCodec.ConflictCopy(SyncSample("card.vcf"), "copy-2@koret");
  EXPECT_EQ(DigestOf(kCodec, copy).Uid, "copy-2@koret");
  EXPECT_EQ(copy.find("BEGIN:VCARD\r\nVERSION:3.0\r\nUID:copy-2@koret\r\n"), 0u) << copy;
  EXPECT_NE(copy.find("\r\nN:Müller;Jürgen;;Dr.;\r\n"), std::string::npos) << copy;
  EXPECT_NE(copy.find("FN:Jürgen Müller (server copy)"), std::string::npos) << copy;
  const std::string unnamed = kCodec.ConflictCopy(Replaced(SyncSample("card.vcf"), "FN:Jürgen Müller\r\n", ""), "c");
  EXPECT_NE(unnamed.find("FN:(server copy)\r\nEND:VCARD"), std::string::npos) << unnamed;
  EXPECT_NE(unnamed.find("\r\nN:Müller;Jürgen;;Dr.;\r\n"), std::string::npos) << unnamed;
  EXPECT_THROW(kCodec.ConflictCopy("garbage", "x"), ESyncError);
}

// A changed phone number replaces only its own line: the others keep their parameters and place;
// the card's REV becomes the merge's moment.
TEST(CardCodec, MergeReplacesOnlyTheNumbersThatChanged) {
  const std::string server = Replaced(
      Replaced(Replaced(SyncSample("card.vcf"), "VERSION:3.0", "VERSION:4.0"), "TEL;TYPE=WORK,VOICE:+49 221 1234",
               "TEL;VALUE=uri;PREF=1;TYPE=\"work,voice\":tel:+49-221-1234"),
      "TEL;TYPE=CELL:+49 170 5555", "item2.TEL;TYPE=cell:+49 170 5555\r\nitem2.X-ABLabel:mobil");
  const struct {
    const char* Name;
    std::function<void(TVpContact&)> Change;
    std::vector<std::string> Lines;  // the merged card's TEL lines, in order
  } kEdits[] = {
      {"the second changed",
       [](TVpContact& c) { c.SetPhone(2, "+49 170 6666"); },
       {"TEL;VALUE=uri;PREF=1;TYPE=\"work,voice\":tel:+49-221-1234", "TEL;TYPE=cell:+49 170 6666"}},
      {"the first changed",
       [](TVpContact& c) { c.SetPhone(1, "+49 221 9999"); },
       {"TEL;TYPE=work:+49 221 9999", "item2.TEL;TYPE=cell:+49 170 5555"}},
      {"one added",
       [](TVpContact& c) { c.SetPhone(3, "+49 30 1111"); },
       {"TEL;VALUE=uri;PREF=1;TYPE=\"work,voice\":tel:+49-221-1234", "item2.TEL;TYPE=cell:+49 170 5555",
        "TEL;TYPE=work,fax:+49 30 1111"}},
      {"the second removed",
       [](TVpContact& c) { c.SetPhone(2, ""); },
       {"TEL;VALUE=uri;PREF=1;TYPE=\"work,voice\":tel:+49-221-1234"}},
  };
  for (const auto& edit : kEdits) {
    SCOPED_TRACE(edit.Name);
    TVpContact ours;
    MapVCardToContact(ReadVCards(server).front(), ours);
    edit.Change(ours);
    const std::string merged = kCodec.Merge(server, WriteVCard(ours, "card-1@example.org", vvVersion40));
    std::vector<std::string> lines;
    for (size_t at = 0; (at = merged.find("TEL", at)) != std::string::npos; at = merged.find("\r\n", at)) {
      const size_t start = merged.rfind("\n", at) + 1;
      lines.push_back(merged.substr(start, merged.find("\r\n", at) - start));
    }
    EXPECT_EQ(lines, edit.Lines) << merged;
    EXPECT_NE(merged.find("\r\nREV:20261213T120000Z\r\n"), std::string::npos) << merged;
    EXPECT_NE(merged.find("item2.X-ABLabel:mobil"), std::string::npos) << merged;
  }
}

}  // namespace
