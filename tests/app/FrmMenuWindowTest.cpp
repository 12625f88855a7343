#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StripFixture.h"
#include "tools/logic/ShutdownSchedule.h"
#include "ui/Settings.h"

namespace tavilo {
namespace {

std::wstring ItemText(HMENU menu, int position) {
  wchar_t text[128] = {};
  GetMenuStringW(menu, position, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
  return text;
}

UINT ItemType(HMENU menu, int position) {
  MENUITEMINFOW info = {};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE;
  GetMenuItemInfoW(menu, position, TRUE, &info);
  return info.fType;
}

// A tool window that records what the menu asked of it.
class RecordingToolWindow : public ToolWindow {
 public:
  RecordingToolWindow(std::vector<std::wstring>& log, std::wstring name)
      : log_(log), name_(std::move(name)) {}
  bool IsOpen() const override { return open_; }
  void Open() override {
    open_ = true;
    log_.push_back(L"open " + name_);
  }
  void BringToFront() override { log_.push_back(L"front " + name_); }

 private:
  std::vector<std::wstring>& log_;
  std::wstring name_;
  bool open_ = false;
};

// The command id of the item with this caption in `menu` or its submenus;
// -1 when there is none.
UINT CommandOf(HMENU menu, const std::wstring& caption) {
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    if (HMENU submenu = GetSubMenu(menu, position)) {
      const UINT id = CommandOf(submenu, caption);
      if (id != static_cast<UINT>(-1)) return id;
    } else if (ItemText(menu, position) == caption) {
      return GetMenuItemID(menu, position);
    }
  }
  return static_cast<UINT>(-1);
}

class FrmMenuWindow : public StripFixture {
 protected:
  // Sends the command of the item with this caption the way a choice in the
  // menu does.
  void Choose(const wchar_t* caption) {
    const UINT id = CommandOf(menu->MnuFile(), caption);
    ASSERT_NE(id, static_cast<UINT>(-1)) << caption;
    SendMessageW(menu->Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
  }

  void RegisterAllTools() {
    const std::pair<ToolWindowKind, const wchar_t*> kinds[] = {
        {ToolWindowKind::kFrmCalendar, L"FrmCalendar"}, {ToolWindowKind::kFrmPlay, L"FrmPlay"},     {ToolWindowKind::kFrmShutDown, L"FrmShutDown"},
        {ToolWindowKind::kDateConvert, L"DateConvert"}, {ToolWindowKind::kFrmTrans, L"FrmTrans"},
        {ToolWindowKind::kFrmAbout, L"frmAbout"}, {ToolWindowKind::kFrmPrayer, L"FrmPrayer"}};
    for (const auto& [kind, name] : kinds)
      tools.Register(kind, std::make_unique<RecordingToolWindow>(toolLog, name));
  }

  std::vector<std::wstring> toolLog;
};

TEST_F(FrmMenuWindow, MenuTreeCaptionsAndOrder) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  HMENU popup = menu->MnuFile();
  ASSERT_NE(popup, nullptr);
  ASSERT_EQ(GetMenuItemCount(popup), 4);
  EXPECT_EQ(ItemText(popup, 0), L"تقویم");
  EXPECT_EQ(ItemText(popup, 1), L"تنظيمات");
  EXPECT_EQ(ItemText(popup, 2), L"درباره ما ...");
  EXPECT_EQ(ItemText(popup, 3), L"خروج");
  EXPECT_EQ(GetSubMenu(popup, 0), nullptr);
  EXPECT_EQ(GetSubMenu(popup, 2), nullptr);
  EXPECT_EQ(GetSubMenu(popup, 3), nullptr);

