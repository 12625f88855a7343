#include <windows.h>

#include <gtest/gtest.h>

#include "StripFixture.h"
#include "tools/logic/PrayerText.h"
#include "ui/PersianDigits.h"

namespace tavilo {
namespace {

constexpr wchar_t kSaturdayLine[] =
    L"امروز شنبه 1405/09/14 هجري شمسي مطابق با 5 December سال  2026 ميلادي";
constexpr wchar_t kFridayLine[] =
    L"امروز جمعه 1405/09/13 هجري شمسي مطابق با 4 December سال  2026 ميلادي";

using Form1Window = StripFixture;

TEST_F(Form1Window, BorderlessTopmostToolWindowAtTheTopRightCorner) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  const HWND window = form->Handle();
  const RECT rect = WindowRect();
  EXPECT_EQ(rect.right - rect.left, 350);
  EXPECT_EQ(rect.bottom - rect.top, 138);
  EXPECT_EQ(rect.right, kScreenWidth - 1);
  EXPECT_EQ(rect.top, -136);  // -2045 twips, read back on whole pixels
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 350);
  EXPECT_EQ(client.bottom, 138);

  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_POPUP);
  EXPECT_FALSE(style & WS_CAPTION);
  EXPECT_FALSE(style & WS_THICKFRAME);
  const LONG_PTR exStyle = GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
  EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(exStyle & WS_EX_APPWINDOW);
  EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(Form1Window, PureRedIsTheColourKey) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  const HWND window = form->Handle();
  EXPECT_TRUE(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
  EXPECT_EQ(key, RGB(255, 0, 0));
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
  // The date line's month name, then the style read and extended (not
  // replaced), then the attributes.
  EXPECT_EQ(platform.calls,
            (std::vector<PlatformCall>{PlatformCall::CalendarInfoRead,
                                       PlatformCall::WindowExStyleRead,
                                       PlatformCall::WindowExStyleWrite,
                                       PlatformCall::LayeredAttributesWrite}));
  ASSERT_EQ(platform.exStyleWrites.size(), 1u);
  EXPECT_EQ(platform.exStyleWrites[0].style,
            static_cast<std::intptr_t>(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED));
  ASSERT_EQ(platform.layeredWrites.size(), 1u);
  EXPECT_EQ(platform.layeredWrites[0].attributes, (LayeredAttributes{0x0000FF, 0, kLwaColorKey}));
}

TEST_F(Form1Window, SizeAndPlacementFollowTheDpi) {
  platform.dpi = 144;  // 10 twips per pixel
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  const RECT rect = WindowRect();
  EXPECT_EQ(rect.right - rect.left, 525);
  EXPECT_EQ(rect.bottom - rect.top, 207);
  // Left = 10240 - 5250 - 15 twips = 497.5 px, tie to even.
  EXPECT_EQ(rect.left, 498);
  EXPECT_EQ(rect.top, -204);
  const RECT counter = form->LabelRect(Form1::kLabel1);
  EXPECT_EQ(counter.left, 36);
  EXPECT_EQ(counter.top, 60);
}

TEST_F(Form1Window, SlidesDownTwoPixelsPerTickDisabledUntilItArrives) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  const HWND window = form->Handle();
  EXPECT_TRUE(form->motion().MoveX());
  EXPECT_TRUE(IsWindowEnabled(window));
  for (int step = 1; step <= 67; ++step) {
    form->Timer1_Timer();
    ASSERT_EQ(WindowRect().top, -136 + 2 * step) << step;
    ASSERT_FALSE(IsWindowEnabled(window)) << step;
  }
  EXPECT_EQ(WindowRect().top, -2);
  form->Timer1_Timer();  // arrived: the timer stops and input is back
  EXPECT_EQ(WindowRect().top, -2);
  EXPECT_TRUE(IsWindowEnabled(window));
  EXPECT_FALSE(form->motion().Timer1().Running());
  EXPECT_EQ(form->motion().State(), MotionState::kDown);
}

TEST_F(Form1Window, ClickSlidesUpAndParksWithTwoPixelRowsShowing) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, SurfacePoint());
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, SurfacePoint());
  EXPECT_EQ(form->motion().State(), MotionState::kSlidingUp);
  EXPECT_EQ(SlideUp(), 68);  // 67 steps and the tick that parks
  EXPECT_EQ(WindowRect().top, -136);
  EXPECT_FALSE(form->motion().MoveX());
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_EQ(form->motion().State(), MotionState::kParked);
}

TEST_F(Form1Window, AutoHideSlidesUpOnlyWhenDown) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  form->Timer3_Timer();  // sliding down
  EXPECT_FALSE(form->motion().Timer2().Running());
  SlideDown();
  platform.tickCount += 10000;  // ten seconds at rest
  SendMessageW(form->Handle(), WM_TIMER, Form1::kTimer3, 0);
  EXPECT_EQ(form->motion().State(), MotionState::kSlidingUp);
  SlideUp();
  form->Timer3_Timer();  // parked
  EXPECT_EQ(form->motion().State(), MotionState::kParked);
  EXPECT_EQ(WindowRect().top, -136);
}

