#include <gtest/gtest.h>

#include <functional>

#include "dialogs/contact/contact_edit_dialog.h"
#include "model/contacts.h"
#include "model/resource.h"
#include "platform/english_locale.h"
#include "store/change_path.h"
#include "store/control_link.h"
#include "tests/support/planner_fixture.h"

namespace {

// Canada: provinces from a list; Germany: no state row; Nozip: no zip row and a typed state.
constexpr const char* kCountries =
    "<Countries>"
    "<Country Name=\"Canada\"><State Caption=\"Province:\"><LegalValue Name=\"Ontario\" Value=\"ON\"/>"
    "<LegalValue Name=\"Newfoundland and Labrador Isles\" Value=\"NL\"/></State></Country>"
    "<Country Name=\"Germany\"><Language ID=\"7\" SubID=\"1\"/><State Visible=\"False\"/></Country>"
    "<Country Name=\"Nozip\"><Zipcode Visible=\"no\"/></Country>"
    "<Country Name=\"United States of America\"><Language ID=\"9\" SubID=\"1\"/>"
    "<State Caption=\"State:\"><LegalValue Name=\"Ohio\" Value=\"OH\"/></State>"
    "<Zipcode Caption=\"ZIP Code:\"/></Country>"
    "</Countries>";

// Fixed metrics: 7 pixels per byte in the labels' font, 6 in the lists'.
int LabelWidth(const std::string& text) { return 7 * static_cast<int>(text.size()); }
int ListWidth(const std::string& text) { return 6 * static_cast<int>(text.size()); }

// The contact window, scripted by the test: the user's work on the form, then OK (true) or Cancel.
class TScriptedContactWindow : public TVpContactWindow {
 public:
  bool Show(TVpContactEditRules& form, const std::string& caption, const TVpDialogPlacement&,
            TVpDialogOptions) override {
    Captions.push_back(caption);
    return Work ? Work(form) : false;
  }
  std::function<bool(TVpContactEditRules&)> Work;
  std::vector<std::string> Captions;
};

class ContactEdit : public ::testing::Test, protected TPlannerFixture {
 protected:
  ContactEdit() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    TTemporaryFolder::Write(Folder.File("Localize.xml"), kCountries);
    Link.SetLocalizationFile(Folder.File("Localize.xml"));
    Link.SetDefaultCountry("United States of America");
    Dialog.SetDataStore(&Store());
    Dialog.SetControlLink(&Link);
  }
  TVpContacts& Contacts() { return Store().ActiveResource()->Contacts(); }
  TVpContact& PostedContact(const char* last, const char* first, const char* country = "", const char* state = "") {
    TVpContact* contact = Contacts().AddContact(Store().GetNextID("Contacts"));
    contact->SetLastName(last);
    contact->SetFirstName(first);
    contact->SetCountry(country);
    contact->SetState(state);
    Store().PostContacts();
    return *contact;
  }
  std::string ContactsFile() const { return TTemporaryFolder::Read(TableFile("contacts.xml")); }
  // The dialog as the organizer runs it: through the change path, which posts what it wrote.
  bool Execute(TVpContact& contact, std::function<bool(TVpContactEditRules&)> work) {
    Window.Work = std::move(work);
    bool ok = false;
    Store().Changes().Edit<TVpContact>(contact, false,
                                       [&](TVpContact& c) { return ok = Dialog.Execute(&c, Locale, Window); });
    return ok;
  }
  // The form as the window would show the contact.
  std::unique_ptr<TVpContactEditRules> FormFor(const TVpContact& contact, const TVpControlLink* link) {
    auto form = std::make_unique<TVpContactEditRules>(link, Locale);
    form->Fill(contact);
    return form;
  }

  TEnglishLocale Locale;
  TVpControlLink Link;
  TScriptedContactWindow Window;
  TVpContactEditDialog Dialog;
};

