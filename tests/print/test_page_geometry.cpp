#include <gtest/gtest.h>

#include "model/day_number.h"
#include "print/caption_variables.h"
#include "print/page_geometry.h"

TEST(PageGeometry, MarginsInEveryUnit) {
  const TRect page{0, 0, 1000, 2000};
  const TVpResolution dpi{600, 300};  // different across and down
  struct TCase {
    TVpMargins Margins;
    TRect Area;
  } const cases[] = {
      {{9.6, 11.2, 2.4, 0, imAbsolutePixel}, {60, 35, 985, 2000}},  // screen pixels: 96 to the inch
      {{1.2, 0.96, 0, 0, imAbsolutePixel}, {8, 3, 1000, 2000}},     // 7.5 and 3.0: halves to even
      {{10, 5, 0.05, 1, imPercent}, {100, 100, 1000, 1980}},
      {{1, 1, 0.5, 0.5, imInches}, {600, 300, 700, 1850}},
      {{2.54, 2.54, 0, 5.08, imCentimetres}, {600, 300, 1000, 1400}},
  };
  for (const TCase& c : cases) {
    const TRect area = PageArea(page, c.Margins, dpi);
    EXPECT_EQ(std::tie(area.Left, area.Top, area.Right, area.Bottom),
              std::tie(c.Area.Left, c.Area.Top, c.Area.Right, c.Area.Bottom))
        << c.Margins.Units;
  }
  const TVpResolution zero = UsableResolution(0, 300);
  EXPECT_EQ(zero.X, 96);
  EXPECT_EQ(zero.Y, 300);
}

TEST(PageGeometry, ElementRectanglesInEveryUnit) {
  const TRect area{40, 75, 440, 275};  // 400 by 200
  const TVpResolution dpi{100, 50};
  struct TCase {
    TVpItemMeasurement Units;
    double Left, Top, Width, Height;
    TRect Rect;
  } const cases[] = {
      {imPercent, 0, 0, 100, 100, area},
      {imPercent, 0.125, 25, 50, 50, {40, 125, 240, 225}},       // 0.5 rounds to 0
      {imAbsolutePixel, 2.4, 3.84, 96, 96, {42, 77, 142, 127}},  // 2.5 and 2.0 dots: halves to even
      {imInches, 1, 1, 1, 2, {140, 125, 240, 225}},
      {imCentimetres, 2.54, 0, 2.54, 5.08, {140, 75, 240, 175}},
  };
  for (const TCase& c : cases) {
    TVpPrintFormatElementItem e;
    e.Measurement = c.Units;
    e.Left = c.Left, e.Top = c.Top, e.Width = c.Width, e.Height = c.Height;
    const TRect r = ElementRect(e, area, dpi);
    EXPECT_EQ(std::tie(r.Left, r.Top, r.Right, r.Bottom),
              std::tie(c.Rect.Left, c.Rect.Top, c.Rect.Right, c.Rect.Bottom))
        << c.Units << " " << c.Left;
  }
}

TEST(PageGeometry, DatesMoveByTheirUnits) {
  TVpPrintFormatItem monthly;
  monthly.DayInc = 1;
  monthly.DayIncUnits = duMonth;
  const double february = NextPageDate(monthly, EncodeDate(2024, 1, 31) + 0.5);
  EXPECT_EQ(february, EncodeDate(2024, 2, 29));  // clamped, time of day dropped
  EXPECT_EQ(NextPageDate(monthly, february), EncodeDate(2024, 3, 29));
  EXPECT_EQ(NextPageDate(TVpPrintFormatItem(), EncodeDate(2024, 3, 5) + 0.25), EncodeDate(2024, 3, 6) + 0.25);
  TVpPrintFormatElementItem e;
  e.DayOffset = -1;
  e.DayOffsetUnits = duYear;
  EXPECT_EQ(ElementDate(e, EncodeDate(2024, 2, 29)), EncodeDate(2023, 2, 28));
  e.DayOffsetUnits = duWeek;
  EXPECT_EQ(ElementDate(e, EncodeDate(2024, 3, 5)), EncodeDate(2024, 2, 27));
}

TEST(CaptionVariables, ExpandsEveryReference) {
  TVpCaptionVariables variables;
  variables.Set("A", "1");
  variables.Set("B", "2");
  variables.Set("Page", "3");
  struct TCase {
    const char* Caption;
    const char* Expanded;
  } const cases[] = {
      {"$A $B", "1 2"}, {"$A$B", "12"}, {"$A;$B;x", "12x"}, {"Page $Page", "Page 3"}, {"$Unknown;!", "!"}, {"$a", ""},
      {"$", ""},        {"5$ $", "5 "}, {"x$A", "x1"},      {"$A_B $B", " 2"},        {"$A;;", "1;"},
  };
  for (const TCase& c : cases) EXPECT_EQ(ExpandCaption(c.Caption, variables, nullptr), c.Expanded) << c.Caption;

  const TVpOnGetVariableEvent ignoreUnknown = [](const std::string&, bool found, std::string& value,
                                                 TVpChangeVar& change) {
    if (!found) change = cvIgnore;
    value += "!";
  };
  EXPECT_EQ(ExpandCaption("$Unknown; $A", variables, ignoreUnknown), "$Unknown; 1!");
}