TEST_F(Form1Window, MouseOverTheParkedStripBringsItDown) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  form->Form_Click();
  SlideUp();
  SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(200, 137));
  EXPECT_TRUE(form->motion().MoveX());
  EXPECT_EQ(form->motion().State(), MotionState::kSlidingDown);
  form->Timer1_Timer();
  EXPECT_EQ(WindowRect().top, -134);
}

TEST_F(Form1Window, LabelsSwallowTheMouse) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  for (Form1::Label label : {Form1::kLabel1, Form1::kLabel2, Form1::kLabel3}) {
    SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointInLabel(label));
    SendMessageW(form->Handle(), WM_LBUTTONUP, 0, PointInLabel(label));
    EXPECT_EQ(form->motion().State(), MotionState::kDown) << label;
  }
  form->Form_Click();
  SlideUp();
  SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, PointInLabel(Form1::kLabel2));
  EXPECT_EQ(form->motion().State(), MotionState::kParked);
}

TEST_F(Form1Window, ReleaseOutsideTheWindowIsNoClick) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, SurfacePoint());
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(400, 70));
  EXPECT_EQ(form->motion().State(), MotionState::kDown);
  // A press whose capture was taken away ends without a click either.
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, SurfacePoint());
  SendMessageW(form->Handle(), WM_CAPTURECHANGED, 0, 0);
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, SurfacePoint());
  EXPECT_EQ(form->motion().State(), MotionState::kDown);
}

// The settings read at start: the opacity chosen last time, with the key
// kept, and every digit of the strip Persian when asked for.
TEST_F(Form1Window, StartsWithTheStoredOpacityAndDigits) {
  ProgramSettings().opacity = 128;
  ProgramSettings().persianDigits = true;
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(form->Handle(), &key, &alpha, &flags));
  EXPECT_EQ(key, RGB(255, 0, 0));
  EXPECT_EQ(alpha, 128);
  EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
  platform.tickCount = 7384123;
  form->Timer4_Timer();
  EXPECT_EQ(form->Caption(Form1::kLabel1), L"۲:۳:۴:۱۲۳");
  EXPECT_EQ(form->Caption(Form1::kLabel2), PersianDigits(kSaturdayLine));
}

TEST_F(Form1Window, CounterShowsTheRunningTime) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  EXPECT_EQ(form->Caption(Form1::kLabel1), L"");
  platform.tickCount = 0;
  form->Timer4_Timer();
  EXPECT_EQ(form->Caption(Form1::kLabel1), L"0:0:0:0");
  platform.tickCount = 7384123;
  SendMessageW(form->Handle(), WM_TIMER, Form1::kTimer4, 0);
  EXPECT_EQ(form->Caption(Form1::kLabel1), L"2:3:4:123");
  platform.tickCount = 4294967296ull + 3600000ull;
  form->Timer4_Timer();
  EXPECT_EQ(form->Caption(Form1::kLabel1), L"1194:2:47:296");
}

TEST_F(Form1Window, TitleAndDateLine) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  EXPECT_EQ(form->Caption(Form1::kLabel3), L"Tavilo");
  EXPECT_EQ(form->Caption(Form1::kLabel2), kSaturdayLine);
}

// The month is named by the Gregorian calendar of the user's locale, even
// where the user writes dates in the Persian or the Hijri calendar; English
// where the locale has no name for it.
TEST_F(Form1Window, DateLineNamesTheMonthFromTheGregorianCalendar) {
  platform.calendarInfoResponder = [](const CalendarInfoRequest& request) {
    return request.calendar == kCalGregorian ? std::wstring(L"دسامبر") : std::wstring(L"آذر");
  };
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  EXPECT_EQ(platform.calendarInfoRequests,
            (std::vector<CalendarInfoRequest>{{L"", kCalGregorian, kCalSMonthName1 + 11}}));
  EXPECT_NE(form->Caption(Form1::kLabel2).find(L"5 دسامبر سال  2026"), std::wstring::npos);
}

