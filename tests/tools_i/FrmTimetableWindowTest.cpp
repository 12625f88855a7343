// The month's timetable as a real window opened from the real calendar: a
// report-view list a day a row that follows the calendar and Page Down, what
// printing says for each outcome, and the printed page on an A4 300-DPI DIB.
#include "tools/FrmTimetable.h"

#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "app/Form1.h"
#include "app/FrmMenu.h"
#include "calendar/Numbers.h"
#include "platform/fake/FakePlatform.h"
#include "tools/FrmCalendar.h"
#include "tools/TimetablePage.h"
#include "ui/Settings.h"
#include "ui/ToolWindows.h"

namespace tavilo {
namespace {

using namespace tools_i;
using T = FrmTimetable;

class FrmTimetableWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_.timeZone = TimeZoneRule{-210, 0, 0, {}, {}};
    platform_.now = DateSerial(2026, 3, 21) + 0.5;  // 1 Farvardin 1405
    ProgramSettings().prayerPlace = 112931;         // Tehran
    ProgramSettings().persianDigits = true;
    ASSERT_TRUE(strip_.Create());
    calendar_.Open();
    SendDlgItemMessageW(calendar_.Handle(), FrmCalendar::kCmdTimetable, BM_CLICK, 0, 0);
    hwnd_ = FindWindowW(L"TaviloFrmTimetable", nullptr);
    ASSERT_TRUE(hwnd_);
    list_ = GetDlgItem(hwnd_, T::kLstDays);
  }
  void TearDown() override {
    if (calendar_.IsOpen()) DestroyWindow(calendar_.Handle());
    strip_.Unload();
    ProgramSettings() = Settings{};
  }
  // The columns stand right to left: the first to read is the last one.
  std::wstring Cell(int row, int column) const {
    wchar_t text[128] = L"";
    ListView_GetItemText(list_, row, Header_GetItemCount(ListView_GetHeader(list_)) - 1 - column,
                         text, 128);
    return text;
  }

  FakePlatform platform_;
  ToolWindowRegistry tools_;
  FrmMenu menu_{GetModuleHandleW(nullptr), platform_, tools_, [] {}};
  Form1 strip_{GetModuleHandleW(nullptr), platform_, menu_};
  FrmCalendar calendar_{platform_, strip_};
  HWND hwnd_ = nullptr;
  HWND list_ = nullptr;
};

TEST_F(FrmTimetableWindowTest, OpensFromTheCalendarAndFollowsPageDown) {
  EXPECT_EQ(GetWindowLongW(list_, GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
  EXPECT_EQ(ListView_GetItemCount(list_), 31);
  EXPECT_EQ(ItemText(hwnd_, T::kLblHeading).rfind(L"اوقات شرعی تهران – فروردین ۱۴۰۵", 0), 0u);
  EXPECT_EQ(ListView_GetNextItem(list_, -1, LVNI_SELECTED), 0);  // today
  SendMessageW(list_, WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_NE(ItemText(hwnd_, T::kLblHeading).find(L"اردیبهشت ۱۴۰۵"), std::wstring::npos);
  EXPECT_EQ(Cell(0, 2), L"\u200F۲۱ آوریل");
}

TEST_F(FrmTimetableWindowTest, PrintSaysWhatHappened) {
  const struct { PrintResult result; const wchar_t* said; } cases[] = {
      {{PrintOutcome::kPrinted}, L"جدول به چاپگر فرستاده شد."}, {{PrintOutcome::kCancelled}, L""},
      {{PrintOutcome::kNoPrinter},
       L"چاپگری نصب نیست. جدول را با «ذخیره…» به صفحهٔ وب ببرید و از مرورگر چاپ کنید."},
      {{PrintOutcome::kFailed, 5}, L"چاپ نشد: error 5"},
  };
  for (const auto& c : cases) {
    platform_.printResult = c.result;
    SendDlgItemMessageW(hwnd_, T::kCmdPrint, BM_CLICK, 0, 0);
    EXPECT_EQ(ItemText(hwnd_, T::kLblMessage), c.said);
  }
}

// One A4 page at 300 DPI: the table and the footer within the margins.
TEST_F(FrmTimetableWindowTest, ThePageFitsAnA4SheetAt300Dpi) {
  constexpr int kWidth = 2480, kHeight = 3508, kDpi = 300, kMargin = kDpi * 2 / 5;
  BITMAPINFO info{{sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP page = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(dc, page);
  PatBlt(dc, 0, 0, kWidth, kHeight, WHITENESS);
  FrmTimetable timetable(platform_);
  timetable.ShowMonth({1405, 1});
  DrawTimetablePage(dc, *timetable.Table(), true, kWidth, kHeight, kDpi);
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  const auto inkInRows = [&](int top, int bottom, int left, int right) {
    int ink = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) ink += (pixels[y * kWidth + x] & 0xFFFFFF) != 0xFFFFFF;
    return ink;
  };
  EXPECT_EQ(inkInRows(0, kHeight, kWidth - kMargin + 4, kWidth), 0);  // right margin
  EXPECT_GT(inkInRows(kHeight - kMargin - 60, kHeight - kMargin, 0, kWidth), 100);  // footer
  // The table's 32 ruled rows reach two thirds down the page.
  EXPECT_GT(inkInRows(kHeight * 2 / 3, kHeight * 2 / 3 + 40, kMargin, kWidth - kMargin), 1000);
  DeleteObject(SelectObject(dc, previous));
  DeleteDC(dc);
}

}  // namespace
}  // namespace tavilo
