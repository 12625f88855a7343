// The slide-out on real windows: the way off the screen, the event-loop pass
// between steps, and what may happen during those passes.
#include "tools/shared/SlideOut.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "WindowTestSupport.h"
#include "platform/fake/FakePlatform.h"

namespace tavilo {
namespace {

using tools_i::WindowTrail;

constexpr UINT kRunAction = WM_APP + 1;
constexpr UINT_PTR kTickTimer = 1;

// A plain top-level window whose close handler plays the slide-out, as every
// tool window's does, and which runs a scripted action on kRunAction.
class ProbeWindow {
 public:
  ProbeWindow(Platform& platform, RECT frame) : platform_(platform) {
    static const ATOM windowClass = [] {
      WNDCLASSEXW description{};
      description.cbSize = sizeof description;
      description.lpfnWndProc = &ProbeWindow::WndProc;
      description.hInstance = GetModuleHandleW(nullptr);
      description.lpszClassName = L"TaviloSlideProbe";
      return RegisterClassExW(&description);
    }();
    hwnd_ = CreateWindowExW(0, MAKEINTATOM(windowClass), L"probe", WS_POPUP | WS_VISIBLE,
                            frame.left, frame.top, frame.right - frame.left,
                            frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleW(nullptr), this);
  }
  ~ProbeWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }

  HWND hwnd_ = nullptr;
  int unloads = 0;
  int ticks = 0;
  std::int16_t speed = kSlideStepTwips;
  std::function<void()> action;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(
                            reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<ProbeWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    switch (message) {
      case WM_CLOSE:
        if (!IsSlidingOut(hwnd)) {
          ++self->unloads;
          SlideOutAndUnload(hwnd, self->speed, self->platform_);
        }
        return 0;
      case WM_TIMER:
        ++self->ticks;
        return 0;
      case kRunAction:
        if (self->action) self->action();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }

  Platform& platform_;
};

class SlideOutWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_.screenWidth = 640;
    platform_.screenHeight = 480;
    MSG stale;
    while (PeekMessageW(&stale, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  FakePlatform platform_;
};

TEST_F(SlideOutWindowTest, GoesRightToTheEdgeThenDownAWholeHeightBelowAndIsDestroyed) {
  ProbeWindow window(platform_, {100, 50, 300, 200});  // 200 x 150
  WindowTrail trail(window.hwnd_);
  SendMessageW(window.hwnd_, WM_CLOSE, 0, 0);

  EXPECT_FALSE(IsWindow(window.hwnd_));
  EXPECT_EQ(window.unloads, 1);
  ASSERT_TRUE(trail.Destroyed());
  const std::vector<RECT>& frames = trail.Frames();
  ASSERT_GT(frames.size(), 100u);

  // Phase 1: only Left grows, in steps of 50 twips (3 or 4 pixels at 96 DPI),
  // and ends as soon as the right edge has reached the screen's edge.
  std::size_t step = 0;
  int left = 100;
  while (step < frames.size() && frames[step].top == 50) {
    EXPECT_GE(frames[step].left - left, 3);
    EXPECT_LE(frames[step].left - left, 4);
    left = frames[step].left;
    ++step;
  }
  EXPECT_GE(left + 200, 640);
  EXPECT_LT(left + 200, 644);
  // Phase 2: only Top grows, until the top edge is a height below the bottom.
  int top = 50;
  for (; step < frames.size(); ++step) {
    EXPECT_EQ(frames[step].left, left);
    EXPECT_GE(frames[step].top - top, 3);
    EXPECT_LE(frames[step].top - top, 4);
    top = frames[step].top;
  }
  EXPECT_GE(top - 150, 480);
  EXPECT_LT(top - 150, 484);
  EXPECT_EQ(trail.LastFrame().top, top);
}

TEST_F(SlideOutWindowTest, WindowBeyondTheRightEdgeOnlyDrops) {
  ProbeWindow window(platform_, {600, 0, 800, 150});
  WindowTrail trail(window.hwnd_);
  SendMessageW(window.hwnd_, WM_CLOSE, 0, 0);
  ASSERT_FALSE(trail.Frames().empty());
  for (const RECT& frame : trail.Frames()) EXPECT_EQ(frame.left, 600);
  EXPECT_GE(trail.LastFrame().top - 150, 480);
}

TEST_F(SlideOutWindowTest, WindowAlreadyFarBelowIsDestroyedWithoutMoving) {
  ProbeWindow window(platform_, {600, 700, 800, 850});
  WindowTrail trail(window.hwnd_);
  SendMessageW(window.hwnd_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(trail.Frames().empty());
  EXPECT_TRUE(trail.Destroyed());
}

TEST_F(SlideOutWindowTest, StepBelowOneTwipDestroysWithoutMoving) {
  ProbeWindow window(platform_, {100, 50, 300, 200});
  window.speed = 0;
  WindowTrail trail(window.hwnd_);
  SendMessageW(window.hwnd_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(trail.Frames().empty());
  EXPECT_TRUE(trail.Destroyed());
}

TEST_F(SlideOutWindowTest, PendingEventsOfOtherWindowsRunBetweenSteps) {
  ProbeWindow sliding(platform_, {0, 0, 200, 150});
  ProbeWindow other(platform_, {300, 300, 350, 350});
  std::vector<RECT> seen;
  other.action = [&] {
    RECT frame;
    GetWindowRect(sliding.hwnd_, &frame);
    seen.push_back(frame);
  };
  PostMessageW(other.hwnd_, kRunAction, 0, 0);
  SendMessageW(sliding.hwnd_, WM_CLOSE, 0, 0);
  // Dispatched during the first pass, before the first move.
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].left, 0);
  EXPECT_FALSE(IsWindow(sliding.hwnd_));
}

TEST_F(SlideOutWindowTest, TimersKeepFiringDuringTheSlide) {
  // A far screen edge makes the slide long enough for a 1 ms timer.
  platform_.screenWidth = 6000;
  ProbeWindow sliding(platform_, {0, 0, 200, 150});
  ProbeWindow other(platform_, {300, 300, 350, 350});
  SetTimer(other.hwnd_, kTickTimer, 1, nullptr);
  SendMessageW(sliding.hwnd_, WM_CLOSE, 0, 0);
  EXPECT_GT(other.ticks, 0);
  EXPECT_FALSE(IsWindow(sliding.hwnd_));
}

TEST_F(SlideOutWindowTest, SecondCloseOfTheSlidingWindowBelongsToTheCloseUnderWay) {
  ProbeWindow window(platform_, {100, 50, 300, 200});
  window.action = [&] {
    EXPECT_TRUE(IsSlidingOut(window.hwnd_));
    SendMessageW(window.hwnd_, WM_CLOSE, 0, 0);
    PostMessageW(window.hwnd_, WM_CLOSE, 0, 0);
  };
  PostMessageW(window.hwnd_, kRunAction, 0, 0);
  const HWND hwnd = window.hwnd_;
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_EQ(window.unloads, 1);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(IsSlidingOut(hwnd));
}

TEST_F(SlideOutWindowTest, SecondWindowClosedDuringASlideCompletesInsideIt) {
  ProbeWindow first(platform_, {0, 0, 200, 150});
  ProbeWindow second(platform_, {100, 300, 250, 400});
  RECT firstBefore{}, firstAfter{};
  second.action = [&] {
    GetWindowRect(first.hwnd_, &firstBefore);
    SendMessageW(second.hwnd_, WM_CLOSE, 0, 0);
    GetWindowRect(first.hwnd_, &firstAfter);
  };
  WindowTrail secondTrail(second.hwnd_);
  PostMessageW(second.hwnd_, kRunAction, 0, 0);
  SendMessageW(first.hwnd_, WM_CLOSE, 0, 0);

  // The second slide ran to its end (a height below the bottom) while the
  // first window stood still; then the first slide went on to its own end.
  EXPECT_TRUE(secondTrail.Destroyed());
  EXPECT_GE(secondTrail.LastFrame().top - 100, 480);
  EXPECT_EQ(firstBefore.left, firstAfter.left);
  EXPECT_EQ(firstBefore.top, firstAfter.top);
  EXPECT_FALSE(IsWindow(first.hwnd_));
  EXPECT_FALSE(IsWindow(second.hwnd_));
}

TEST_F(SlideOutWindowTest, QuitDuringASlideEndsItAndReachesTheMainLoop) {
  ProbeWindow sliding(platform_, {0, 0, 200, 150});
  ProbeWindow other(platform_, {300, 300, 350, 350});
  other.action = [] { PostQuitMessage(7); };
  WindowTrail trail(sliding.hwnd_);
  PostMessageW(other.hwnd_, kRunAction, 0, 0);
  SendMessageW(sliding.hwnd_, WM_CLOSE, 0, 0);

  // Stopped early: still on the screen when it went.
  EXPECT_TRUE(trail.Destroyed());
  EXPECT_LT(trail.LastFrame().top, 480);
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

TEST_F(SlideOutWindowTest, QuitDuringNestedSlidesEndsBoth) {
  ProbeWindow first(platform_, {0, 0, 200, 150});
  ProbeWindow second(platform_, {100, 300, 250, 400});
  ProbeWindow quitter(platform_, {300, 300, 350, 350});
  quitter.action = [] { PostQuitMessage(3); };
  second.action = [&] {
    PostMessageW(quitter.hwnd_, kRunAction, 0, 0);
    SendMessageW(second.hwnd_, WM_CLOSE, 0, 0);
  };
  WindowTrail firstTrail(first.hwnd_);
  PostMessageW(second.hwnd_, kRunAction, 0, 0);
  SendMessageW(first.hwnd_, WM_CLOSE, 0, 0);

  EXPECT_FALSE(IsWindow(first.hwnd_));
  EXPECT_FALSE(IsWindow(second.hwnd_));
  EXPECT_LT(firstTrail.LastFrame().left + 200, 640);  // stopped in phase 1
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
}

TEST_F(SlideOutWindowTest, WindowDestroyedBySomeoneElseEndsTheSlide) {
  ProbeWindow sliding(platform_, {0, 0, 200, 150});
  ProbeWindow other(platform_, {300, 300, 350, 350});
  other.action = [&] { DestroyWindow(sliding.hwnd_); };
  PostMessageW(other.hwnd_, kRunAction, 0, 0);
  const HWND hwnd = sliding.hwnd_;
  SendMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_FALSE(IsSlidingOut(hwnd));
}

}  // namespace
}  // namespace tavilo
