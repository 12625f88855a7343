// The About window as a real window: its texts and layout, the italic hover
// on the credits text, the web log and system information commands
// (recorded, never run), and its ways of closing.
#include "tools/frmAbout.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "platform/fake/FakePlatform.h"
#include "tools/logic/AboutInfo.h"

namespace tavilo {
namespace {

using namespace tools_i;
using A = frmAbout;

class frmAboutWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_.screenWidth = 640;
    platform_.screenHeight = 480;
    about_.Open();
    ASSERT_TRUE(about_.IsOpen());
    hwnd_ = about_.Handle();
  }
  void TearDown() override {
    if (about_.IsOpen()) DestroyWindow(about_.Handle());
  }

  void MouseMove(POINT at) { SendMessageW(hwnd_, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y)); }
  void Click(POINT at) {
    SendMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    SendMessageW(hwnd_, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  }
  POINT Label2Centre() {
    const RECT label = about_.Label2Rect();
    return {(label.left + label.right) / 2, (label.top + label.bottom) / 2};
  }
  // A key press as the program's message loop hands it to the window.
  void PressKey(WPARAM key) {
    MSG message{GetFocus(), WM_KEYDOWN, key, 0, 0, {}};
    if (!IsDialogMessageW(hwnd_, &message)) DispatchMessageW(&message);
  }
  // Runs `action` and waits for the window to have slid below the screen
  // and gone.
  bool ClosesWithTheSlide(const std::function<void()>& action) {
    WindowTrail trail(hwnd_);
    action();
    if (!PumpUntil([&] { return !about_.IsOpen(); })) return false;
    const RECT last = trail.LastFrame();
    return trail.Destroyed() && last.top - (last.bottom - last.top) >= 480;
  }

  FakePlatform platform_;
  frmAbout about_{platform_};
  HWND hwnd_ = nullptr;
};

TEST_F(frmAboutWindowTest, TextsFilledAtLoad) {
  EXPECT_EQ(WindowText(hwnd_), L"About Tavilo");
  EXPECT_EQ(ItemText(hwnd_, A::kLblTitle), L"Tavilo");
  EXPECT_EQ(ItemText(hwnd_, A::kLblVersion), L"Version 1.0.0");
  EXPECT_EQ(ItemText(hwnd_, A::kCmdOK), L"OK");
  EXPECT_EQ(ItemText(hwnd_, A::kCmdSysInfo), L"&System Info...");
  EXPECT_EQ(about_.Label2Caption(), CreditsText());
  EXPECT_FALSE(about_.Label2FontItalic());
}

