#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/contact.h"
#include "model/contacts.h"
#include "model/resource.h"
#include "platform/message_queue.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/contacts/contact_grid.h"

// The contact grid on the recording canvas (8-point fonts: text 16 pixels high, 8 a code point).
// A card with the default column width 145 is 121 wide; its name box is 19 high and each further
// line 22; the cards of a column start at x 14 and the next column 147 further right.

namespace {

class ContactGridTest : public ::testing::Test, protected TPlannerFixture {
 protected:
  ContactGridTest() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Grid = std::make_unique<TVpContactGrid>(&Window);
    Grid->SetDataStore(&Store());
    Grid->SetEditDialogs(&Dialogs);
  }

  TVpContact& Add(const std::string& last, const std::string& first = "") {
    TVpContact* contact = Store().ActiveResource()->Contacts().AddContact(NextID++);
    contact->SetLastName(last);
    contact->SetFirstName(first);
    return *contact;
  }
  // Contacts "C000", "C001", ... with only a last name: cards 31 pixels high.
  void AddNumbered(int count) {
    for (int i = 0; i < count; ++i)
      Add("C" + std::string(i < 100 ? "0" : "") + (i < 10 ? "0" : "") + std::to_string(i));
  }

  TRecordingCanvas Paint(const TRect& rect = {0, 0, 400, 300}) {
    TRecordingCanvas canvas;
    Grid->Resize(rect.Width(), rect.Height());
    Grid->Paint(canvas, rect);
    return canvas;
  }
  int Print(const TRect& rect, int startLine, TRecordingCanvas* canvas = nullptr) {
    TRecordingCanvas own;
    Grid->RenderIntoRect(canvas != nullptr ? canvas : &own, rect, ra0, 1, 0, startLine, -1, gr30Min, true);
    return Grid->NextPrintLine();
  }
  static std::vector<std::string> Texts(const TRecordingCanvas& canvas) {
    std::vector<std::string> texts;
    for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText)) texts.push_back(op.Text);
    return texts;
  }

  std::unique_ptr<TVpContactGrid> Grid;
  int NextID = 1;
};

TEST_F(ContactGridTest, ACardShowsTheNameBoxThenItsNonEmptyLines) {
  TVpContact& full = Add("Berg", "Ada");
  full.SetCompany("Acme");
  full.SetCity("Rivertown");
  full.SetZip("12345");
  full.SetPhone(1, "555");
  full.SetPhoneType(1, 20);
  full.SetPhone(2, "777");
  full.SetPhoneType(2, 7);
  full.SetEMail("a@b");
  Grid->SetColumnWidth(400);
  const TRecordingCanvas canvas = Paint({0, 0, 800, 300});
  EXPECT_EQ(Texts(canvas), (std::vector<std::string>{"Berg, Ada", "Acme", "Rivertown,  12345", ": ", "555",
                                                     "Mobile: ", "777", "E-Mail: ", "a@b"}))
      << "a kind without a name gives the bare label";
  EXPECT_EQ(Grid->ScreenLayout().Cards[0], Rect(14, 14, 14 + 376, 14 + 19 + 5 * 22 + 12));
  Grid->SetSortBy(csFirstLast);
  EXPECT_EQ(Texts(Paint({0, 0, 800, 300}))[0], "Ada Berg");
}

// The numbers and the address start right after the card's widest label (8 pixels a character
// here), not after room for the longest kind's name, so that they are cut far less.
TEST_F(ContactGridTest, NumbersStartAfterTheCardsWidestLabel) {
  TVpContact& ada = Add("Berg", "Ada");
  ada.SetPhone(1, "555-0100");
  ada.SetPhoneType(1, 7);
  ada.SetEMail("ada@b.org");
  Grid->SetColumnWidth(200);
  const TRecordingCanvas canvas = Paint();
  std::map<std::string, int> left;
  for (const TCanvasOp& op : canvas.OpsOf(TCanvasOp::opText)) left[op.Text] = op.Rect.Left;
  ASSERT_TRUE(left.count("555-0100") && left.count("ada@b.org")) << ::testing::PrintToString(Texts(canvas));
  EXPECT_EQ(left["555-0100"], left["ada@b.org"]);
  EXPECT_EQ(left["555-0100"] - left["Mobile: "], 8 * 8) << "the width of \"Mobile: \"";
}

