#include "app/logic/FullScreen.h"

#include <gtest/gtest.h>

namespace tavilo {
namespace {

// The strip's monitor: the second of two side by side.
constexpr ScreenRect kMonitor{1920, 0, 3200, 1024};

ForegroundState WindowInFront(ScreenRect rect) {
  ForegroundState state;
  state.hasForeground = true;
  state.foreground = rect;
  state.monitor = kMonitor;
  return state;
}

ForegroundState ShellReports(int notificationState) {
  ForegroundState state;
  state.notificationState = notificationState;
  state.monitor = kMonitor;
  return state;
}

ForegroundState DesktopInFront() {
  ForegroundState state = WindowInFront({0, 0, 3200, 1024});
  state.foregroundIsDesktop = true;
  return state;
}

ForegroundState NothingInFront() {
  ForegroundState state = WindowInFront(kMonitor);
  state.hasForeground = false;
  return state;
}

ForegroundState MonitorUnread() {
  ForegroundState state = WindowInFront({-8, -8, 800, 600});
  state.monitor = {};
  return state;
}

TEST(FullScreen, WhatCountsAsAFullScreenProgram) {
  const struct {
    const char* name;
    ForegroundState state;
    bool fullScreen;
  } cases[] = {
      {"exactly covering", WindowInFront(kMonitor), true},
      {"larger on every side", WindowInFront({1912, -8, 3208, 1032}), true},
      {"one pixel short on the left", WindowInFront({1921, 0, 3200, 1024}), false},
      {"one pixel short on the top", WindowInFront({1920, 1, 3200, 1024}), false},
      {"one pixel short on the right", WindowInFront({1920, 0, 3199, 1024}), false},
      {"one pixel short at the bottom", WindowInFront({1920, 0, 3200, 1023}), false},
      {"a maximized window above the taskbar", WindowInFront({1920, 0, 3200, 984}), false},
      {"covering the other monitor only", WindowInFront({0, 0, 1920, 1024}), false},
      {"the desktop covering both", DesktopInFront(), false},
      {"no foreground window", NothingInFront(), false},
      {"the monitor could not be read", MonitorUnread(), false},
      {"shell: busy", ShellReports(kQunsBusy), true},
      {"shell: Direct3D full screen", ShellReports(kQunsRunningD3dFullScreen), true},
      {"shell: presentation mode", ShellReports(kQunsPresentationMode), true},
      {"shell: accepts notifications", ShellReports(5), false},
      {"shell: quiet time", ShellReports(6), false},
      {"shell: unknown", ShellReports(0), false},
  };
  for (const auto& each : cases) {
    EXPECT_EQ(FullScreenInFront(each.state), each.fullScreen) << each.name;
  }
}

}  // namespace
}  // namespace tavilo
