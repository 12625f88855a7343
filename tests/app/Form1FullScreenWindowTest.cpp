#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "StripFixture.h"
#include "app/ForegroundWatch.h"
#include "app/logic/FullScreen.h"

namespace tavilo {
namespace {

// A top-level popup of the test's own, shown without activation.
struct Popup {
  Popup(int width, int height, const wchar_t* className = L"STATIC")
      : window(CreateWindowExW(0, className, L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr)) {
    ShowWindow(window, SW_SHOWNOACTIVATE);
  }
  ~Popup() { DestroyWindow(window); }
  HWND window;
};

// What the system raises when a window comes to the foreground (Wine 8
// raises nothing on SetForegroundWindow), and the message loop it arrives
// through.
void AnnounceForeground(HWND window) {
  NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

TEST(FullScreenForReal, AScreenSizedForegroundWindowCountsButNotTheDesktop) {
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  Popup strip(350, 2);
  const auto inFront = [&] { return FullScreenInFront(Win32Platform().Foreground(strip.window)); };

  Popup program(width, height);
  ASSERT_TRUE(SetForegroundWindow(program.window));
  EXPECT_TRUE(inFront());
  SetWindowPos(program.window, nullptr, 0, 0, width, height - 1, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_FALSE(inFront());

  WNDCLASSEXW desktopClass{};
  desktopClass.cbSize = sizeof desktopClass;
  desktopClass.lpfnWndProc = DefWindowProcW;
  desktopClass.hInstance = GetModuleHandleW(nullptr);
  desktopClass.lpszClassName = L"WorkerW";
  ASSERT_TRUE(RegisterClassExW(&desktopClass));
  {
    Popup wallpaper(width, height, L"WorkerW");
    ASSERT_TRUE(SetForegroundWindow(wallpaper.window));
    EXPECT_FALSE(inFront());
  }
  UnregisterClassW(L"WorkerW", GetModuleHandleW(nullptr));
}

// An event raised before the watch stopped and arriving after finds nothing.
TEST(ForegroundWatch, CallsBackUntilStopped) {
  Popup program(200, 200);
  int calls = 0;
  ForegroundWatch watch;
  watch.Start([&] { ++calls; });
  AnnounceForeground(program.window);
  EXPECT_EQ(calls, 1);
  NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, program.window, OBJID_WINDOW, CHILDID_SELF);
  watch.Stop();
  AnnounceForeground(program.window);
  EXPECT_EQ(calls, 1);
}

class Form1FullScreen : public StripFixture {
 protected:
  void Park() {
    ASSERT_NO_FATAL_FAILURE(CreateStrip());
    SlideDown();
    form->Form_Click();
    SlideUp();
    ASSERT_EQ(form->motion().State(), MotionState::kParked);
  }
  void SetFullScreen(bool on) {
    const ScreenRect screen{0, 0, kScreenWidth, 768};
    platform.foreground = {0, true, false, on ? screen : ScreenRect{100, 100, 600, 400}, screen};
  }
  bool StripVisible() const { return IsWindowVisible(form->Handle()); }
  void Touch() { SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 137)); }
  void Timer3Tick() { SendMessageW(form->Handle(), WM_TIMER, Form1::kTimer3, 0); }
  void DisplayChange() {
    SendMessageW(form->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(kScreenWidth, 768));
  }
};

TEST_F(Form1FullScreen, ATouchInFullScreenLeavesTheLineParkedAndHiddenUntilItEnds) {
  ASSERT_NO_FATAL_FAILURE(Park());
  SetFullScreen(true);
  Touch();
  Timer3Tick();
  EXPECT_EQ(form->motion().State(), MotionState::kParked);
  EXPECT_FALSE(StripVisible());

  SetFullScreen(false);
  Timer3Tick();
  EXPECT_TRUE(StripVisible());
  EXPECT_TRUE(GetWindowLongPtrW(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(WindowRect().top, -136);
  Touch();
  EXPECT_EQ(form->motion().State(), MotionState::kSlidingDown);
}

TEST_F(Form1FullScreen, EveryRecheckHidesAndShowsTheParkedLine) {
  Popup program(200, 200);
  const struct {
    const char* name;
    std::function<void()> recheck;
  } triggers[] = {
      {"Timer3 tick", [this] { Timer3Tick(); }},
      {"display change", [this] { DisplayChange(); }},
      {"another window in front", [&] { AnnounceForeground(program.window); }},
  };
  for (const auto& trigger : triggers) {
    SCOPED_TRACE(trigger.name);
    ASSERT_NO_FATAL_FAILURE(Park());
    SetFullScreen(true);
    trigger.recheck();
    EXPECT_FALSE(StripVisible());
    SetFullScreen(false);
    trigger.recheck();
    EXPECT_TRUE(StripVisible());
    form.reset();
    menu.reset();
  }
}

// Down or moving, the strip is in use: it stays, and the system is not asked.
TEST_F(Form1FullScreen, NeverHiddenWhileDownOrMoving) {
  SetFullScreen(true);
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  Timer3Tick();  // sliding down
  SlideDown();
  DisplayChange();
  platform.tickCount += 10000;
  Timer3Tick();  // sliding up from here
  form->Timer2_Timer();
  EXPECT_TRUE(StripVisible());
  const auto foregroundReads = [this] {
    return std::ranges::count(platform.calls, PlatformCall::ForegroundRead);
  };
  EXPECT_EQ(foregroundReads(), 0);

  SlideUp();
  Timer3Tick();
  EXPECT_FALSE(StripVisible());
  EXPECT_EQ(foregroundReads(), 1);
}

}  // namespace
}  // namespace tavilo