TEST_F(ContactGridTest, CityLineAndDisplayNameVariants) {
  struct TCase {
    const char *City, *State, *Zip, *Line;
  };
  for (const TCase& c :
       {TCase{"Rome", "RM", "001", "Rome, RM 001"}, TCase{"Rome", "", "001", "Rome,  001"}, TCase{"", "", "001", "001"},
        TCase{"", "RM", "", "RM "}, TCase{"Rome", "", "", "Rome,  "}, TCase{"", "", "", ""}}) {
    TVpContact contact;
    contact.SetCity(c.City);
    contact.SetState(c.State);
    contact.SetZip(c.Zip);
    EXPECT_EQ(ContactCityLine(contact), c.Line) << c.City << "|" << c.State << "|" << c.Zip;
  }
  TVpContact lastOnly;
  lastOnly.SetLastName("Berg");
  EXPECT_EQ(ContactDisplayName(lastOnly, false), "Berg");
  EXPECT_EQ(ContactDisplayName(lastOnly, true), "Berg");
  EXPECT_EQ(ContactDeleteQuestion(lastOnly),
            "Delete Berg from your list of contacts?\r\n\nThis operation cannot be undone!");
  lastOnly.SetFirstName("Ada");
  EXPECT_EQ(ContactDeleteQuestion(lastOnly),
            "Delete Ada Berg from your list of contacts?\r\n\nThis operation cannot be undone!");
}

TEST_F(ContactGridTest, ALastNameOnlyCardAndMultiByteNamesAreCutByWholeCodePoints) {
  Add("Berg");
  Add(std::string(20, 'x') + "\xC3\x89\xC3\x89\xC3\x89\xC3\x89\xC3\x89\xC3\x89\xC3\x89\xC3\x89");
  const TRecordingCanvas canvas = Paint();
  EXPECT_EQ(Grid->ScreenLayout().Cards[0], Rect(14, 14, 135, 14 + 16 + 3 + 12));
  const std::string cut = Texts(canvas)[1];
  EXPECT_EQ(cut, std::string(10, 'x') + "...") << "109 pixels hold 13 code points";
}

TEST_F(ContactGridTest, CardsFillColumnsAndTheFirstCardOfAColumnIsDrawnEvenWhenItOverflows) {
  AddNumbered(12);
  Paint({0, 0, 400, 100});
  // Bottom 100: a card at y may start while y + 19 < 82, so two cards (14, 45) per column.
  const TVpContactGridLayout& layout = Grid->ScreenLayout();
  EXPECT_EQ(layout.Cards[1], Rect(14, 45, 135, 76));
  EXPECT_EQ(layout.Cards[2], Rect(161, 14, 282, 45));
  EXPECT_EQ(layout.ContactsPerColumn, 2);
  EXPECT_EQ(layout.VisibleCount, 6) << "columns at 14, 161 and 308; the one at 455 is beyond the edge";
  EXPECT_EQ(layout.HiddenCount, 6);

  Paint({0, 0, 400, 40});
  EXPECT_EQ(Grid->ScreenLayout().Cards[0], Rect(14, 14, 135, 45)) << "overflows, yet is the first of its column";
  EXPECT_EQ(Grid->ScreenLayout().Cards[1], Rect(161, 14, 282, 45));
}

