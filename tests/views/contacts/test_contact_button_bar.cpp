#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/contact.h"
#include "model/contacts.h"
#include "model/resource.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_canvas.h"
#include "views/contacts/contact_button_bar.h"
#include "views/contacts/contact_grid.h"

namespace {

using TCaptions = std::vector<std::string>;

TEST(ContactButtonCaptions, LettersAreSharedAmongTheButtonsAfter123) {
  EXPECT_EQ(ContactButtonCaptions(3), (TCaptions{"123", "a-m", "n-z"}));
  TCaptions pairs = {"123"};
  for (char c = 'a'; c < 'z'; c += 2) pairs.push_back({c, static_cast<char>(c + 1)});
  EXPECT_EQ(ContactButtonCaptions(14), pairs);
  TCaptions singles = {"123"};
  for (char c = 'a'; c <= 'z'; ++c) singles.push_back({c});
  EXPECT_EQ(ContactButtonCaptions(27), singles);
  EXPECT_EQ(ContactButtonCaptions(6), (TCaptions{"123", "a-e", "f-j", "k-p", "q-u", "v-z"}));
}

// At these counts the single-precision step sits a hair off a half letter, so rounding in double
// precision throughout would give other groups (noted beside each).
TEST(ContactButtonCaptions, TheSinglePrecisionStepDecidesTheHalfWayLetters) {
  struct TCase {
    int Count;
    size_t Button;
    const char* Caption;
    const char* Next;
  };
  for (const TCase& c : {TCase{13, 9, "rst", "uv"},    // double: "rs", "tuv"
                         TCase{21, 5, "f", "gh"},      // double: "fg", "h"
                         TCase{25, 18, "st", "u"}}) {  // double: "s", "tu"
    const TCaptions captions = ContactButtonCaptions(c.Count);
    ASSERT_EQ(captions.size(), static_cast<size_t>(c.Count));
    EXPECT_EQ(captions[c.Button], c.Caption) << c.Count;
    EXPECT_EQ(captions[c.Button + 1], c.Next) << c.Count;
  }
}

TEST(ContactButtonCaptions, SearchTexts) {
  EXPECT_EQ(ContactButtonSearchText("123"), "0123456789");
  EXPECT_EQ(ContactButtonSearchText("d-g"), "defg");
  EXPECT_EQ(ContactButtonSearchText("abc"), "abc");
}

TEST(ContactButtonBarLayout, ButtonsFillTheHeightFromThreeTo27) {
  TVpContactButtonBar bar;
  EXPECT_EQ(bar.Buttons().size(), 13u) << "280 high: 2 + 13 x 20 + 18 + 2 > 280 stops at 13";
  EXPECT_EQ(bar.Buttons()[1].Rect, Rect(2, 22, 38, 40));
  bar.Resize(40, 10);
  EXPECT_EQ(bar.Buttons().size(), 3u) << "too short, yet three buttons";
  EXPECT_EQ(bar.Buttons()[2].Caption, "n-z");
  bar.Resize(40, 5000);
  EXPECT_EQ(bar.Buttons().size(), 27u);
  bar.SetButtonHeight(3);
  EXPECT_EQ(bar.ButtonHeight(), 18);
  bar.SetBorderWidth(-4);
  EXPECT_EQ(bar.Buttons()[0].Rect, Rect(0, 0, 40, 18));
}

class ContactButtonBarTest : public ::testing::Test, protected TPlannerFixture {
 protected:
  ContactButtonBarTest() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Grid = std::make_unique<TVpContactGrid>(&Window);
    Grid->SetDataStore(&Store());
    Grid->SetEditDialogs(&Dialogs);
    for (const char* name : {"alpha", "Foxtrot", "7eleven", "Zulu"})
      Store().ActiveResource()->Contacts().AddContact(NextID++)->SetLastName(name);
    Store().ActiveResource()->Contacts().Sort();
    Bar.Resize(40, 5000);  // 27 buttons: "123", "a", ...
  }
  // Presses the first button with the caption.
  void Press(const std::string& caption) {
    for (const TVpContactButton& button : Bar.Buttons())
      if (button.Caption == caption) {
        Bar.MouseDown(mbLeft, button.Rect.Left, button.Rect.Top);
        Bar.MouseUp(mbLeft, button.Rect.Left, button.Rect.Top);
        return;
      }
    FAIL() << "no button " << caption;
  }
  std::string Active() const { return Grid->ActiveContact() ? Grid->ActiveContact()->LastName() : "(none)"; }

  std::unique_ptr<TVpContactGrid> Grid;
  TVpContactButtonBar Bar;
  int NextID = 1;
};

TEST_F(ContactButtonBarTest, APressFindsTheFirstContactOfItsLetters) {
  Press("a");
  EXPECT_EQ(Active(), "(none)") << "no grid linked: the button only goes down and up";
  EXPECT_EQ(Bar.SearchText(), "a");
  Bar.SetContactGrid(Grid.get());
  EXPECT_EQ(Bar.Height(), Grid->Height());
  Bar.Resize(40, 200);  // 9 buttons: "123", "abc", "d-g", "hij", ...
  ASSERT_EQ(Bar.Buttons()[2].Caption, "d-g");
  Press("d-g");
  EXPECT_EQ(Active(), "Foxtrot") << "no d or e, then f";
  Press("123");
  EXPECT_EQ(Active(), "7eleven");
  Press("abc");
  EXPECT_EQ(Active(), "alpha");
  Grid->SelectByIndex(-1);
  Bar.MouseDown(mbLeft, 39, 199);
  EXPECT_EQ(Active(), "alpha") << "between buttons the last search runs again";
  Press("hij");
  EXPECT_EQ(Active(), "alpha") << "nothing found changes nothing";
}

TEST_F(ContactButtonBarTest, AGridThatGoesAwayUnlinksItselfAndPaintDrawsEveryCaption) {
  Bar.SetContactGrid(Grid.get());
  Grid.reset();
  EXPECT_EQ(Bar.ContactGrid(), nullptr);
  Press(Bar.Buttons()[1].Caption);
  TRecordingCanvas canvas;
  Bar.Paint(canvas);
  EXPECT_EQ(canvas.OpsOf(TCanvasOp::opText).size(), Bar.Buttons().size());
}

}  // namespace