  HMENU settings = GetSubMenu(popup, 1);
  ASSERT_NE(settings, nullptr);
  ASSERT_EQ(GetMenuItemCount(settings), 14);
  EXPECT_EQ(ItemText(settings, 0), L"پخش آهنگ");
  EXPECT_EQ(ItemText(settings, 1), L"خاموش کردن");
  EXPECT_EQ(ItemText(settings, 2), L"مبدل تاريخ");
  EXPECT_EQ(ItemText(settings, 3), L"تغيير شفافيت");
  EXPECT_EQ(ItemText(settings, 4), L"شروع با ویندوز");
  EXPECT_EQ(ItemText(settings, 5), L"ارقام فارسی");
  EXPECT_EQ(ItemText(settings, 6), L"نماد در ناحیه اعلان");
  EXPECT_EQ(ItemText(settings, 7), L"تصحیح تاریخ قمری");
  HMENU lunar = GetSubMenu(settings, 7);
  ASSERT_NE(lunar, nullptr);
  EXPECT_EQ(GetMenuItemCount(lunar), 5);
  EXPECT_EQ(ItemText(settings, 8), L"مناسبت‌ها");
  HMENU occasions = GetSubMenu(settings, 8);
  ASSERT_NE(occasions, nullptr);
  EXPECT_EQ(GetMenuItemCount(occasions), 5);
  EXPECT_EQ(ItemText(settings, 9), L"اوقات شرعی");
  EXPECT_EQ(GetSubMenu(settings, 9), nullptr);
  // The quick items name a new user's action; cancel waits for a schedule.
  for (int position = 10; const wchar_t* minutes : {L"۱۵", L"۳۰", L"۶۰", L"۹۰"}) {
    EXPECT_EQ(ItemText(settings, position++),
              L"خاموش کردن پس از " + std::wstring(minutes) + L" دقیقه");
  }

  // Arabic yeh (U+064A) and the Persian kaf (U+06A9) exactly as written.
  EXPECT_EQ(ItemText(popup, 1)[3], L'\u064A');
  EXPECT_EQ(ItemText(settings, 1)[6], L'\u06A9');

  for (HMENU menuLevel : {popup, settings, lunar, occasions}) {
    for (int position = 0; position < GetMenuItemCount(menuLevel); ++position) {
      const UINT type = ItemType(menuLevel, position);
      EXPECT_FALSE(type & MFT_SEPARATOR) << position;
      EXPECT_FALSE(type & MFT_RIGHTORDER) << position;  // zero-height items under Wine
      EXPECT_EQ(GetMenuState(menuLevel, position, MF_BYPOSITION) & MF_GRAYED, 0u);
    }
  }
}

TEST_F(FrmMenuWindow, HiddenHostOwnsTheMenuUnderFile) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  EXPECT_EQ(menu->Handle(), nullptr);  // created on first use
  HMENU popup = menu->MnuFile();
  const HWND host = menu->Handle();
  ASSERT_NE(host, nullptr);
  EXPECT_FALSE(IsWindowVisible(host));
  wchar_t caption[32] = {};
  GetWindowTextW(host, caption, 32);
  EXPECT_EQ(std::wstring(caption), L"Form2");
  EXPECT_TRUE(GetWindowLongPtrW(host, GWL_EXSTYLE) & WS_EX_RTLREADING);
  HMENU bar = GetMenu(host);
  ASSERT_EQ(GetMenuItemCount(bar), 1);
  EXPECT_EQ(ItemText(bar, 0), L"File");
  EXPECT_EQ(GetSubMenu(bar, 0), popup);
  EXPECT_EQ(menu->MnuFile(), popup);  // one host, one menu
  EXPECT_EQ(menu->Handle(), host);
}

TEST_F(FrmMenuWindow, EachToolCommandOpensItsWindowOnceThenBringsItToFront) {
  RegisterAllTools();
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  Choose(L"تقویم");
  Choose(L"پخش آهنگ");
  Choose(L"خاموش کردن");
  Choose(L"مبدل تاريخ");
  Choose(L"تغيير شفافيت");
  Choose(L"درباره ما ...");
  Choose(L"درباره ما ...");
  Choose(L"پخش آهنگ");
  Choose(L"اوقات شرعی");
  EXPECT_EQ(toolLog, (std::vector<std::wstring>{L"open FrmCalendar", L"open FrmPlay",
                                                 L"open FrmShutDown",
                                                 L"open DateConvert", L"open FrmTrans",
                                                 L"open frmAbout", L"front frmAbout",
                                                 L"front FrmPlay", L"open FrmPrayer"}));
  EXPECT_EQ(programEnds, 0);
}

TEST_F(FrmMenuWindow, ToolCommandsWithoutTheirWindowsDoNothing) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  Choose(L"مبدل تاريخ");
  Choose(L"درباره ما ...");
  EXPECT_TRUE(IsWindow(form->Handle()));
  EXPECT_EQ(programEnds, 0);
}

