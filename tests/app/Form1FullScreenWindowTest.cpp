#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "StripFixture.h"
#include "app/ForegroundWatch.h"
#include "app/logic/FullScreen.h"

namespace tavilo {
namespace {

// A plain top-level popup of the test's own, shown without activation.
class Popup {
 public:
  explicit Popup(RECT rect, const wchar_t* className = L"STATIC")
      : window_(CreateWindowExW(0, className, L"", WS_POPUP, rect.left, rect.top,
                                rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr)) {
    ShowWindow(window_, SW_SHOWNOACTIVATE);
  }
  ~Popup() { DestroyWindow(window_); }
  Popup(const Popup&) = delete;
  Popup& operator=(const Popup&) = delete;
  HWND Handle() const { return window_; }

 private:
  HWND window_;
};

// What the system raises when a window comes to the foreground (Wine 8
// raises nothing on SetForegroundWindow), and the message loop it arrives
// through.
void AnnounceForeground(HWND window) {
  NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, window, OBJID_WINDOW, CHILDID_SELF);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

RECT MonitorOf(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcMonitor;
}

bool FullScreenInFrontOf(HWND window) {
  return FullScreenInFront(Win32Platform().Foreground(window));
}

class Form1FullScreen : public StripFixture {
 protected:
  static constexpr ScreenRect kScreen{0, 0, kScreenWidth, 768};

  void Park() {
    ASSERT_NO_FATAL_FAILURE(CreateStrip());
    SlideDown();
    form->Form_Click();
    SlideUp();
    ASSERT_EQ(form->motion().State(), MotionState::kParked);
  }
  void SetFullScreen(bool on) {
    platform.foreground = {0, true, false, on ? kScreen : ScreenRect{100, 100, 600, 400}, kScreen};
  }
  bool StripVisible() const { return IsWindowVisible(form->Handle()); }
  long ForegroundReads() const {
    return std::count(platform.calls.begin(), platform.calls.end(), PlatformCall::ForegroundRead);
  }
  void Touch() { SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 137)); }
  void Timer3Tick() { SendMessageW(form->Handle(), WM_TIMER, Form1::kTimer3, 0); }
};

TEST(FullScreenForReal, AScreenSizedForegroundWindowCountsButTheDesktopNever) {
  Popup strip({0, -136, 350, 2});
  const RECT screen = MonitorOf(strip.Handle());

  Popup program(screen);
  ASSERT_TRUE(SetForegroundWindow(program.Handle()));
  EXPECT_TRUE(FullScreenInFrontOf(strip.Handle()));
  SetWindowPos(program.Handle(), nullptr, 0, 0, screen.right - screen.left,
               screen.bottom - screen.top - 1, SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_FALSE(FullScreenInFrontOf(strip.Handle()));

  // Desktop windows cover the screen and are in front whenever nothing else is.
  WNDCLASSEXW workerClass{};
  workerClass.cbSize = sizeof workerClass;
  workerClass.lpfnWndProc = DefWindowProcW;
  workerClass.hInstance = GetModuleHandleW(nullptr);
  workerClass.lpszClassName = L"WorkerW";
  ASSERT_TRUE(RegisterClassExW(&workerClass));
  {
    Popup wallpaper(screen, L"WorkerW");
    ASSERT_TRUE(SetForegroundWindow(wallpaper.Handle()));
    EXPECT_FALSE(FullScreenInFrontOf(strip.Handle()));
  }
  UnregisterClassW(L"WorkerW", GetModuleHandleW(nullptr));
  for (HWND desktop : {GetDesktopWindow(), GetShellWindow()}) {
    if (desktop && SetForegroundWindow(desktop) && GetForegroundWindow() == desktop) {
      EXPECT_FALSE(FullScreenInFrontOf(strip.Handle()));
    }
  }
}

TEST_F(Form1FullScreen, ATouchInFullScreenLeavesTheLineParkedAndHiddenUntilItEnds) {
  ASSERT_NO_FATAL_FAILURE(Park());
  SetFullScreen(true);
  Touch();
  EXPECT_EQ(form->motion().State(), MotionState::kParked);
  EXPECT_FALSE(StripVisible());
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
  Popup program({0, 0, 200, 200});
  const struct {
    const char* name;
    std::function<void()> recheck;
  } triggers[] = {
      {"Timer3 tick", [this] { Timer3Tick(); }},
      {"display change",
       [this] {
         SendMessageW(form->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(kScreenWidth, 768));
       }},
      {"another window in front", [&] { AnnounceForeground(program.Handle()); }},
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

TEST(ForegroundWatch, CallsBackUntilStopped) {
  Popup program({0, 0, 200, 200});
  int calls = 0;
  ForegroundWatch watch;
  watch.Start([&] { ++calls; });
  AnnounceForeground(program.Handle());
  EXPECT_EQ(calls, 1);
  watch.Start([&] { calls += 10; });  // replaces the first
  AnnounceForeground(program.Handle());
  EXPECT_EQ(calls, 11);
  // Raised before the stop, arriving after it.
  NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, program.Handle(), OBJID_WINDOW, CHILDID_SELF);
  watch.Stop();
  AnnounceForeground(program.Handle());
  EXPECT_EQ(calls, 11);
}

// Down or moving, the strip is in use: it stays, and the system is not asked.
TEST_F(Form1FullScreen, NeverHiddenWhileDownOrMoving) {
  SetFullScreen(true);
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  Timer3Tick();  // sliding down
  SlideDown();
  SendMessageW(form->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(kScreenWidth, 768));
  Timer3Tick();  // sliding up from here
  form->Timer2_Timer();
  EXPECT_TRUE(StripVisible());
  EXPECT_EQ(ForegroundReads(), 0);

  SlideUp();
  Timer3Tick();
  EXPECT_FALSE(StripVisible());
  EXPECT_EQ(ForegroundReads(), 1);
}

}  // namespace
}  // namespace tavilo
