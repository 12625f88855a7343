// The month calendar as a real window beside the real strip, on a fixed
// clock: what a reader (and a screen reader) finds in its heading, occasion
// list and selected-day line, its keys, and where it opens.
#include "tools/FrmCalendar.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "WindowTestSupport.h"
#include "app/Form1.h"
#include "app/FrmMenu.h"
#include "calendar/Numbers.h"
#include "platform/fake/FakePlatform.h"
#include "tools/shared/DialogKeys.h"
#include "ui/FailureGuard.h"
#include "ui/Messages.h"
#include "ui/ToolWindows.h"

namespace tavilo {
namespace {

using namespace tools_i;
using C = FrmCalendar;

constexpr wchar_t kDayOff[] = L" (تعطیل)";

class FrmCalendarWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_.screenWidth = 1024;
    platform_.screenHeight = 768;
    // Saturday 21 March 2026, 1 Farvardin 1405, at noon.
    platform_.now = DateSerial(2026, 3, 21) + 0.5;
    ASSERT_TRUE(strip_.Create());
    calendar_.Open();
    ASSERT_TRUE(calendar_.IsOpen());
    hwnd_ = calendar_.Handle();
  }
  void TearDown() override {
    if (calendar_.IsOpen()) DestroyWindow(calendar_.Handle());
    strip_.Unload();
  }

  std::wstring Text(int id) const { return ItemText(hwnd_, id); }
  bool Lists(const std::wstring& line) const {
    return Text(C::kLstOccasions).find(line) != std::wstring::npos;
  }
  void Key(WPARAM key) {
    MSG message{GetDlgItem(hwnd_, C::kGrdMonth), WM_KEYDOWN, key, 1, 0, {}};
    SetFocus(message.hwnd);
    ASSERT_TRUE(HandleDialogKeys(message));
  }
  void GoTo(const wchar_t* date) {
    SetDlgItemTextW(hwnd_, C::kTxtGoTo, date);
    SendDlgItemMessageW(hwnd_, C::kCmdGoTo, BM_CLICK, 0, 0);
  }

  FakePlatform platform_;
  ToolWindowRegistry tools_;
  FrmMenu menu_{GetModuleHandleW(nullptr), platform_, tools_, [] {}};
  Form1 strip_{GetModuleHandleW(nullptr), platform_, menu_};
  FrmCalendar calendar_{platform_, strip_};
  HWND hwnd_ = nullptr;
};

// Nowruz and Eid al-Fitr together on the first two days, the other days off
// of Farvardin, and today's full date under the grid.
TEST_F(FrmCalendarWindowTest, FarvardinOf1405) {
  EXPECT_EQ(Text(C::kLblHeading), L"فروردین ۱۴۰۵");
  EXPECT_EQ(Text(C::kLblGregorian), L"مارس – آوریل ۲۰۲۶");
  for (const wchar_t* line :
       {L"۱ فروردین: جشن نوروز", L"۱ فروردین: عید سعید فطر", L"۲ فروردین: عید نوروز",
        L"۲ فروردین: تعطیل به مناسبت عید سعید فطر", L"۳ فروردین: عید نوروز",
        L"۴ فروردین: عید نوروز", L"۱۲ فروردین: روز جمهوری اسلامی ایران",
        L"۱۳ فروردین: روز طبیعت", L"۲۵ فروردین: شهادت امام جعفر صادق"}) {
    EXPECT_TRUE(Lists(std::wstring(line) + kDayOff)) << Text(C::kLstOccasions);
  }
  EXPECT_EQ(Text(C::kLblSelected).rfind(L"شنبه ۱ فروردین ۱۴۰۵ – ۲۱ مارس ۲۰۲۶ – ", 0), 0u);
  EXPECT_NE(Text(C::kLblSelected).find(L"جشن نوروز (تعطیل)، روز جهانی نوروز، عید سعید فطر (تعطیل)"), std::wstring::npos);
  EXPECT_EQ(GetFocus(), GetDlgItem(hwnd_, C::kGrdMonth));
}

