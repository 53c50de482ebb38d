#include <gtest/gtest.h>

#include "platform/log_on_entry.h"

namespace {

// What the desktop reads back is the path itself: one argument, nothing expanded.
TEST(DesktopExecValue, QuotesThePathAsOneArgument) {
  const struct {
    const char* Path;
    const char* Value;
  } cases[] = {
      {"/usr/bin/koret", R"("/usr/bin/koret")"},
      {"/home/a b/koret", R"("/home/a b/koret")"},
      {R"(/x/$HOME "q" `c`/koret)", R"("/x/\\$HOME \\"q\\" \\`c\\`/koret")"},
      {R"(/x/100%\y/koret)", R"("/x/100%%\\\\y/koret")"},
      {"/x/a\nb", R"("/x/a\nb")"},
  };
  for (const auto& c : cases) EXPECT_EQ(DesktopExecValue(c.Path), c.Value) << c.Path;
}

}  // namespace
