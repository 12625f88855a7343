// The transparency window as a real window, acting on the real drop-down
// strip: the opacity read back from the strip keeps its colour key.
#include "tools/FrmTrans.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "WindowTestSupport.h"
#include "app/Form1.h"
#include "app/FrmMenu.h"
#include "platform/fake/FakePlatform.h"
#include "platform/win32/Win32Platform.h"
#include "ui/Settings.h"
#include "ui/ToolWindows.h"

namespace tavilo {
namespace {

using namespace tools_i;

struct Layered {
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
};

class FrmTransWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Layered-window calls reach the real strip; everything else is recorded.
    platform_.windowServices = &real_;
    platform_.screenWidth = 1024;
    platform_.screenHeight = 768;
    ProgramSettings() = Settings{};
    ASSERT_TRUE(form1_.Create());
    trans_.Open();
    ASSERT_TRUE(trans_.IsOpen());
    hwnd_ = trans_.Handle();
  }
  void TearDown() override {
    if (trans_.IsOpen()) DestroyWindow(trans_.Handle());
    form1_.Unload();
  }

  // Read from the window system itself, not through the seam.
  Layered Form1Attributes() {
    Layered read;
    GetLayeredWindowAttributes(form1_.Handle(), &read.key, &read.alpha, &read.flags);
    return read;
  }
  void Scroll(int request, int position = 0) {
    SendMessageW(hwnd_, WM_HSCROLL, MAKEWPARAM(request, position),
                 reinterpret_cast<LPARAM>(GetDlgItem(hwnd_, FrmTrans::kHScroll1)));
  }
  int Position() { return GetScrollPos(GetDlgItem(hwnd_, FrmTrans::kHScroll1), SB_CTL); }
  void ExpectKeyedAt(BYTE alpha) {
    const Layered read = Form1Attributes();
    EXPECT_EQ(read.flags, static_cast<DWORD>(LWA_COLORKEY | LWA_ALPHA));
    EXPECT_EQ(read.key, RGB(255, 0, 0));
    EXPECT_EQ(read.alpha, alpha);
    EXPECT_TRUE(GetWindowLongPtrW(form1_.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
  }

  FakePlatform platform_;
  Win32Platform real_;
  ToolWindowRegistry tools_;
  FrmMenu menu_{GetModuleHandleW(nullptr), platform_, tools_, [] {}};
  Form1 form1_{GetModuleHandleW(nullptr), platform_, menu_};
  FrmTrans trans_{platform_, form1_};
  HWND hwnd_ = nullptr;
};

TEST_F(FrmTransWindowTest, OpensAtItsDesignPositionWithItsLayout) {
  RECT frame;
  GetWindowRect(hwnd_, &frame);
  EXPECT_EQ(frame.left, 672);  // 10080 twips
  EXPECT_EQ(frame.top, 352);   // 5280 twips
  RECT client;
  GetClientRect(hwnd_, &client);
  EXPECT_EQ(client.right, 344);
  EXPECT_EQ(client.bottom, 101);
  EXPECT_EQ(WindowText(hwnd_), L"تغيير شفافيت");
  EXPECT_TRUE(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_RTLREADING);

  const RECT bar = ChildRect(hwnd_, FrmTrans::kHScroll1);
  EXPECT_EQ(bar.left, 32);
  EXPECT_EQ(bar.top, 40);
  EXPECT_EQ(bar.right, 32 + 273);
  EXPECT_EQ(bar.bottom, 40 + 33);
  SCROLLINFO range{};
  range.cbSize = sizeof range;
  range.fMask = SIF_ALL;
  GetScrollInfo(GetDlgItem(hwnd_, FrmTrans::kHScroll1), SB_CTL, &range);
  EXPECT_EQ(range.nMin, 30);
  EXPECT_EQ(range.nMax, 255);
  EXPECT_EQ(range.nPos, 255);

  EXPECT_EQ(ItemText(hwnd_, FrmTrans::kLabel2), L"زياد");
  EXPECT_EQ(ChildRect(hwnd_, FrmTrans::kLabel2).left, 8);
  EXPECT_EQ(ItemText(hwnd_, FrmTrans::kLabel1), L"کم");
  EXPECT_EQ(ChildRect(hwnd_, FrmTrans::kLabel1).left, 288);
  for (int label : {FrmTrans::kLabel1, FrmTrans::kLabel2}) {
    EXPECT_EQ(StyleOf(hwnd_, label) & SS_TYPEMASK, SS_RIGHT);
    EXPECT_EQ(FontOf(GetDlgItem(hwnd_, label)).lfCharSet, ARABIC_CHARSET);
  }
  EXPECT_EQ(TabStops(hwnd_), std::vector<int>{FrmTrans::kHScroll1});
}

TEST_F(FrmTransWindowTest, OpeningAndClosingWithoutScrollingLeavesTheStripAlone) {
  const Layered before = Form1Attributes();
  ASSERT_EQ(before.flags, static_cast<DWORD>(LWA_COLORKEY));
  PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return !trans_.IsOpen(); }));
  const Layered after = Form1Attributes();
  EXPECT_EQ(after.flags, static_cast<DWORD>(LWA_COLORKEY));
  EXPECT_EQ(after.key, RGB(255, 0, 0));
  EXPECT_TRUE(platform_.layeredWrites.size() == 1u);  // the strip's own, at its load
}