TEST_F(frmAboutWindowTest, OpensAtItsDesignPositionWithItsLayout) {
  const RECT client = ClientOnScreen(hwnd_);
  EXPECT_EQ(client.left, 156);  // 2340 twips
  EXPECT_EQ(client.top, 129);   // 1935 twips
  EXPECT_EQ(client.right - client.left, 382);
  EXPECT_EQ(client.bottom - client.top, 237);
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
  // Owned by a window that is never shown: no taskbar button of its own.
  HWND owner = GetWindow(hwnd_, GW_OWNER);
  ASSERT_NE(owner, nullptr);
  EXPECT_FALSE(IsWindowVisible(owner));

  const RECT ok = ChildRect(hwnd_, A::kCmdOK);
  EXPECT_EQ(ok.left, 283);
  EXPECT_EQ(ok.top, 176);
  EXPECT_EQ(ok.right - ok.left, 84);
  EXPECT_EQ(ok.bottom - ok.top, 23);
  const RECT sysInfo = ChildRect(hwnd_, A::kCmdSysInfo);
  EXPECT_EQ(sysInfo.left, 280);
  EXPECT_EQ(sysInfo.top, 208);
  EXPECT_EQ(ChildRect(hwnd_, A::kLblTitle).left, 104);
  EXPECT_EQ(ChildRect(hwnd_, A::kLblVersion).top, 32);
  const RECT label2 = about_.Label2Rect();
  EXPECT_EQ(label2.left, 112);
  EXPECT_EQ(label2.top, 64);
  EXPECT_EQ(label2.right, 369);
  EXPECT_EQ(label2.bottom, 145);

  EXPECT_EQ(StyleOf(hwnd_, A::kCmdOK) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
  EXPECT_EQ(TabStops(hwnd_), (std::vector<int>{A::kCmdOK, A::kCmdSysInfo}));
  EXPECT_EQ(GetFocus(), GetDlgItem(hwnd_, A::kCmdOK));
  EXPECT_EQ(FontOf(GetDlgItem(hwnd_, A::kLblTitle)).lfCharSet, ARABIC_CHARSET);
  const LOGFONTW version = FontOf(GetDlgItem(hwnd_, A::kLblVersion));
  EXPECT_STREQ(version.lfFaceName, L"Tahoma");
  EXPECT_EQ(version.lfCharSet, ANSI_CHARSET);
  EXPECT_FALSE(version.lfItalic);
}

TEST_F(frmAboutWindowTest, PhotographIsDecodedFromTheResources) {
  EXPECT_TRUE(about_.HasPicture());
  // Drawn stretched into Image1 (8, 8)-(97, 161): not the plain background.
  UpdateWindow(hwnd_);
  HDC dc = GetDC(hwnd_);
  int differing = 0;
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (int y = 10; y < 160; y += 10) {
    for (int x = 10; x < 96; x += 10) {
      if (GetPixel(dc, x, y) != face) ++differing;
    }
  }
  ReleaseDC(hwnd_, dc);
  EXPECT_GT(differing, 50);
}

TEST_F(frmAboutWindowTest, CreditsTurnItalicUnderTheMouseUntilItPassesTheBareSurface) {
  MouseMove(Label2Centre());
  EXPECT_TRUE(about_.Label2FontItalic());
  // Over the title label and the picture nothing changes.
  MouseMove({110, 10});
  MouseMove({50, 100});
  EXPECT_TRUE(about_.Label2FontItalic());
  // The window's own surface, left of the buttons below the separator.
  MouseMove({40, 200});
  EXPECT_FALSE(about_.Label2FontItalic());
  MouseMove(Label2Centre());
  EXPECT_TRUE(about_.Label2FontItalic());
}

TEST_F(frmAboutWindowTest, CreditsHaveTheirToolTip) {
  HWND tip = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM found) -> BOOL {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (std::wstring(name) == TOOLTIPS_CLASSW) *reinterpret_cast<HWND*>(found) = window;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&tip));
  ASSERT_NE(tip, nullptr);
  EXPECT_EQ(GetWindow(tip, GW_OWNER), hwnd_);
  wchar_t text[80] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd_;
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, L"ورود به وبلاگ");
}

TEST_F(frmAboutWindowTest, ClickOnTheCreditsOpensTheWebLogAndTheWindowStays) {
  Click(Label2Centre());
  ASSERT_EQ(platform_.programStarts.size(), 1u);
  EXPECT_EQ(platform_.programStarts[0],
            (ProgramStartRequest{L"explorer http://tavilo.example.org/", kSwShowMinimized}));
  EXPECT_TRUE(about_.IsOpen());
  // Pressed elsewhere and let go over the credits: no click.
  SendMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 200));
  SendMessageW(hwnd_, WM_LBUTTONUP, 0, MAKELPARAM(Label2Centre().x, Label2Centre().y));
  EXPECT_EQ(platform_.programStarts.size(), 1u);
}

