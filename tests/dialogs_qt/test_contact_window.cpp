#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "dialogs/qt/contact_edit_form.h"
#include "model/contacts.h"
#include "model/resource.h"
#include "platform/english_locale.h"
#include "platform/qt/command_guard.h"
#include "store/change_path.h"
#include "store/control_link.h"
#include "tests/dialogs_qt/window_controls.h"
#include "tests/support/planner_fixture.h"

namespace {

class ContactWindow : public ::testing::Test, protected TPlannerFixture {
 protected:
  ContactWindow() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    TTemporaryFolder::Write(Folder.File("Localize.xml"),
                            "<Countries><Country Name=\"Canada\"><State Caption=\"Province:\">"
                            "<LegalValue Name=\"Manitoba\" Value=\"MB\"/><LegalValue Name=\"Ontario\" Value=\"ON\"/>"
                            "</State></Country><Country Name=\"Germany\"><State Visible=\"False\"/></Country>"
                            "<Country Name=\"United States of America\"/></Countries>");
    Link.SetLocalizationFile(Folder.File("Localize.xml"));
    Link.SetDefaultCountry("United States of America");
    Dialog.SetDataStore(&Store());
    Dialog.SetControlLink(&Link);
    SetErrorHandler([this](const std::string& message) { Errors.push_back(message); });
  }
  ~ContactWindow() override { SetErrorHandler(nullptr); }

  TEnglishLocale Locale;
  TVpControlLink Link;
  TQtContactWindow Window;
  TVpContactEditDialog Dialog;
  std::vector<std::string> Errors;
  QObject Guard;
};

// Picks an entry of a list as the user does.
void Pick(QComboBox& list, const QString& entry) {
  const int index = list.findText(entry);
  ASSERT_GE(index, 0) << entry.toStdString();
  list.setCurrentIndex(index);
  emit list.activated(index);
}

// A new contact: Germany hides the state row; Canada shows its provinces; OK with an empty name
// keeps the window open; then the contact is in the contacts file.
TEST_F(ContactWindow, ANewContactInCanadaWithAProvinceFromTheList) {
  TVpContact* contact = Store().ActiveResource()->Contacts().AddContact(Store().GetNextID("Contacts"));
  WhenModalShows<TContactEditForm>(Guard, [this](TContactEditForm& window) {
    EXPECT_EQ(window.windowTitle(), "Untitled - Contact");
    QComboBox& country = Control<QComboBox>(window, "cboxCountry");
    QComboBox& state = Control<QComboBox>(window, "cboxState");
    QLabel& zipLabel = Control<QLabel>(window, "ZipLbl");
    EXPECT_EQ(country.currentText(), "United States of America");
    EXPECT_TRUE(Control<QLineEdit>(window, "StateEdit").isVisibleTo(&window)) << "no states: typed";

    Pick(country, "Germany");
    EXPECT_FALSE(Control<QLabel>(window, "StateLbl").isVisibleTo(&window));
    EXPECT_FALSE(state.isVisibleTo(&window));
    const int germanZipTop = zipLabel.y();

    Pick(country, "Canada");
    EXPECT_EQ(Control<QLabel>(window, "StateLbl").text(), "Province:");
    EXPECT_TRUE(state.isVisibleTo(&window));
    EXPECT_EQ(zipLabel.y(), germanZipTop + 25) << "the zip row moves down below the state row";
    Pick(state, "Ontario");

    Control<QPushButton>(window, "OKBtn").click();
    ASSERT_EQ(Errors, std::vector<std::string>{"Error: Name cannot be empty."});
    ASSERT_TRUE(window.isVisible()) << "the window stays open";
    QTest::keyClicks(&Control<QLineEdit>(window, "NameEdit"), "Tremblay, Élise");
    Control<QTabWidget>(window, "tabContact").setCurrentIndex(1);
    QTest::keyClicks(&Control<QLineEdit>(window, "PhoneEdit1"), "555-0100");
    Control<QPushButton>(window, "OKBtn").click();
  });
  bool ok = false;
  Store().Changes().Edit<TVpContact>(*contact, true,
                                     [&](TVpContact& c) { return ok = Dialog.Execute(&c, Locale, Window); });
  ASSERT_TRUE(ok);
  const std::string file = TTemporaryFolder::Read(TableFile("contacts.xml"));
  for (const char* expected : {"LastName=\"Tremblay\"", "FirstName=\"Élise\"", "Country=\"Canada\"",
                               "State=\"Ontario\"", "Phone1=\"555-0100\""})
    EXPECT_NE(file.find(expected), std::string::npos) << expected;
}

}  // namespace
