#include <gtest/gtest.h>

#include "views/drawing/vp_font.h"

namespace {

TEST(VpFont, TellsItsOwnerOfEveryChange) {
  int changes = 0;
  TVpFont font([&] { ++changes; });
  font.SetSize(font.Size());
  EXPECT_EQ(changes, 0);
  font.SetSize(11);
  font.SetStyle(fsBold);
  font.SetName("Serif");
  EXPECT_EQ(changes, 3);
  TFont same = font.Font();
  font.Assign(same);
  EXPECT_EQ(changes, 3);
  same.Color = clRed;
  font.Assign(same);
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(font.Font().Color, clRed);
}

}  // namespace
