#include <gtest/gtest.h>

#include <tuple>

#include "app/core/windows/print_commands.h"
#include "model/day_number.h"
#include "platform/english_locale.h"
#include "store/control_link.h"
#include "tests/support/planner_fixture.h"
#include "tests/support/recording_print_target.h"
#include "views/day/day_view.h"

namespace {

class PrintCommand : public ::testing::Test, protected TPlannerFixture {
 protected:
  PrintCommand() {
    CreateTables();
    Connect();
    AddActiveResource("KORET");
    Link.SetDataStore(&Store());
    DayView.SetDataStore(&Store());
    DayView.SetControlLink(&Link);
    DayView.SetDate(EncodeDate(2026, 12, 7));
    Printer.MutablePrintFormats() = {DayPageFormat("One day", "$ShortDate")};
    Commands.RunPreview = [this](double start, double end,
                                 const TVpPrintTarget* device) -> std::optional<TReportDataRec> {
      Previewed.push_back({start, end, device != nullptr ? "device" : ""});
      SeenTopLine = DayView.TopLine();
      return Choice;
    };
  }
  // The desktop's printer: the recorded target, handed out once chosen.
  void WithPrinter() {
    Commands.PrintTargets = [this](bool choose) -> std::unique_ptr<TVpPrintTarget> {
      if (!choose) return std::make_unique<TRecordingTarget>(TRect{0, 0, 816, 1056});
      if (!Confirm) return nullptr;
      auto target = std::make_unique<TRecordingTarget>(TRect{0, 0, 816, 1056});
      Printed = target.get();
      Kept = std::move(target);
      return std::make_unique<TForwardingTarget>(*Printed);
    };
  }
  // Hands the pages on to the target the test keeps.
  class TForwardingTarget : public TVpPrintTarget {
   public:
    explicit TForwardingTarget(TRecordingTarget& to) : To_(to) {}
    void BeginDocument() override { To_.BeginDocument(); }
    void EndDocument() override { To_.EndDocument(); }
    void NewPage() override { To_.NewPage(); }
    TCanvas& Canvas() override { return To_.Canvas(); }
    TRect PageRect() const override { return To_.PageRect(); }
    int DotsPerInchX() const override { return To_.DotsPerInchX(); }
    int DotsPerInchY() const override { return To_.DotsPerInchY(); }

   private:
    TRecordingTarget& To_;
  };

  TEnglishLocale Locale;
  TVpControlLink Link;
  TVpDayView DayView{Clock, Locale};
  TVpPrinter Printer{Poster, Writer};
  TPrintCommands Commands{Printer, Link, DayView, Clock, Locale, MessageBoxes};
  std::vector<TReportDataRec> Previewed;
  std::optional<TReportDataRec> Choice;
  bool Confirm = true;
  int SeenTopLine = -1;
  TRecordingTarget* Printed = nullptr;
  std::unique_ptr<TRecordingTarget> Kept;
};

TEST_F(PrintCommand, WithoutFormatsItOnlySaysSo) {
  Printer.MutablePrintFormats().clear();
  Commands.Print();
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_EQ(MessageBoxes.Shown[0].Text, "No print format defined");
  EXPECT_TRUE(Previewed.empty());
}

TEST_F(PrintCommand, PreviewsTheDisplayedDayAndPrintsTheChoice) {
  WithPrinter();
  const int topLine = DayView.TopLine();
  Choice = TReportDataRec{EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 9), "One day"};
  Commands.Print();
  ASSERT_EQ(Previewed.size(), 1u);
  EXPECT_EQ(Previewed[0].StartDate, EncodeDate(2026, 12, 7));
  EXPECT_EQ(Previewed[0].EndDate, EncodeDate(2026, 12, 7));
  EXPECT_EQ(Previewed[0].FormatName, "device") << "the preview takes the printer's page";
  EXPECT_EQ(SeenTopLine, 14);
  EXPECT_EQ(DayView.TopLine(), topLine);
  EXPECT_FALSE(Printer.SkinnedPrinting());
  ASSERT_NE(Printed, nullptr);
  EXPECT_EQ(Printed->Begun, 1);
  EXPECT_EQ(Printed->Ended, 1);
  ASSERT_EQ(Printed->Pages.size(), 3u);
  EXPECT_EQ(Printed->Pages[2]->Texts().front(), "12/9/2026");
}

TEST_F(PrintCommand, CancelledOrPrinterlessPrintingPrintsNothing) {
  Commands.Print();  // the preview was cancelled
  EXPECT_TRUE(MessageBoxes.Shown.empty());
  Choice = TReportDataRec{EncodeDate(2026, 12, 7), EncodeDate(2026, 12, 7), "One day"};
  Commands.Print();  // no printer yet
  ASSERT_EQ(MessageBoxes.Shown.size(), 1u);
  EXPECT_NE(MessageBoxes.Shown[0].Text.find("No printer"), std::string::npos);
  WithPrinter();
  Confirm = false;  // the print dialog was cancelled
  Commands.Print();
  EXPECT_EQ(Printed, nullptr);
  // A format gone by the time it prints fails before the document begins.
  Confirm = true;
  Choice->FormatName = "Gone";
  EXPECT_THROW(Commands.Print(), EVpPrintFormatError);
  ASSERT_NE(Printed, nullptr);
  EXPECT_EQ(Printed->Begun, 0);
}

// The designer opens centred at 800 × 600 on the window's link, with the day view at line 14 while
// it is up; the view gets its line back also when the designer fails.
TEST_F(PrintCommand, DesignerRunsWithTheDayViewAtItsPrintedLine) {
  struct TDesigner : TVpFormatDesignerWindow {
    bool Show(TVpPrinter& printer, TVpControlLink& link, const TVpDialogPlacement& placement,
              TVpDialogOptions) override {
      Seen = {&printer == Printer && &link == Link, placement.Position, placement.Width, placement.Height,
              View->TopLine()};
      if (Fail) throw EVpPrintFormatError("unreadable");
      return true;
    }
    TVpPrinter* Printer = nullptr;
    TVpControlLink* Link = nullptr;
    TVpDayView* View = nullptr;
    bool Fail = false;
    std::tuple<bool, TVpDialogPosition, int, int, int> Seen{};
  } designer;
  designer.Printer = &Printer;
  designer.Link = &Link;
  designer.View = &DayView;
  const int topLine = DayView.TopLine();
  Commands.DesignFormats(designer);
  EXPECT_EQ(designer.Seen, std::make_tuple(true, mpCenter, 800, 600, 14));
  EXPECT_EQ(DayView.TopLine(), topLine);
  designer.Fail = true;
  EXPECT_THROW(Commands.DesignFormats(designer), EVpPrintFormatError);
  EXPECT_EQ(DayView.TopLine(), topLine);
}

}  // namespace