TEST_F(ContactGridTest, PrintingPaginatesOverThreeColumnsAndStopsOnTinyRectangles) {
  AddNumbered(20);
  Paint();
  const TVpContactGridLayout screen = Grid->ScreenLayout();
  TRecordingCanvas canvas;
  // 600 wide, 3 columns: column width 197, cards 173 wide at x 14, 213 and 412; 4 cards of 31
  // fit a column above 200 - 18.
  EXPECT_EQ(Print({0, 0, 600, 200}, 0, &canvas), 15) << "the first contact left out";
  EXPECT_EQ(Texts(canvas).front(), "C000");
  EXPECT_EQ(Texts(canvas).back(), "C014");
  EXPECT_EQ(Print({0, 0, 600, 200}, 15), -2) << "the last page";
  EXPECT_EQ(Print({0, 0, 600, 200}, 19), -2);
  // Nothing fitted: the first contact comes back, which the page renderer reports and stops at.
  EXPECT_EQ(Print({0, 0, 10, 10}, 0), 0) << "a card of no width";
  EXPECT_EQ(Print({0, 0, 600, 15}, 4), 4) << "a rectangle too low for any card";
  Grid->SetPrintNumColumns(0);
  EXPECT_EQ(Print({0, 0, 100, 100}, 0), 0) << "a card wider than the rectangle";
  EXPECT_EQ(Print({0, 0, 600, 200}, -2), -2) << "no cards at all";
  EXPECT_EQ(Grid->ScreenLayout().Cards, screen.Cards) << "printing leaves the screen tables alone";
  EXPECT_EQ(Grid->ScreenLayout().Bars, screen.Bars);

  // A turned page: the cards run along the page's turned directions, so a 200 x 600 page turned
  // a quarter holds what a 600 x 200 page holds, its text turned with it.
  Grid->SetPrintNumColumns(3);
  for (const TVpRotationAngle angle : {ra90, ra270}) {
    TRecordingCanvas turned;
    Grid->RenderIntoRect(&turned, {0, 0, 200, 600}, angle, 1, 0, 0, -1, gr30Min, true);
    EXPECT_EQ(Grid->NextPrintLine(), 15) << angle;
    EXPECT_EQ(Texts(turned), Texts(canvas)) << angle;
  }
}

TEST_F(ContactGridTest, BarsAreDrawnAtTheColumnPitchUpTo99) {
  const TRecordingCanvas canvas = Paint();
  EXPECT_EQ(Grid->ScreenLayout().Bars, (std::vector<TRect>{{147, 0, 154, 300}, {295, 0, 302, 300}}));
  EXPECT_EQ(canvas.OpsOf(TCanvasOp::opLine).size(), 6u + 8u) << "three lines a bar, beside the border";
  Grid->SetColumnWidth(50);
  Grid->SetBarWidth(1);
  Paint({0, 0, 20000, 300});
  EXPECT_EQ(Grid->ScreenLayout().Bars.size(), 99u);
}

TEST_F(ContactGridTest, ColumnWidthsBelow50AreIgnoredAndHugeOnesClamped) {
  Grid->SetColumnWidth(49);
  EXPECT_EQ(Grid->ColumnWidth(), 145);
  Grid->SetColumnWidth(2000000000);
  EXPECT_EQ(Grid->ColumnWidth(), TVpContactGrid::kMaxColumnWidth);
  Grid->SetBarWidth(0);
  EXPECT_EQ(Grid->BarWidth(), 3);
}

TEST_F(ContactGridTest, DraggingABarSetsTheWidthOfEveryColumn) {
  Paint();
  Grid->MouseMove(0, 30, 100);
  EXPECT_FALSE(Grid->Dragging()) << "a move without a press on a bar";
  Grid->MouseDown(mbLeft, 0, 149, 100);
  ASSERT_TRUE(Grid->Dragging());
  Grid->MouseMove(0, 30, 100);
  EXPECT_EQ(Grid->ProposedWidth(), 50);
  Grid->MouseMove(0, 250, 100);
  EXPECT_EQ(Grid->ProposedWidth(), 247);
  Grid->MouseMove(0, 390, 100);
  EXPECT_EQ(Grid->ProposedWidth(), 350) << "not beyond the width less 50";
  Paint();
  EXPECT_FALSE(Grid->ScreenLayout().DragBars.empty());
  Grid->MouseMove(0, 30, 100);
  Grid->MouseUp(mbLeft, 0, 30, 100);
  EXPECT_FALSE(Grid->Dragging());
  EXPECT_EQ(Grid->ColumnWidth(), 50);
}