TEST_F(frmAboutWindowTest, SystemInfoUsesTheFirstRegistryValueUnchanged) {
  platform_.SetRegistryString(RegistryRoot::LocalMachine, kSysInfoKey, L"PATH",
                              L"C:\\Program Files\\MSInfo\\msinfo32.exe");
  platform_.SetRegistryString(RegistryRoot::LocalMachine, kSysInfoLocationKey, L"MSINFO",
                              L"C:\\Other");
  SendDlgItemMessageW(hwnd_, A::kCmdSysInfo, BM_CLICK, 0, 0);
  ASSERT_EQ(platform_.programStarts.size(), 1u);
  EXPECT_EQ(platform_.programStarts[0],
            (ProgramStartRequest{L"\"C:\\Program Files\\MSInfo\\msinfo32.exe\"", kSwShowNormal}));
  ASSERT_EQ(platform_.registryOpens.size(), 1u);
  EXPECT_EQ(platform_.registryOpens[0].access, kKeyRead);
  EXPECT_TRUE(platform_.messageBoxes.empty());
  EXPECT_TRUE(about_.IsOpen());
}

TEST_F(frmAboutWindowTest, SystemInfoFallsBackToTheFolderOfTheSecondValue) {
  platform_.SetRegistryString(RegistryRoot::LocalMachine, kSysInfoLocationKey, L"MSINFO",
                              L"C:\\Shared Tools\\MSInfo");
  platform_.files.insert(L"C:\\Shared Tools\\MSInfo\\MSINFO32.EXE");
  SendDlgItemMessageW(hwnd_, A::kCmdSysInfo, BM_CLICK, 0, 0);
  ASSERT_EQ(platform_.programStarts.size(), 1u);
  EXPECT_EQ(platform_.programStarts[0].commandLine,
            L"\"C:\\Shared Tools\\MSInfo\\MSINFO32.EXE\"");
}

TEST_F(frmAboutWindowTest, SystemInfoWithNothingFoundShowsTheOneMessage) {
  SendDlgItemMessageW(hwnd_, A::kCmdSysInfo, BM_CLICK, 0, 0);
  EXPECT_TRUE(platform_.programStarts.empty());
  ASSERT_EQ(platform_.messageBoxes.size(), 1u);
  EXPECT_EQ(platform_.messageBoxes[0],
            (MessageBoxRequest{hwnd_, L"System Information Is Unavailable At This Time",
                               L"Tavilo", kMbOk}));
  EXPECT_TRUE(about_.IsOpen());
}

TEST_F(frmAboutWindowTest, OkClosesWithTheSlide) {
  EXPECT_TRUE(ClosesWithTheSlide(
      [&] { SendDlgItemMessageW(hwnd_, A::kCmdOK, BM_CLICK, 0, 0); }));
}

TEST_F(frmAboutWindowTest, EscClosesFromAnyControl) {
  SetFocus(GetDlgItem(hwnd_, A::kCmdSysInfo));
  EXPECT_TRUE(ClosesWithTheSlide([&] { PressKey(VK_ESCAPE); }));
}

TEST_F(frmAboutWindowTest, EnterPressesOkUnlessSystemInfoHasTheFocus) {
  SetFocus(GetDlgItem(hwnd_, A::kCmdSysInfo));
  PressKey(VK_RETURN);
  EXPECT_EQ(platform_.messageBoxes.size(), 1u);  // System Info ran
  ASSERT_TRUE(about_.IsOpen());

  SetFocus(GetDlgItem(hwnd_, A::kCmdOK));
  EXPECT_TRUE(ClosesWithTheSlide([&] { PressKey(VK_RETURN); }));
}

TEST_F(frmAboutWindowTest, ReopenedWindowIsLoadedAfresh) {
  MouseMove(Label2Centre());
  ASSERT_TRUE(ClosesWithTheSlide([&] { PostMessageW(hwnd_, WM_CLOSE, 0, 0); }));
  about_.Open();
  hwnd_ = about_.Handle();
  EXPECT_EQ(WindowText(hwnd_), L"About Tavilo");
  EXPECT_FALSE(about_.Label2FontItalic());
  EXPECT_EQ(ClientOnScreen(hwnd_).left, 156);
}

}  // namespace
}  // namespace tavilo
