#include <gtest/gtest.h>
#include <map>
#include <set>

#include "platform/display_probe.h"

namespace {

struct TProbeCase {
  const char* Name;
  std::map<std::string, std::string> Env;
  std::set<std::string> Sockets;  // local sockets that accept connections
  const char* Expected;           // nullptr: a display is there; else a part of the reason
};

class DisplayProbe : public ::testing::TestWithParam<TProbeCase> {};

TEST_P(DisplayProbe, TellsWhetherTheProgramCanShowWindows) {
  const TProbeCase& c = GetParam();
  const auto reason = MissingDisplayReason(
      [&](const char* name) -> const char* {
        const auto it = c.Env.find(name);
        return it == c.Env.end() ? nullptr : it->second.c_str();
      },
      [&](const std::string& path) { return c.Sockets.count(path) > 0; });
  if (c.Expected == nullptr) {
    EXPECT_FALSE(reason) << *reason;
  } else {
    ASSERT_TRUE(reason);
    EXPECT_NE(reason->find(c.Expected), std::string::npos) << *reason;
    EXPECT_NE(reason->find("xvfb-run"), std::string::npos) << *reason;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DisplayProbe,
    ::testing::Values(TProbeCase{"NothingSet", {}, {}, "DISPLAY is not set"},
                      TProbeCase{"LocalX", {{"DISPLAY", ":0"}}, {"/tmp/.X11-unix/X0"}, nullptr},
                      TProbeCase{"LocalXWithScreen", {{"DISPLAY", ":99.0"}}, {"/tmp/.X11-unix/X99"}, nullptr},
                      TProbeCase{"AbstractSocketOnly", {{"DISPLAY", "unix:1"}}, {"@/tmp/.X11-unix/X1"}, nullptr},
                      TProbeCase{"DeadLocalX", {{"DISPLAY", ":5"}}, {}, "Cannot reach the display \":5\""},
                      TProbeCase{"RemoteXTrusted", {{"DISPLAY", "otherhost:0"}}, {}, nullptr},
                      TProbeCase{"Offscreen", {{"QT_QPA_PLATFORM", "offscreen"}}, {}, nullptr},
                      TProbeCase{"XcbForcedWithoutX", {{"QT_QPA_PLATFORM", "xcb"}}, {}, "DISPLAY is not set"},
                      TProbeCase{"Wayland",
                                 {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/7"}},
                                 {"/run/user/7/wayland-0"},
                                 nullptr},
                      TProbeCase{"WaylandSocketGone",
                                 {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_RUNTIME_DIR", "/run/user/7"}},
                                 {},
                                 "DISPLAY is not set"},
                      TProbeCase{"EmptyDisplay", {{"DISPLAY", ""}}, {}, "DISPLAY is not set"}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
