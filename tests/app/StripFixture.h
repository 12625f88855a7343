// The real drop-down strip and menu host, created in the test process on a
// recording platform: time, screen and DPI are set by the test, media
// commands are recorded, and the layered-window calls reach the real window.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/Form1.h"
#include "app/FrmMenu.h"
#include "calendar/Numbers.h"
#include "platform/fake/FakePlatform.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Globals.h"
#include "ui/Settings.h"
#include "ui/ToolWindows.h"

namespace tavilo {

class StripFixture : public ::testing::Test {
 protected:
  static constexpr int kScreenWidth = 1024;

  void SetUp() override {
    platform.windowServices = &windowServices;
    platform.screenWidth = kScreenWidth;
    platform.dpi = 96;
    // Saturday 5 December 2026 (14 Azar 1405), noon.
    platform.now = DateSerial(2026, 12, 5) + 0.5;
    platform.tickCount = 0;
    SetCursorPos(0, 700);  // off the strip, which counts a pointer resting on it as use
    IsPlaying = false;
    SongFile.clear();
    ProgramSettings() = Settings{};
  }

  void TearDown() override {
    form.reset();
    menu.reset();
    IsPlaying = false;
    SongFile.clear();
    ProgramSettings() = Settings{};
  }

  // Creates both objects and loads the strip (its window and Form_Load).
  void CreateStrip() {
    menu = std::make_unique<FrmMenu>(GetModuleHandleW(nullptr), platform, tools,
                                     [this] { ++programEnds; });
    form = std::make_unique<Form1>(GetModuleHandleW(nullptr), platform, *menu);
    menu->AttachMainWindow(*form);
    ASSERT_TRUE(form->Create());
  }

  RECT WindowRect() const {
    RECT rect{};
    GetWindowRect(form->Handle(), &rect);
    return rect;
  }

  // Timer1 ticks until the strip has come down (the timer stops itself).
  int SlideDown() {
    int ticks = 0;
    while (form->motion().Timer1().Running() && ticks < 1000) {
      form->Timer1_Timer();
      ++ticks;
    }
    return ticks;
  }

  int SlideUp() {
    int ticks = 0;
    while (form->motion().Timer2().Running() && ticks < 1000) {
      form->Timer2_Timer();
      ++ticks;
    }
    return ticks;
  }

  // A point of the window's own surface, outside every label.
  static LPARAM SurfacePoint() { return MAKELPARAM(5, 70); }

  LPARAM PointInLabel(Form1::Label label) const {
    const RECT area = form->LabelRect(label);
    return MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2);
  }

  Win32Platform windowServices;
  FakePlatform platform;
  ToolWindowRegistry tools;
  std::unique_ptr<FrmMenu> menu;
  std::unique_ptr<Form1> form;
  int programEnds = 0;
};

}  // namespace tavilo