TEST_F(FrmMenuWindow, ExitWithASongClosesItTwiceAndEndsTheProgram) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  IsPlaying = true;
  SongFile = L"\"C:\\My Music\\song.mp3\"";
  const HWND strip = form->Handle();
  menu->MnuFile();
  const HWND host = menu->Handle();
  Choose(L"خروج");
  EXPECT_FALSE(IsWindow(host));
  EXPECT_FALSE(IsWindow(strip));
  EXPECT_EQ(platform.mediaCommands, (std::vector<std::wstring>{L"close \"C:\\My Music\\song.mp3\"",
                                                               L"close \"C:\\My Music\\song.mp3\""}));
  EXPECT_EQ(programEnds, 1);
}

TEST_F(FrmMenuWindow, ExitWithoutASongSendsNoMediaCommand) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  Choose(L"خروج");
  EXPECT_TRUE(platform.mediaCommands.empty());
  EXPECT_EQ(form->Handle(), nullptr);
  EXPECT_EQ(programEnds, 1);
}

TEST_F(FrmMenuWindow, ClosingTheStripFromOutsideEndsTheProgramTheSameWay) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  IsPlaying = true;
  SongFile = L"\"C:\\a.mp3\"";
  SendMessageW(form->Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form->Handle(), nullptr);
  EXPECT_EQ(platform.mediaCommands.size(), 2u);
  EXPECT_EQ(programEnds, 1);
}

// What the timer found while the popup menu was open.
struct OpenMenu {
  HMENU shown = nullptr;
  bool rightToLeft = false;
  // The settings' items, checked (1) or not (0), as the menu showed them.
  std::vector<int> checks;
  std::wstring warningCaption;
  bool cancelShown = false;
  int keysToSend = 0;  // Up arrow then Enter: choose the last item
};
OpenMenu openMenu;

