#include <gtest/gtest.h>

#include "dialogs/print/print_format_edit_dialog.h"
#include "print/printer.h"
#include "store/control_link.h"
#include "tests/support/planner_fixture.h"

namespace {

class TRecordingDesignerWindow : public TVpFormatDesignerWindow {
 public:
  bool Show(TVpPrinter& printer, TVpControlLink& link, const TVpDialogPlacement& placement, TVpDialogOptions) override {
    Printer = &printer;
    Link = &link;
    Placement = placement;
    return Answer;
  }
  TVpPrinter* Printer = nullptr;
  TVpControlLink* Link = nullptr;
  TVpDialogPlacement Placement;
  bool Answer = true;
};

class PrintFormatEditDialog : public ::testing::Test, protected TPlannerFixture {
 protected:
  TVpPrinter Printer{Poster, Writer};
  TVpControlLink Link;
  TVpPrintFormatEditDialog Dialog{Printer};
  TRecordingDesignerWindow Window;
};

TEST_F(PrintFormatEditDialog, WithoutLinkRaisesBeforeAnyWindowOpens) {
  try {
    Dialog.Execute(Window);
    FAIL() << "no error raised";
  } catch (const EVpPrintFormatEditorError& error) {
    EXPECT_STREQ(error.what(), "Component must be linked to a TVpControlLink");
  }
  EXPECT_EQ(Window.Printer, nullptr);
}

TEST_F(PrintFormatEditDialog, ShowsTheDesignerOnTheLinkAndGivesItsAnswer) {
  Dialog.SetControlLink(&Link);
  Dialog.Placement().Width = 800;
  EXPECT_TRUE(Dialog.Execute(Window));
  EXPECT_EQ(Window.Printer, &Printer);
  EXPECT_EQ(Window.Link, &Link);
  EXPECT_EQ(Window.Placement.Width, 800);
  EXPECT_EQ(Window.Placement.Height, 480);
  Window.Answer = false;
  EXPECT_FALSE(Dialog.Execute(Window));
}

}  // namespace