TEST_F(ContactGridTest, SelectByNameScrollsTheFirstHiddenContactIntoView) {
  AddNumbered(12);
  Add("delta");
  Paint({0, 0, 400, 100});
  ASSERT_EQ(Grid->ScreenLayout().VisibleCount, 6);
  EXPECT_TRUE(Grid->SelectByName("C006"));
  EXPECT_EQ(Grid->ActiveIndex(), 6);
  EXPECT_EQ(Grid->FirstContact(), 5) << "index = first + visible is out of view";
  EXPECT_TRUE(Grid->SelectByName("D")) << "case ignored";
  EXPECT_EQ(Grid->ActiveContact()->LastName(), "delta");
  EXPECT_FALSE(Grid->SelectByName("z"));
  EXPECT_EQ(Grid->ActiveContact()->LastName(), "delta") << "nothing found changes nothing";
  EXPECT_TRUE(Grid->SelectByName("C000"));
  EXPECT_EQ(Grid->FirstContact(), 0);
}

TEST_F(ContactGridTest, KeysMoveTheSelectionAndDeleteAsksFirst) {
  AddNumbered(6);
  Paint({0, 0, 400, 100});
  EXPECT_TRUE(Grid->KeyDown(VK_DELETE, 0));
  EXPECT_TRUE(MessageBoxes.Shown.empty()) << "no active contact: nothing to ask";
  Grid->KeyDown(VK_DOWN, 0);
  EXPECT_EQ(Grid->ActiveIndex(), 0) << "from no contact Down selects the first";
  Grid->KeyDown(VK_RIGHT, 0);
  EXPECT_EQ(Grid->ActiveIndex(), 2);
  Grid->KeyDown(VK_END, 0);
  EXPECT_EQ(Grid->ActiveIndex(), 3);
  Grid->KeyDown(VK_LEFT, 0);
  EXPECT_EQ(Grid->ActiveIndex(), 1);
  Grid->KeyDown(VK_UP, 0);
  EXPECT_EQ(Grid->ActiveIndex(), 0);

  MessageBoxes.Answers = {mrNo};
  Grid->KeyDown(VK_DELETE, 0);
  EXPECT_EQ(Store().ActiveResource()->Contacts().Count(), 6);
  MessageBoxes.Answers = {mrYes};
  Grid->KeyDown(VK_DELETE, 0);
  ASSERT_EQ(MessageBoxes.Shown.size(), 2u);
  EXPECT_EQ(MessageBoxes.Shown[1].Text,
            "Delete C000 from your list of contacts?\r\n\nThis operation cannot be undone!");
  EXPECT_EQ(Store().ActiveResource()->Contacts().Count(), 5);
  EXPECT_EQ(Grid->ActiveContact(), nullptr);
}

TEST_F(ContactGridTest, ScrollingMovesAColumnAtATimeAndTheStoreChangeReSorts) {
  AddNumbered(12);
  Paint({0, 0, 400, 100});
  const TVpScrollBarInfo atStart = Grid->ScrollBar();
  EXPECT_TRUE(atStart.Horizontal);
  EXPECT_EQ(atStart.Max, 12 - 6 + 1) << "as far as the first contact that shows the last";
  EXPECT_EQ(atStart.Position, 1) << "some cards are hidden: at the first card";
  Grid->Scroll(saLineDown, 0);
  EXPECT_EQ(Grid->FirstContact(), 2);
  Grid->Scroll(saPageUp, 0);
  Grid->Scroll(saPageUp, 0);
  EXPECT_EQ(Grid->FirstContact(), 0);

  TVpContacts& contacts = Store().ActiveResource()->Contacts();
  contacts.Items(0)->SetLastName("Z");
  Grid->HandleMessage(StoreChanged);
  EXPECT_EQ(contacts.Items(11)->LastName(), "Z");
}