void CALLBACK InspectOpenMenu(HWND, UINT, UINT_PTR timer, DWORD) {
  const HWND popup = FindWindowW(L"#32768", nullptr);
  if (!popup || !IsWindowVisible(popup)) return;
  KillTimer(nullptr, timer);
  openMenu.shown = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
  openMenu.rightToLeft = (GetWindowLongPtrW(popup, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
  for (UINT id : {FrmMenu::kMnuStartWithWindows, FrmMenu::kMnuPersianDigits,
                  FrmMenu::kMnuNotificationIcon}) {
    openMenu.checks.push_back((GetMenuState(openMenu.shown, id, MF_BYCOMMAND) & MF_CHECKED) != 0);
  }
  wchar_t caption[64] = {};
  GetMenuStringW(openMenu.shown, FrmMenu::kMnuWarning, caption, 64, MF_BYCOMMAND);
  openMenu.warningCaption = caption;
  openMenu.cancelShown =
      GetMenuState(openMenu.shown, FrmMenu::kMnuCancelSchedule, MF_BYCOMMAND) != UINT(-1);
  for (int days = -2; days <= 2; ++days) {
    const UINT id = FrmMenu::kMnuLunarCorrection0 + days;
    openMenu.checks.push_back((GetMenuState(openMenu.shown, id, MF_BYCOMMAND) & MF_CHECKED) != 0);
  }
  if (openMenu.keysToSend == 0) {
    EndMenu();
    return;
  }
  PostMessageW(popup, WM_KEYDOWN, VK_UP, 0);
  PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(FrmMenuWindow, RightButtonPopsUpMnuFileLaidOutRightToLeft) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  openMenu = {};
  SetTimer(nullptr, 0, 50, &InspectOpenMenu);
  SendMessageW(form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, SurfacePoint());
  EXPECT_EQ(openMenu.shown, menu->MnuFile());
  EXPECT_TRUE(openMenu.rightToLeft);
  EXPECT_TRUE(IsWindow(form->Handle()));
  EXPECT_EQ(programEnds, 0);
}

// The popup is tracked without WM_INITMENUPOPUP: its marks are brought up to
// date before it opens, from the settings and the real Run value alike.
TEST_F(FrmMenuWindow, SettingsItemsChangeTheSettingsAndTheMarksFollowThem) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  const auto popUp = [&] {
    openMenu = {};
    SetTimer(nullptr, 0, 50, &InspectOpenMenu);
    SendMessageW(form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, SurfacePoint());
    return openMenu.checks;
  };
  EXPECT_EQ(popUp(), (std::vector<int>{0, 0, 1, 0, 0, 1, 0, 0}));

  Choose(L"ارقام فارسی");
  Choose(L"نماد در ناحیه اعلان");
  Choose(L"۱ روز کمتر");
  Choose(L"شروع با ویندوز");
  EXPECT_EQ(popUp(), (std::vector<int>{1, 1, 0, 0, 1, 0, 0, 0}));
  // Each change was stored, and the strip shows Persian digits at once.
  const Settings stored = LoadSettings(platform);
  EXPECT_TRUE(stored.persianDigits);
  EXPECT_FALSE(stored.notificationIcon);
  EXPECT_EQ(stored.lunarCorrection, -1);
  EXPECT_NE(form->Caption(Form1::kLabel2).find(L"۱۴۰۵"), std::wstring::npos);

  Choose(L"شروع با ویندوز");
  Choose(L"ارقام فارسی");
  EXPECT_EQ(popUp(), (std::vector<int>{0, 0, 0, 0, 1, 0, 0, 0}));
  EXPECT_NE(form->Caption(Form1::kLabel2).find(L"1405"), std::wstring::npos);
  EXPECT_EQ(openMenu.warningCaption, L"خاموش کردن");
  EXPECT_FALSE(openMenu.cancelShown);

  // An armed schedule's action and time left stand in place of "turn off".
  platform.tickCount = 1000000;
  ProgramSchedule().Arm(1000 + 754);
  ProgramSchedule().SetAction(L"قفل شدن رایانه", L"قفل کردن");
  popUp();
  ProgramSchedule().Cancel();
  EXPECT_EQ(openMenu.warningCaption, L"قفل کردن (۰:۱۲:۳۴)");
  EXPECT_TRUE(openMenu.cancelShown);
}

TEST_F(FrmMenuWindow, ExitChosenInThePopupRunsBeforeTheRightButtonHandlerReturns) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  openMenu = {};
  openMenu.keysToSend = 2;
  SetTimer(nullptr, 0, 50, &InspectOpenMenu);
  SendMessageW(form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, SurfacePoint());
  EXPECT_NE(openMenu.shown, nullptr);
  EXPECT_EQ(programEnds, 1);
  EXPECT_EQ(form->Handle(), nullptr);
}

// A click on the skin's calendar picture opens the month calendar and leaves
// the strip down; the date line's tooltip gives today's lunar date.
TEST_F(FrmMenuWindow, CalendarPictureOpensTheCalendarAndTheDateLineTellsTheLunarDate) {
  RegisterAllTools();
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  const RECT picture = form->CalendarPictureRect();
  const LPARAM at = MAKELPARAM((picture.left + picture.right) / 2, (picture.top + picture.bottom) / 2);
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(toolLog, (std::vector<std::wstring>{L"open FrmCalendar"}));
  EXPECT_EQ(form->motion().State(), MotionState::kDown);
  // Saturday 5 December 2026 is 25 Jumada al-Thani 1448, with no occasion;
  // the right-to-left mark keeps the day number at the right.
  EXPECT_EQ(form->DateToolTip(), L"\u200F۲۵ جمادی‌الثانی ۱۴۴۸");
}

TEST_F(FrmMenuWindow, RightButtonOverALabelOpensNothing) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SendMessageW(form->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, PointInLabel(Form1::kLabel1));
  EXPECT_EQ(menu->Handle(), nullptr);
}

}  // namespace
}  // namespace tavilo