TEST_F(Form1Window, DateLineFollowsMidnightClockChangeAndResume) {
  platform.now = DateSerial(2026, 12, 4) + 86399.0 / 86400.0;  // 23:59:59
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  EXPECT_EQ(form->Caption(Form1::kLabel2), kFridayLine);

  platform.now = DateSerial(2026, 12, 5) + 1.0 / 86400.0;
  SendMessageW(form->Handle(), WM_TIMER, Form1::kDateTimer, 0);
  EXPECT_EQ(form->Caption(Form1::kLabel2), kSaturdayLine);

  platform.now = DateSerial(2026, 12, 4) + 0.5;  // clock set back
  SendMessageW(form->Handle(), WM_TIMECHANGE, 0, 0);
  EXPECT_EQ(form->Caption(Form1::kLabel2), kFridayLine);

  platform.now = DateSerial(2026, 12, 5) + 0.25;  // woke up the next morning
  SendMessageW(form->Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  EXPECT_EQ(form->Caption(Form1::kLabel2), kSaturdayLine);

  platform.now = DateSerial(2026, 12, 4) + 0.25;  // time zone moved it back
  SendMessageW(form->Handle(), WM_SETTINGCHANGE, 0, 0);
  EXPECT_EQ(form->Caption(Form1::kLabel2), kFridayLine);
}

// Whether any part of the window waits to be painted, and where.
bool PendingPaint(HWND window, RECT& area) { return GetUpdateRect(window, &area, FALSE); }

// With a place chosen the title counts down to the next prayer time, from the
// counter's tick when the minute changes; parked, till the strip comes down.
TEST_F(Form1Window, TitleShowsTheNextPrayerTimeAndFollowsTheMinute) {
  const std::int64_t noon = (static_cast<std::int64_t>(DateSerial(2026, 12, 5)) - 25569) * 86400 +
                            12 * 3600 - 210 * 60;  // in Tehran
  platform.timeZone = TimeZoneRule{-210, 0, 0, {}, {}};
  platform.unixTimeNow = noon;
  ProgramSettings().prayerPlace = 112931;  // Tehran
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  const auto shownFor = [&](std::int64_t now) {
    const std::optional<UpcomingTime> next = NextChosenPrayer(platform, now, ProgramSettings());
    const std::wstring& title = PersianDigits(form->Caption(Form1::kLabel3));
    return title == UpcomingTimeText(platform, now, *next) ||
           title == ShortUpcomingTimeText(platform, now, *next);
  };
  EXPECT_TRUE(shownFor(noon));
  SlideDown();
  const RECT title = form->LabelRect(Form1::kLabel3);  // widened to the clock
  RECT area{};
  form->Timer4_Timer();
  ValidateRect(form->Handle(), nullptr);
  platform.unixTimeNow = noon + 59;  // the same minute: nothing to draw
  form->Timer4_Timer();
  EXPECT_FALSE(PendingPaint(form->Handle(), area));
  platform.unixTimeNow = noon + 60;
  form->Timer4_Timer();
  EXPECT_TRUE(shownFor(noon + 60));
  ASSERT_TRUE(PendingPaint(form->Handle(), area));
  EXPECT_TRUE(EqualRect(&area, &title));
  form->Form_Click();
  SlideUp();
  const std::wstring parked = form->Caption(Form1::kLabel3);
  platform.unixTimeNow = noon + 3600;
  form->Form_MouseMove();  // before the first frame down
  EXPECT_TRUE(shownFor(noon + 3600));
  EXPECT_NE(form->Caption(Form1::kLabel3), parked);

  EXPECT_EQ(form->Caption(Form1::kLabel3).find_first_of(L"۰۱۲۳۴۵۶۷۸۹"), std::wstring::npos);
  ProgramSettings().prayerPlace = kNoPrayerPlace;
  form->Form_SettingsChanged();
  EXPECT_EQ(form->Caption(Form1::kLabel3), L"Tavilo");
  EXPECT_LT(form->LabelRect(Form1::kLabel3).right, title.right);
}

TEST_F(Form1Window, CounterRedrawsOnlyItsOwnRectangleAndOnlyWhenSeen) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  const HWND window = form->Handle();
  SlideDown();
  RECT area{};

  ValidateRect(window, nullptr);
  platform.tickCount = 1000;
  form->Timer4_Timer();
  ASSERT_TRUE(PendingPaint(window, area));
  const RECT counter = form->LabelRect(Form1::kLabel1);
  EXPECT_TRUE(EqualRect(&area, &counter));

  ValidateRect(window, nullptr);
  form->Timer4_Timer();  // same text
  EXPECT_FALSE(PendingPaint(window, area));

  form->Form_Click();
  SlideUp();
  ValidateRect(window, nullptr);
  platform.tickCount = 2000;
  form->Timer4_Timer();  // parked: nobody can see it
  EXPECT_FALSE(PendingPaint(window, area));
  EXPECT_EQ(form->Caption(Form1::kLabel1), L"0:0:2:0");

  form->Form_MouseMove();  // coming down: the missed change is drawn
  ASSERT_TRUE(PendingPaint(window, area));
  EXPECT_TRUE(EqualRect(&area, &counter));
}

TEST_F(Form1Window, UnloadClosesAnOpenSongOnce) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  IsPlaying = true;
  SongFile = L"\"C:\\music\\آهنگ.mp3\"";
  form->Unload();
  EXPECT_EQ(platform.mediaCommands, std::vector<std::wstring>{L"close \"C:\\music\\آهنگ.mp3\""});
  EXPECT_EQ(form->Handle(), nullptr);
  form->Unload();  // already gone
  EXPECT_EQ(platform.mediaCommands.size(), 1u);
}

TEST_F(Form1Window, UnloadWithoutASongSendsNothing) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SongFile = L"\"C:\\music\\old.mp3\"";  // stopped earlier
  form->Unload();
  EXPECT_TRUE(platform.mediaCommands.empty());
}

}  // namespace
}  // namespace tavilo
