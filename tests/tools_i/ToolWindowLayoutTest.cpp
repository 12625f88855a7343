// Every tool window at 96, 144 and 192 DPI on a small screen with a taskbar.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/Form1.h"
#include "app/FrmMenu.h"
#include "platform/fake/FakePlatform.h"
#include "tools/DateConvert.h"
#include "tools/FrmCalendar.h"
#include "tools/FrmPlay.h"
#include "tools/FrmShutDown.h"
#include "tools/FrmTrans.h"
#include "tools/FrmWarning.h"
#include "tools/frmAbout.h"

namespace tavilo {
namespace {

// A label's or button's caption, wrapped at its width (less a button's frame
// or an option's round button), needs no more room than the control has: in
// the control's font, and in Wine's Tahoma renamed "Tahomx" (the prefix
// stands DejaVu in for any font named Tahoma, even one the process adds).
bool CaptionFits(HWND control, unsigned dpi, bool realTahoma) {
  wchar_t text[256];
  const LRESULT kind = SendMessageW(control, WM_GETDLGCODE, 0, 0);
  if (!(kind & (DLGC_STATIC | DLGC_BUTTON)) || !GetWindowTextW(control, text, 256)) return true;
  RECT room, needed{};
  GetClientRect(control, &room);
  room.right -= kind & DLGC_BUTTON ? MulDiv(kind & DLGC_RADIOBUTTON ? 18 : 6, dpi, 96) : 0;
  needed.right = room.right;
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  if (realTahoma) lstrcpyW(font.lfFaceName, L"Tahomx");
  HDC dc = GetDC(control);
  HGDIOBJ previous = SelectObject(dc, CreateFontIndirectW(&font));
  DrawTextW(dc, text, -1, &needed, DT_CALCRECT | DT_WORDBREAK);
  DeleteObject(SelectObject(dc, previous));
  ReleaseDC(control, dc);
  return needed.right <= room.right && needed.bottom <= room.bottom;
}

TEST(ToolWindowLayout, WholeOnTheWorkAreaOffTheStripWithEveryCaptionWhole) {
  std::ifstream file("Z:\\usr\\share\\wine\\fonts\\tahoma.ttf", std::ios::binary);
  std::string tahoma{std::istreambuf_iterator<char>(file), {}};
  const std::string name("\0T\0a\0h\0o\0m\0a", 12);
  for (auto at = tahoma.find(name); at != std::string::npos; at = tahoma.find(name)) {
    tahoma[at + 11] = 'x';
  }
  DWORD fonts = 0;
  ASSERT_TRUE(AddFontMemResourceEx(tahoma.data(), static_cast<DWORD>(tahoma.size()), 0, &fonts));
  for (auto [dpi, width, height] : {std::tuple{96u, 1024, 768}, {144u, 1280, 800}, {192u, 1920, 1080}}) {
    FakePlatform platform;
    platform.dpi = dpi;
    platform.screenWidth = width;
    platform.screenHeight = height;
    const RECT work{0, 0, width, height - 40};
    platform.monitorAreas = {{0, 0, width, height}, {0, 0, width, height - 40}};
    ToolWindowRegistry tools;
    FrmMenu menu{GetModuleHandleW(nullptr), platform, tools, [] {}};
    Form1 strip{GetModuleHandleW(nullptr), platform, menu};
    ASSERT_TRUE(strip.Create());
    DateConvert converter{platform};
    FrmShutDown scheduler{platform};
    FrmWarning warning{platform, {[] {}, [] {}, [] {}}};
    FrmTrans trans{platform, strip};
    FrmPlay player{platform};
    frmAbout about{platform};
    FrmCalendar calendar{platform, strip};
    for (ToolWindow* tool : std::initializer_list<ToolWindow*>{
             &converter, &scheduler, &trans, &player, &about, &calendar}) {
      tool->Open();
    }
    warning.Warn(L"خروج از حساب کاربری", 60);
    for (HWND window : {converter.Handle(), scheduler.Handle(), warning.Handle(), trans.Handle(),
                        player.Handle(), about.Handle(), calendar.Handle()}) {
      RECT frame, inside;
      GetWindowRect(window, &frame);
      IntersectRect(&inside, &frame, &work);
      EXPECT_TRUE(EqualRect(&inside, &frame)) << dpi << " DPI " << frame.left << "," << frame.top;
      for (HWND control = GetWindow(window, GW_CHILD); control;
           control = GetWindow(control, GW_HWNDNEXT)) {
        EXPECT_TRUE(CaptionFits(control, dpi, false)) << dpi << " DPI " << GetDlgCtrlID(control);
        EXPECT_TRUE(CaptionFits(control, dpi, true)) << dpi << " DPI " << GetDlgCtrlID(control);
      }
    }
    RECT stripDown, beside, overlap;  // the strip as it stands when down
    GetWindowRect(strip.Handle(), &stripDown);
    OffsetRect(&stripDown, 0, -stripDown.top);
    GetWindowRect(calendar.Handle(), &beside);
    EXPECT_FALSE(IntersectRect(&overlap, &stripDown, &beside)) << dpi << " DPI";
    strip.Unload();
  }
}

}  // namespace
}  // namespace tavilo
