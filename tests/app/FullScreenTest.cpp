#include "app/logic/FullScreen.h"

#include <gtest/gtest.h>

namespace tavilo {
namespace {

// The strip's monitor: the second of two side by side.
constexpr ScreenRect kMonitor{1920, 0, 3200, 1024};

ForegroundState InFront(ScreenRect window, bool isDesktop = false, ScreenRect monitor = kMonitor) {
  return {0, true, isDesktop, window, monitor};
}
ForegroundState ShellSays(int notificationState) {
  return {notificationState, false, false, {}, kMonitor};
}

TEST(FullScreen, WhatCountsAsAFullScreenProgram) {
  const struct {
    const char* name;
    ForegroundState state;
    bool fullScreen;
  } cases[] = {
      {"exactly covering", InFront(kMonitor), true},
      {"larger on every side", InFront({1912, -8, 3208, 1032}), true},
      {"one pixel short on the left", InFront({1921, 0, 3200, 1024}), false},
      {"one pixel short on the top", InFront({1920, 1, 3200, 1024}), false},
      {"one pixel short on the right", InFront({1920, 0, 3199, 1024}), false},
      {"one pixel short at the bottom", InFront({1920, 0, 3200, 1023}), false},
      {"covering the other monitor only", InFront({0, 0, 1920, 1024}), false},
      {"the desktop covering both", InFront({0, 0, 3200, 1024}, true), false},
      {"no foreground window", {0, false, false, kMonitor, kMonitor}, false},
      {"the monitor could not be read", InFront({-8, -8, 800, 600}, false, {}), false},
      {"shell: busy", ShellSays(kQunsBusy), true},
      {"shell: Direct3D full screen", ShellSays(kQunsRunningD3dFullScreen), true},
      {"shell: presentation mode", ShellSays(kQunsPresentationMode), true},
      {"shell: accepts notifications", ShellSays(5), false},
  };
  for (const auto& each : cases) {
    EXPECT_EQ(FullScreenInFront(each.state), each.fullScreen) << each.name;
  }
}

}  // namespace
}  // namespace tavilo
