// The calendar's export window for real, on the fake's disk and save dialog.
#include <windows.h>

#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "app/Form1.h"
#include "app/FrmMenu.h"
#include "calendar/Numbers.h"
#include "platform/fake/FakePlatform.h"
#include "tools/FrmCalendar.h"
#include "tools/logic/UserEvents.h"
#include "tools/shared/DialogKeys.h"

namespace tavilo {
namespace {

using namespace tools_i;
using X = FrmCalendarExport;

// The button opens the export on the shown year; Enter refuses a year the
// calendar does not hold beside the box, and writes a good one through the
// save dialog, with the user's events, and closes.
TEST(FrmCalendarExportWindowTest, RefusesABadYearAndWritesAGoodOne) {
  FakePlatform platform;
  platform.now = DateSerial(2026, 3, 21) + 0.5;  // 1 Farvardin 1405
  platform.folders.insert(L"C:\\out");
  platform.PutFile(L"C:\\Users\\user\\AppData\\Roaming\\Tavilo\\events.tsv",
                   "# Tavilo events 1\r\nshamsi\t1400/1/1\tyearly\t-\t-\tMy Nowruz\t\r\n");
  platform.folders.insert(L"C:\\Users\\user\\AppData\\Roaming\\Tavilo");
  ProgramEvents().Load(platform);
  ToolWindowRegistry tools;
  FrmMenu menu{GetModuleHandleW(nullptr), platform, tools, [] {}};
  Form1 strip{GetModuleHandleW(nullptr), platform, menu};
  ASSERT_TRUE(strip.Create());
  FrmCalendar calendar{platform, strip};
  calendar.Open();
  SendDlgItemMessageW(calendar.Handle(), FrmCalendar::kCmdExport, BM_CLICK, 0, 0);
  HWND exporter = FindWindowW(L"TaviloFrmCalendarExport", nullptr);
  ASSERT_TRUE(exporter);
  EXPECT_EQ(ItemText(exporter, X::kTxtYear), L"۱۴۰۵");
  const auto enter = [&](const wchar_t* year) {
    SetDlgItemTextW(exporter, X::kTxtYear, year);
    MSG key{GetDlgItem(exporter, X::kTxtYear), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    SetFocus(key.hwnd);
    EXPECT_TRUE(HandleDialogKeys(key));
  };
  enter(L"۹۴۰۰");
  EXPECT_EQ(ItemText(exporter, X::kLblYearMessage), L"سال باید از ۱ تا ۹۳۷۸ باشد");
  EXPECT_TRUE(platform.saveFileDialogs.empty());

  platform.saveFileDialogResults.push_back(L"C:\\out\\year.ics");
  enter(L"1403");
  ASSERT_EQ(platform.saveFileDialogs.size(), 1u);
  EXPECT_EQ(platform.saveFileDialogs[0].suggestedName, L"Tavilo-1403.ics");
  EXPECT_EQ(ItemText(exporter, X::kLblYearMessage), L"");
  const std::string& file = platform.disk[L"C:\\out\\year.ics"].content;
  EXPECT_NE(file.find("DTSTART;VALUE=DATE:20240320\r\nDTEND;VALUE=DATE:20240321\r\nSUMMARY:My "
                      "Nowruz\r\n"), std::string::npos);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(exporter); }));
  DestroyWindow(calendar.Handle());
  strip.Unload();
  ProgramEvents() = UserEvents();
}

}  // namespace
}  // namespace tavilo
