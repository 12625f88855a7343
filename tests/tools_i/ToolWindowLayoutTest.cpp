// Every caption of every tool window's labels and buttons, wrapped at its
// width less a button's frame or an option's round button, fits its control
// at 96 to 192 DPI, in the control's font and in Wine's Tahoma renamed
// "Tahomx" (the prefix stands DejaVu in for any font named Tahoma). Every
// window but the prayer times' fits the work area (a 40-pixel taskbar less)
// of the smallest screens Windows offers each DPI on, with room for Windows
// 10's frame; the calendar at 200% on 1280 x 720 scrolls to its foot.
#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>

#include "../RenamedTahoma.h"
#include "WindowTestSupport.h"
#include "platform/fake/FakePlatform.h"
#include "tools/DateConvert.h"
#include "tools/FrmCalendar.h"
#include "tools/FrmPlay.h"
#include "tools/FrmPrayer.h"
#include "tools/FrmShutDown.h"
#include "tools/FrmTrans.h"
#include "tools/frmAbout.h"
#include "tools/logic/WindowPlacement.h"

namespace tavilo {
namespace {

bool CaptionFits(HWND control, unsigned dpi, const wchar_t* face) {
  wchar_t text[256];
  const LRESULT kind = SendMessageW(control, WM_GETDLGCODE, 0, 0);
  if (!(kind & (DLGC_STATIC | DLGC_BUTTON)) || !GetWindowTextW(control, text, 256)) return true;
  RECT room, needed{};
  GetClientRect(control, &room);
  room.right -= kind & DLGC_BUTTON ? MulDiv(kind & DLGC_RADIOBUTTON ? 18 : 6, dpi, 96) : 0;
  needed.right = room.right;
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  if (*face) lstrcpyW(font.lfFaceName, face);
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, CreateFontIndirectW(&font));
  DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK);
  DeleteObject(SelectObject(dc, previous));
  ReleaseDC(control, dc);
  return needed.right <= room.right && needed.bottom <= room.bottom;
}

TEST(ToolWindowLayout, EveryCaptionFitsItsControlAndEveryWindowItsWorkArea) {
  ASSERT_TRUE(testing::LoadRenamedTahoma());
  struct : StripWindow {
    WindowHandle StripHandle() const override { return nullptr; }
    void HoldStrip(bool) override {}
    void ReleaseStrip() override {}
  } strip;
  for (auto [dpi, width, height] : {std::tuple{96u, 1366, 768}, {96u, 1280, 720}, {120u, 1366, 768},
                                   {120u, 1280, 720}, {144u, 1280, 800}, {192u, 1920, 1080},
                                   {192u, 1280, 720}}) {
    FakePlatform platform;
    platform.dpi = dpi;
    platform.monitorAreas = MonitorAreas{{0, 0, width, height}, {0, 0, width, height - 40}};
    DateConvert converter{platform};
    FrmShutDown scheduler{platform};
    FrmWarning warning{platform, {[] {}, [] {}, [] {}}};
    FrmTrans trans{platform, strip};
    FrmPlay player{platform};
    frmAbout about{platform};
    FrmCalendar calendar{platform, strip};
    FrmPrayer prayer{platform};
    FrmEvent editor{platform};
    FrmCalendarExport exporter{platform};
    for (ToolWindow* tool : std::initializer_list<ToolWindow*>{&converter, &scheduler, &trans,
                                                               &player, &about, &calendar, &prayer,
                                                               &editor, &exporter}) {
      tool->Open();
    }
    warning.Warn(L"خروج از حساب کاربری", 60);
    for (HWND window : {converter.Handle(), scheduler.Handle(), warning.Handle(), trans.Handle(),
                        player.Handle(), about.Handle(), calendar.Handle(), prayer.Handle(),
                        editor.Handle(), exporter.Handle()}) {
      for (HWND control = GetWindow(window, GW_CHILD); control;
           control = GetWindow(control, GW_HWNDNEXT)) {
        for (const wchar_t* face : {L"", testing::kRenamedTahoma}) {
          EXPECT_TRUE(CaptionFits(control, dpi, face)) << dpi << " DPI " << GetDlgCtrlID(control);
        }
      }
      RECT placed, client;
      GetWindowRect(window, &placed);
      GetClientRect(window, &client);
      const auto at = ::testing::Message() << dpi << " DPI " << height << " " << window;
      EXPECT_TRUE(placed.left >= 0 && placed.top >= 0 && placed.right <= width &&
                  placed.bottom <= height - 40) << at;
      const bool scrolls = GetWindowLongPtrW(window, GWL_STYLE) & WS_VSCROLL;
      if ((height != 720 || dpi < 192) && window != prayer.Handle()) {
        EXPECT_TRUE(!scrolls && client.right + FrameAllowanceAt(dpi).width <= width &&
                    client.bottom + FrameAllowanceAt(dpi).height <= height - 40) << at;
      } else if (window == calendar.Handle()) {
        EXPECT_TRUE(scrolls) << at;
        SendMessageW(window, WM_VSCROLL, SB_BOTTOM, 0);
        EXPECT_EQ(tools_i::ChildRect(window, FrmCalendar::kCmdToday).bottom,
                  client.bottom - MulDiv(120, dpi, 1440)) << at;
        HWND grid = GetDlgItem(window, FrmCalendar::kGrdMonth);  // Tab to the top: in sight
        SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(grid), TRUE);
        EXPECT_EQ(tools_i::ChildRect(window, FrmCalendar::kGrdMonth).top, 0) << at;
      }
    }
  }
}

}  // namespace
}  // namespace tavilo