// A grid showing one column at a time scrolls to its last column and back to its first, and the
// thumb dragged fully left shows the first contact; with every card in view the thumb cannot move.
TEST_F(ContactGridTest, SidewaysScrollingReachesEveryColumnBothWays) {
  AddNumbered(9);
  const TRect narrow{0, 0, 170, 100};  // two cards a column
  const auto repaint = [&] {
    TRecordingCanvas canvas;
    Grid->Paint(canvas, narrow);
  };
  const auto scrollAll = [&](TVpScrollAction action) {
    for (int step = 0; step < 12; ++step) {
      Grid->Scroll(action, 0);
      repaint();
    }
  };
  Paint(narrow);
  scrollAll(saLineDown);
  EXPECT_GT(Grid->FirstContact(), 0);
  EXPECT_EQ(Grid->ScrollBar().Position, Grid->ScrollBar().Max) << "at the last column";
  scrollAll(saLineUp);
  EXPECT_EQ(Grid->FirstContact(), 0) << "back at the first column";
  // The thumb dragged to the end shows the last contact alone in one column; from there the grid
  // still scrolls back a column at a time, and the Left key moves by a column.
  Grid->Scroll(saTrack, 9);
  repaint();
  EXPECT_EQ(Grid->FirstContact(), 8);
  Grid->Scroll(saLineUp, 0);
  EXPECT_EQ(Grid->FirstContact(), 6);
  Grid->SelectByIndex(8);
  Grid->KeyDown(VK_LEFT, 0);
  EXPECT_EQ(Grid->ActiveContact(), Store().ActiveResource()->Contacts().Items(6));
  Grid->Scroll(saTrack, 1);
  EXPECT_EQ(Grid->FirstContact(), 0) << "the thumb fully left shows the first contact";

  Paint({0, 0, 1000, 400});
  EXPECT_EQ(Grid->ScrollBar().Max, Grid->ScrollBar().Min) << "nothing hidden";
}

TEST_F(ContactGridTest, ADoubleClickOnNoCardAddsAContactThatCancelRemovesAgain) {
  Add("Kept");
  Store().PostContacts();
  Paint();
  TVpContacts& contacts = Store().ActiveResource()->Contacts();
  Grid->DoubleClick(390, 290);  // beside every card
  EXPECT_EQ(contacts.Count(), 1) << "cancelled: the new contact is gone";
  EXPECT_EQ(Grid->ActiveContact(), nullptr);

  Dialogs.EditContactAnswer = [&](TVpContact& contact) {
    contact.SetLastName("Added");
    contact.SetChanged(true);
    Store().PostContacts();  // as the dialog does on OK
    return true;
  };
  Grid->AddContact();
  Store().ReloadContacts();
  ASSERT_EQ(contacts.Count(), 2) << "the contact is in the file";
  ASSERT_NE(Grid->ActiveContact(), nullptr) << "looked up again after the reload";
  EXPECT_EQ(Grid->ActiveContact()->LastName(), "Added");

  Paint();
  Dialogs.EditContactAnswer = [](TVpContact& contact) { return contact.SetFirstName("Edited"), true; };
  Grid->DoubleClick(Grid->ScreenLayout().Cards[0].Left + 5, Grid->ScreenLayout().Cards[0].Top + 5);
  EXPECT_EQ(Grid->ActiveContact()->FirstName(), "Edited") << "a double-click on a card edits it";
  EXPECT_EQ(contacts.Count(), 2);
}

}  // namespace