TEST_F(FrmTransWindowTest, EveryChangeAppliesTheOpacityWithTheColourKey) {
  Scroll(SB_LINELEFT);
  EXPECT_EQ(Position(), 254);
  ExpectKeyedAt(254);

  // While the thumb is dragged, and once more when it is let go.
  const std::size_t writes = platform_.layeredWrites.size();
  Scroll(SB_THUMBTRACK, 180);
  ExpectKeyedAt(180);
  Scroll(SB_THUMBTRACK, 100);
  ExpectKeyedAt(100);
  Scroll(SB_THUMBPOSITION, 100);
  ExpectKeyedAt(100);
  EXPECT_EQ(platform_.layeredWrites.size(), writes + 3);
  // Letting go stores the opacity; the next window opens there.
  Scroll(SB_ENDSCROLL);
  EXPECT_EQ(platform_.layeredWrites.size(), writes + 3);
  EXPECT_EQ(LoadSettings(platform_).opacity, 100);
  EXPECT_EQ(ProgramSettings().opacity, 100);

  // A trough click moves 30 steps, an arrow one.
  Scroll(SB_PAGERIGHT);
  ExpectKeyedAt(130);
  Scroll(SB_LINERIGHT);
  ExpectKeyedAt(131);
  Scroll(SB_PAGELEFT);
  ExpectKeyedAt(101);

  // Back at the opaque end the key is still in force.
  Scroll(SB_RIGHT);
  EXPECT_EQ(Position(), 255);
  ExpectKeyedAt(255);
}

TEST_F(FrmTransWindowTest, TheStripCanNeverBeMadeInvisible) {
  Scroll(SB_LEFT);
  EXPECT_EQ(Position(), 30);
  ExpectKeyedAt(30);
  const std::size_t writes = platform_.layeredWrites.size();
  Scroll(SB_LINELEFT);
  Scroll(SB_PAGELEFT);
  EXPECT_EQ(Position(), 30);
  EXPECT_EQ(platform_.layeredWrites.size(), writes);
  Scroll(SB_THUMBTRACK, 0);
  EXPECT_EQ(Position(), 30);
  ExpectKeyedAt(30);
}

// Closing keeps the position even without SB_ENDSCROLL (not every scroll
// bar sends it after keyboard steps): the next window opens there.
TEST_F(FrmTransWindowTest, ReopenedWindowStartsAtTheOpacityInForce) {
  Scroll(SB_THUMBPOSITION, 90);
  ExpectKeyedAt(90);
  PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(PumpUntil([&] { return !trans_.IsOpen(); }));
  ExpectKeyedAt(90);
  EXPECT_EQ(LoadSettings(platform_).opacity, 90);

  trans_.Open();
  hwnd_ = trans_.Handle();
  EXPECT_EQ(Position(), 90);
  Scroll(SB_LINELEFT);
  ExpectKeyedAt(89);
}

TEST_F(FrmTransWindowTest, KeyboardArrowsOnTheScrollBarChangeTheOpacity) {
  HWND bar = GetDlgItem(hwnd_, FrmTrans::kHScroll1);
  SetFocus(bar);
  SendMessageW(bar, WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(Position(), 254);
  ExpectKeyedAt(254);
}

}  // namespace
}  // namespace tavilo