TEST_F(ContactEdit, AHiddenZipRowMovesTheRowsBelowItUp) {
  TVpContact& contact = PostedContact("Doe", "Jo", "Nozip");
  const TVpContactLayout nozip = FormFor(contact, &Link)->Layout(LabelWidth, ListWidth);
  EXPECT_EQ(nozip.ControlTop, (std::array<int, kContactRowCount>{4, 29, 54, 79, 104, -1, 129, 154, 179, 204}));
  EXPECT_EQ(nozip.LabelWidth, 63) << "\"Category:\", nine characters";
  EXPECT_EQ(nozip.ControlLeft, 75);
  EXPECT_EQ(nozip.CountryListWidth, 24 * 6 + 32);
  EXPECT_EQ(nozip.StateListWidth, 0) << "a country without states has a typed state";
  EXPECT_EQ(nozip.Width, 75 + 176 + 20);
  EXPECT_EQ(nozip.Height, 229 + 103);

  contact.SetCountry("Canada");
  const auto canada = FormFor(contact, &Link);
  const TVpContactLayout layout = canada->Layout(LabelWidth, ListWidth);
  EXPECT_EQ(layout.ControlTop[cfZip], 129);
  EXPECT_EQ(layout.ControlTop[cfCountry], 154);
  EXPECT_EQ(layout.Height, 254 + 103);
  EXPECT_EQ(layout.StateListWidth, 31 * 6 + 32);
  EXPECT_EQ(layout.Width, layout.ControlLeft + layout.StateListWidth + 20);
  EXPECT_EQ(canada->Caption(cfState), "Province:");
  EXPECT_EQ(canada->Caption(cfZip), "Postal Code") << "the country's own caption";
  EXPECT_TRUE(canada->StateListShown());

  contact.SetCountry("germany");
  const auto germany = FormFor(contact, &Link);
  EXPECT_FALSE(germany->RowVisible(cfState));
  EXPECT_EQ(germany->Layout(LabelWidth, ListWidth).ControlTop[cfZip], 104);
  EXPECT_EQ(germany->CountryIndex(), 1) << "found by the beginning of its name, in any case";
}

TEST_F(ContactEdit, WithoutLocalizationCountryAndStateAreTypedAndEveryRowShows) {
  TVpContact& contact = PostedContact("Doe", "Jo", "Germany");
  TVpControlLink empty;
  for (const TVpControlLink* link : std::initializer_list<const TVpControlLink*>{&empty, nullptr}) {
    const auto form = FormFor(contact, link);
    EXPECT_FALSE(form->UsesLists());
    EXPECT_FALSE(form->StateListShown());
    EXPECT_TRUE(form->CountryNames().empty());
    const TVpContactLayout layout = form->Layout(LabelWidth, ListWidth);
    EXPECT_EQ(layout.Width, 265);
    EXPECT_EQ(layout.Height, 4 + 10 * 25 + 103);
    for (TVpContactField row : {cfAddress, cfCity, cfState, cfZip}) EXPECT_TRUE(form->RowVisible(row));
    EXPECT_EQ(form->Caption(cfState), "State:");
    EXPECT_EQ(form->Caption(cfZip), "Zip Code:");
  }
}

TEST_F(ContactEdit, TheCountryOfANewContactIsTheDefaultElseTheDesktopLanguages) {
  TVpContact& contact = PostedContact("Doe", "Jo");
  EXPECT_EQ(FormFor(contact, &Link)->Text(cfCountry), "United States of America");
  Link.SetDefaultCountry("");
  EXPECT_EQ(FormFor(contact, &Link)->Text(cfCountry), "United States of America") << "English (United States)";
}

// A country or state in no list (an older file, a misspelling) is kept on OK; picking another
// country empties the state; a state picked from the list that is too long for the table goes by
// its abbreviation.
TEST_F(ContactEdit, CountriesAndStatesOutsideTheListsSurviveOk) {
  const std::pair<const char*, const char*> kept[] = {{"Atlantis", "Nowhere"}, {"Canada", "Ontari0"}, {"canada", ""}};
  for (const auto& [country, state] : kept) {
    SCOPED_TRACE(country);
    TVpContact& contact = PostedContact("Doe", "Jo", country, state);
    ASSERT_TRUE(Execute(contact, [](TVpContactEditRules& form) { return form.Validate(); }));
    EXPECT_EQ(contact.Country(), country);
    EXPECT_EQ(contact.State(), state);
    EXPECT_NE(ContactsFile().find(std::string("Country=\"") + country + "\""), std::string::npos);
  }

  TVpContact& moved = PostedContact("Roe", "Al", "Canada", "Ontario");
  ASSERT_TRUE(Execute(moved, [](TVpContactEditRules& form) {
    EXPECT_EQ(form.StateIndex(), 0);
    form.SelectCountry(3);
    EXPECT_EQ(form.Text(cfState), "");
    EXPECT_EQ(form.StateNames(), std::vector<std::string>{"Ohio"});
    form.SelectCountry(0);
    form.SelectState(1);
    return form.Validate();
  }));
  EXPECT_EQ(moved.Country(), "Canada");
  EXPECT_EQ(moved.State(), "NL") << "\"Newfoundland and Labrador Isles\" does not fit 25 characters";
}