// Tab follows the eye; the occasion list takes the focus, scrolls by keys
// and passes Tab on to the prayer times' button under it.
TEST_F(FrmCalendarWindowTest, TabOrderAndTheOccasionListByKeys) {
  EXPECT_EQ(TabStops(hwnd_), (std::vector<int>{C::kGrdMonth, C::kCmdPrevious, C::kCmdNext,
                                               C::kTxtGoTo, C::kCmdGoTo, C::kCmdToday,
                                               C::kLstOccasions, C::kLstEvents,
                                               C::kCmdNewEvent, C::kCmdPrayerPlace,
                                               C::kTxtPrayerTimes, C::kCmdExport,
                                               C::kCmdTimetable}));
  HWND list = GetDlgItem(hwnd_, C::kLstOccasions);
  for (WPARAM key : {WPARAM{VK_NEXT}, WPARAM{VK_TAB}}) {
    MSG message{list, WM_KEYDOWN, key, 1, 0, {}};
    SetFocus(list);
    ASSERT_TRUE(HandleDialogKeys(message));
  }
  EXPECT_GT(SendMessageW(list, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_EQ(GetFocus(), GetDlgItem(hwnd_, C::kLstEvents));
}

// Mehr has no day off but its Fridays; Hafez Day is a working day.
TEST_F(FrmCalendarWindowTest, MehrOf1405FromTheGoToBox) {
  GoTo(L"1405/7/20");
  EXPECT_EQ(Text(C::kLblHeading), L"مهر ۱۴۰۵");
  EXPECT_TRUE(Lists(L"۲۰ مهر: روز بزرگداشت حافظ")) << Text(C::kLstOccasions);
  EXPECT_EQ(Text(C::kLstOccasions).find(kDayOff), std::wstring::npos);
  EXPECT_NE(Text(C::kLblSelected).find(L"۲۰ مهر ۱۴۰۵"), std::wstring::npos);
  EXPECT_EQ(Text(C::kLblGoToMessage), L"");

  GoTo(L"2026-13-07");
  EXPECT_EQ(Text(C::kLblHeading), L"مهر ۱۴۰۵");
  EXPECT_NE(Text(C::kLblGoToMessage), L"");
}

// The arrows move the selected day across month edges; Page Down moves a
// month, Home comes back to today.
TEST_F(FrmCalendarWindowTest, KeysMoveTheSelection) {
  const int32_t today = calendar_.SelectedDay();
  Key(VK_RIGHT);  // Saturday stands at the right: the day before
  EXPECT_EQ(calendar_.SelectedDay(), today - 1);
  EXPECT_EQ(Text(C::kLblHeading), L"اسفند ۱۴۰۴");
  Key(VK_NEXT);
  EXPECT_EQ(Text(C::kLblHeading), L"فروردین ۱۴۰۵");
  EXPECT_EQ(Text(C::kLblSelected).rfind(L"شنبه ۲۹ فروردین ۱۴۰۵", 0), 0u);  // Esfand 1404 has 29 days
  Key(VK_HOME);
  EXPECT_EQ(calendar_.SelectedDay(), today);
}

// The calendar's edges through the go-to box, the keys and the wheel: a date
// beyond them gets the box's message, the keys stop at the edge.
TEST_F(FrmCalendarWindowTest, TheEdgesThroughEveryEntryPoint) {
  const struct {
    const wchar_t* goTo;
    WPARAM key;  // 0: the wheel, down
    const wchar_t* heading;
  } cases[] = {
      {L"9999-12-21", VK_LEFT, L"آذر ۹۳۷۸"}, {L"9999/12/21", VK_NEXT, L"آذر ۹۳۷۸"},
      {L"9999-12-21", 0, L"آذر ۹۳۷۸"},       {L"1/1/1", VK_RIGHT, L"فروردین ۱"},
      {L"9999-12-22", VK_UP, L"اسفند ۱۴۰۴"},  // the message, and today a week earlier
  };
  for (const auto& c : cases) {
    Key(VK_HOME);
    GoTo(c.goTo);
    EXPECT_EQ(Text(C::kLblGoToMessage).empty(), c.key != VK_UP);
    if (c.key) Key(c.key);
    else SendDlgItemMessageW(hwnd_, C::kGrdMonth, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(Text(C::kLblHeading), c.heading) << c.key;
  }
}

// Under the strip's right end, on its monitor, within the work area.
TEST_F(FrmCalendarWindowTest, OpensUnderTheStrip) {
  RECT strip{}, frame{}, work{};
  GetWindowRect(strip_.Handle(), &strip);
  GetWindowRect(hwnd_, &frame);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(frame.right, std::min(strip.right, work.right));
  EXPECT_EQ(frame.top, strip.bottom - strip.top);
  EXPECT_LE(frame.bottom, work.bottom);
}

// Dark mode and then high contrast, told live as Windows tells them: the
// grid's panel and the selected day's fill, and a label's colours.
TEST_F(FrmCalendarWindowTest, FollowsDarkModeAndHighContrastLive) {
  HWND grid = GetDlgItem(hwnd_, C::kGrdMonth);
  const RECT client = ChildRect(hwnd_, C::kGrdMonth);
  // The bottom-left cell's corner, and a pixel of the selected 1 Farvardin's
  // fill (top right cell) beside today's outline.
  const POINT panel{3, client.bottom - client.top - 3}, fill{client.right - client.left - 3, 22};
  const auto pixel = [grid](POINT at) {
    UpdateWindow(grid);
    HDC dc = GetDC(grid);
    const COLORREF colour = GetPixel(dc, at.x, at.y);
    return ReleaseDC(grid, dc), colour;
  };
  EXPECT_EQ(pixel(panel), RGB(252, 253, 255));

  platform_.themeSettings.appsUseLightTheme = 0;
  SendMessageW(hwnd_, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"ImmersiveColorSet"));
  EXPECT_EQ(pixel(panel), RGB(32, 32, 32));
  HDC memory = CreateCompatibleDC(nullptr);
  EXPECT_TRUE(SendMessageW(hwnd_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(memory),
                           reinterpret_cast<LPARAM>(GetDlgItem(hwnd_, C::kLblSelected))));
  EXPECT_EQ(GetTextColor(memory), RGB(240, 240, 240));
  DeleteDC(memory);

  platform_.themeSettings.highContrast = true;
  SendMessageW(hwnd_, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(pixel(panel), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(pixel(fill), GetSysColor(COLOR_HIGHLIGHT));

  platform_.themeSettings = {};
  SendMessageW(hwnd_, WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(pixel(panel), RGB(252, 253, 255));
}

// An exception from a handler stops at the window procedure: the window
// lives on, handles its next message, and the user is told once.
constexpr UINT kThrow = WM_APP + 40, kAsk = WM_APP + 41;
struct ThrowingWindow {
  HWND hwnd_ = nullptr;
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == kThrow) throw OverflowError();
    return message == kAsk ? 42 : DefWindowProcW(hwnd_, message, wparam, lparam);
  }
};

TEST(FailureGuardTest, AThrowingHandlerIsToldOnceAndTheWindowGoesOn) {
  FakePlatform platform;
  SetFailureNotice(TaviloMessageBox(platform));
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterWindowClass(instance, L"TaviloThrowing", &RoutedWindowProc<ThrowingWindow>, 0, nullptr);
  ThrowingWindow window;
  ASSERT_TRUE(CreateWindowExW(0, L"TaviloThrowing", L"", WS_POPUP, 0, 0, 9, 9, nullptr, nullptr,
                              instance, &window));
  SendMessageW(window.hwnd_, kThrow, 0, 0);
  PostMessageW(window.hwnd_, kThrow, 0, 0);  // and through the message loop
  MSG message;
  while (PeekMessageW(&message, window.hwnd_, 0, 0, PM_REMOVE)) DispatchProgramMessage(message);
  EXPECT_TRUE(IsWindow(window.hwnd_));
  EXPECT_EQ(SendMessageW(window.hwnd_, kAsk, 0, 0), 42);
  ASSERT_EQ(platform.messageBoxes.size(), 1u);
  EXPECT_NE(platform.messageBoxes[0].text.find(L"Overflow"), std::wstring::npos);
  DestroyWindow(window.hwnd_);
  SetFailureNotice(nullptr);
}

}  // namespace
}  // namespace tavilo
