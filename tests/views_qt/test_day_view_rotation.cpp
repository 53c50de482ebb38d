#include <gtest/gtest.h>
#include <QImage>
#include <QPainter>
#include <QTransform>

#include <set>
#include <string>

#include "model/resource.h"
#include "platform/english_locale.h"
#include "platform/qt/qt_canvas.h"
#include "tests/support/planner_fixture.h"
#include "tests/views_qt/textless_canvas.h"
#include "views/day/day_view.h"

// A day view drawn a quarter turn round on real pixels is the upright picture turned, text left
// out. Logical points map onto the lattice of the viewport's corners, so a one-pixel line along a
// logical row lands one pixel to the right of where turning the upright image puts it, and a line
// along a logical column starts and ends a pixel further on. The line along the top row falls
// just outside and nothing lands in the first device column, so the two edge columns are left
// out; where lines meet, a corner pixel moves diagonally. Every other pixel matches exactly.

namespace {

class DayViewPixels : public ::testing::TestWithParam<bool> {
 protected:
  DayViewPixels() {
    Planner.CreateTables();
    Planner.Connect();
    Planner.AddActiveResource("KORET");
    View.SetDataStore(&Planner.Store());
    View.SetDate(At(2024, 5, 10));
    View.SetNumDays(3);
    View.SetShowResourceName(false);
    TVpSchedule& schedule = Planner.Store().ActiveResource()->Schedule();
    schedule.AddEvent(1, At(2024, 5, 10, 9), At(2024, 5, 10, 10, 20))->SetCategory(2);
    schedule.AddEvent(2, At(2024, 5, 10, 9, 30), At(2024, 5, 10, 11))->SetCategory(4);
    schedule.AddEvent(3, At(2024, 5, 11, 8, 10), At(2024, 5, 11, 12));
    View.TimeSlotColors().SetWeekend(RGB(200, 220, 255));
  }

  QImage Render(TVpRotationAngle angle, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    TQtCanvas canvas(painter, 96);
    TTextlessCanvas textless(canvas);
    View.RenderIntoRect(&textless, Rect(0, 0, width, height), angle, 1.0, View.Date(), 14, -1, gr30Min, GetParam());
    return image;
  }

  TPlannerFixture Planner;
  TEnglishLocale Locale;
  TVpDayView View{Planner.Clock, Locale};
};

TEST_P(DayViewPixels, AQuarterTurnIsTheUprightPictureTurned) {
  const QImage upright = Render(ra0, 420, 300);
  const QImage turned = Render(ra90, 300, 420);
  const QImage expected = upright.transformed(QTransform().rotate(90));
  ASSERT_EQ(expected.size(), turned.size());

  int exact = 0;
  int shifted = 0;
  std::set<QRgb> colours;
  std::string misses;
  auto nearby = [&](int x, int y, QRgb colour) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (expected.valid(x + dx, y + dy) && expected.pixel(x + dx, y + dy) == colour) return true;
    return false;
  };
  for (int y = 0; y < turned.height(); ++y) {
    for (int x = 1; x + 1 < turned.width(); ++x) {
      const QRgb got = turned.pixel(x, y);
      colours.insert(got);
      if (got == expected.pixel(x, y)) {
        ++exact;
      } else if (nearby(x, y, got)) {
        ++shifted;
      } else if (misses.size() < 200) {
        misses += " (" + std::to_string(x) + "," + std::to_string(y) + ")";
      }
    }
  }
  EXPECT_TRUE(misses.empty()) << "pixels that match neither in place nor one to the side:" << misses;
  EXPECT_GT(colours.size(), 5u) << "a picture with frames, slots and events";
  EXPECT_LT(shifted, exact / 10) << "only pixels of lines";
}

INSTANTIATE_TEST_SUITE_P(ScreenAndPrint, DayViewPixels, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) { return info.param ? "Print" : "Screen"; });

}  // namespace