// The name shown is the stored one in the list's order; only an edited name is split again.
TEST_F(ContactEdit, TheNameIsSplitOnlyWhenEdited) {
  struct TCase {
    const char* Typed;  // nullptr: the name is left as shown
    const char* Last;
    const char* First;
  };
  const TCase cases[] = {{"Beta, Alpha", "Beta", "Alpha"},  {"Alpha Beta", "Beta", "Alpha"},
                         {"Single", "Single", ""},          {nullptr, "van Dyke", "Dick"},
                         {"  Zoë Émile! ", "Émile", "Zoë"}, {"Dyke, Dick van", "Dyke", "Dick van"}};
  for (TVpContactSort order : {csLastFirst, csFirstLast}) {
    Contacts().SetContactSort(order);
    for (const TCase& row : cases) {
      SCOPED_TRACE(std::string(row.Typed ? row.Typed : "(unchanged)") + (order == csFirstLast ? " first-last" : ""));
      TVpContact& contact = PostedContact("van Dyke", "Dick");
      ASSERT_TRUE(Execute(contact, [&row](TVpContactEditRules& form) {
        if (row.Typed) form.SetText(cfName, row.Typed);
        return form.Validate();
      }));
      EXPECT_EQ(contact.LastName(), row.Last);
      EXPECT_EQ(contact.FirstName(), row.First);
    }
  }
}

// An empty name is refused with the error and the window stays open; a field longer than its
// table column is marked and nothing is written until it fits. A long value the file already
// held does not stand in the way.
TEST_F(ContactEdit, AnEmptyNameOrATooLongFieldKeepsTheWindowOpen) {
  TVpContact& contact = PostedContact("Doe", "Jo");
  contact.SetCompany(std::string(60, 'c'));
  const std::string before = ContactsFile();
  int attempts = 0;
  ASSERT_TRUE(Execute(contact, [&](TVpContactEditRules& form) {
    form.SetText(cfName, " ,  ");
    try {
      form.Validate();
      ADD_FAILURE() << "an empty name was taken";
    } catch (const EVpContactEditError& e) {
      EXPECT_STREQ(e.what(), "Error: Name cannot be empty.");
    }
    form.SetText(cfName, "Doe, Jo");
    form.SetText(cfCity, std::string(51, 'x'));
    form.SetText(PhoneField(3), std::string(26, '5'));
    ++attempts;
    EXPECT_FALSE(form.Validate());
    EXPECT_EQ(form.MarkText(cfCity), "The city is longer than 50 characters.");
    EXPECT_EQ(form.MarkText(PhoneField(3)), "The phone number is longer than 25 characters.");
    EXPECT_FALSE(form.Marked(cfCompany));
    form.SetText(cfCity, "Rivertown");
    form.SetText(PhoneField(3), "555");
    return form.Validate();
  }));
  EXPECT_EQ(attempts, 1);
  EXPECT_NE(ContactsFile(), before);
  EXPECT_EQ(contact.City(), "Rivertown");
}

TEST_F(ContactEdit, CancelLeavesTheFieldsButTypingMarksTheContactChanged) {
  TVpContact& contact = PostedContact("Doe", "Jo", "Canada", "Ontario");
  EXPECT_FALSE(Execute(contact, [](TVpContactEditRules& form) {
    form.SetText(cfCustom1, "kept out");
    return false;
  }));
  EXPECT_FALSE(contact.Changed()) << "a custom field does not count";
  EXPECT_FALSE(Execute(contact, [](TVpContactEditRules& form) {
    form.SetText(cfCity, "Elsewhere");
    return false;
  }));
  EXPECT_EQ(contact.City(), "");
  EXPECT_TRUE(contact.Changed());
  EXPECT_EQ(Window.Captions.back(), "Jo Doe - Contact");
}

}  // namespace
