// The user's events in the real month calendar and editor, on the fake's
// disk: the mark and the day's list, keyboard adds, edits and deletes that
// reach the file, a failed save, and a draft kept when the program ends.
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
#include "ui/ProgramMessages.h"

namespace tavilo {
namespace {

using namespace tools_i;
using C = FrmCalendar;
using E = FrmEvent;

const std::wstring kFolder = L"C:\\Users\\user\\AppData\\Roaming\\Tavilo";

class FrmEventWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_.now = DateSerial(2026, 3, 21) + 0.5;  // 1 Farvardin 1405
    platform_.folders.insert(kFolder);
    platform_.PutFile(kFolder + L"\\events.tsv",
                      "# Tavilo events 1\r\nshamsi\t1400/1/1\tyearly\t-\t-\tNowruz\t\r\n");
    ProgramEvents().Load(platform_);
    ASSERT_TRUE(strip_.Create());
    calendar_.Open();
    hwnd_ = calendar_.Handle();
  }
  void TearDown() override {
    if (calendar_.IsOpen()) DestroyWindow(calendar_.Handle());
    strip_.Unload();
    ProgramEvents() = UserEvents();
  }

  // The titles as a fresh start reads them from the disk.
  std::vector<std::wstring> Saved() {
    UserEvents disk;
    disk.Load(platform_);
    std::vector<std::wstring> titles;
    for (const Event& event : disk.Events()) titles.push_back(event.title);
    return titles;
  }
  static HWND Editor() { return E::OpenEditor() ? E::OpenEditor()->Handle() : nullptr; }
  static void Key(HWND control, WPARAM key, bool withControl = false) {
    BYTE keys[256]{};
    keys[VK_CONTROL] = withControl ? 0x80 : 0;
    SetKeyboardState(keys);
    SetFocus(control);
    MSG message{control, WM_KEYDOWN, key, 1, 0, {}};
    ASSERT_TRUE(HandleDialogKeys(message));
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  }
  void KeyIn(int id, WPARAM key, bool withControl = false) {
    Key(GetDlgItem(hwnd_, id), key, withControl);
  }
  // Types a title into a new event's editor and presses Enter in the box.
  void AddWithKeys(const wchar_t* title) {
    KeyIn(C::kGrdMonth, VK_INSERT);
    ASSERT_TRUE(Editor());
    SetDlgItemTextW(Editor(), E::kTxtTitle, title);
    Key(GetDlgItem(Editor(), E::kTxtTitle), VK_RETURN);
  }
  bool MarkShows() const {
    HWND grid = GetDlgItem(hwnd_, C::kGrdMonth);
    RECT client;
    GetClientRect(grid, &client);
    UpdateWindow(grid);
    HDC dc = GetDC(grid);
    bool found = false;
    const Palette& palette = ActivePalette();  // the mark's colour, on the selected day too
    for (int y = 0; y < client.bottom && !found; ++y)
      for (int x = 0; x < client.right && !found; ++x) {
        const COLORREF pixel = GetPixel(dc, x, y);
        found = pixel == ColorOf(palette.eventMark) ||
                pixel == ColorOf(palette.eventMarkOnSelection);
      }
    ReleaseDC(grid, dc);
    return found;
  }

  FakePlatform platform_;
  ToolWindowRegistry tools_;
  int programEnds_ = 0;
  FrmMenu menu_{GetModuleHandleW(nullptr), platform_, tools_, [this] { ++programEnds_; }};
  Form1 strip_{GetModuleHandleW(nullptr), platform_, menu_};
  FrmCalendar calendar_{platform_, strip_};
  HWND hwnd_ = nullptr;
};

TEST_F(FrmEventWindowTest, TheDayShowsItsMarkAndListAndTheListClaimsEnter) {
  EXPECT_TRUE(MarkShows());
  wchar_t line[64] = {};
  SendDlgItemMessageW(hwnd_, C::kLstEvents, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
  EXPECT_STREQ(line, L"Nowruz (هر سال) (۵ سال)");
  wchar_t listClass[16] = {};
  RealGetWindowClassW(GetDlgItem(hwnd_, C::kLstEvents), listClass, 16);
  EXPECT_STREQ(listClass, L"ListBox");  // what screen readers go by
  EXPECT_TRUE(strip_.DateToolTip().ends_with(L"\n\u200F۱ رویداد امروز"));

  MSG enter{GetDlgItem(hwnd_, C::kLstEvents), WM_KEYDOWN, VK_RETURN, 1, 0, {}};
  EXPECT_TRUE(SendMessageW(enter.hwnd, WM_GETDLGCODE, 0, reinterpret_cast<LPARAM>(&enter)) &
              DLGC_WANTMESSAGE);
  KeyIn(C::kLstEvents, VK_RETURN);
  ASSERT_TRUE(Editor());
  EXPECT_EQ(ItemText(Editor(), E::kTxtTitle), L"Nowruz");
  EXPECT_EQ(ItemText(hwnd_, C::kLblGoToMessage), L"");  // the go button was not pressed
}

TEST_F(FrmEventWindowTest, InsertEnterCtrlEnterAndDeleteReachTheFile) {
  AddWithKeys(L"Dentist");
  ASSERT_TRUE(PumpUntil([] { return !Editor(); }));
  EXPECT_EQ(Saved(), (std::vector<std::wstring>{L"Nowruz", L"Dentist"}));
  EXPECT_EQ(SendDlgItemMessageW(hwnd_, C::kLstEvents, LB_GETCOUNT, 0, 0), 2);

  SendDlgItemMessageW(hwnd_, C::kLstEvents, LB_SETCURSEL, 1, 0);
  KeyIn(C::kLstEvents, VK_RETURN);
  HWND editor = Editor();
  SetDlgItemTextW(editor, E::kTxtTitle, L"Dentist at 5");
  SendDlgItemMessageW(hwnd_, C::kCmdNewEvent, BM_CLICK, 0, 0);  // brings the open one forward
  EXPECT_EQ(Editor(), editor);
  EXPECT_EQ(ItemText(editor, E::kTxtTitle), L"Dentist at 5");
  Key(GetDlgItem(editor, E::kTxtNote), VK_RETURN, true);
  ASSERT_TRUE(PumpUntil([] { return !Editor(); }));
  EXPECT_EQ(Saved(), (std::vector<std::wstring>{L"Nowruz", L"Dentist at 5"}));

  platform_.messageBoxResults = {kIdCancel, kIdYes};
  for (const auto& left : {std::vector<std::wstring>{L"Nowruz", L"Dentist at 5"},
                           std::vector<std::wstring>{L"Dentist at 5"}}) {
    SendDlgItemMessageW(hwnd_, C::kLstEvents, LB_SETCURSEL, 0, 0);
    KeyIn(C::kLstEvents, VK_DELETE);
    EXPECT_EQ(Saved(), left);
  }
  EXPECT_EQ(platform_.messageBoxes.size(), 2u);
}

TEST_F(FrmEventWindowTest, AFailedSaveKeepsTheFormAndSaysWhy) {
  platform_.fileFailures[PlatformCall::FileCreate] = kErrorAccessDenied;
  AddWithKeys(L"Exam");
  ASSERT_TRUE(Editor());
  EXPECT_EQ(ItemText(Editor(), E::kTxtTitle), L"Exam");
  EXPECT_NE(ItemText(Editor(), E::kLblMessage), L"");
  EXPECT_NE(ItemText(hwnd_, C::kLblEventsStatus), L"");
  platform_.fileFailures.clear();
  Key(GetDlgItem(Editor(), E::kTxtTitle), VK_RETURN);  // saved once, not twice
  EXPECT_EQ(Saved(), (std::vector<std::wstring>{L"Nowruz", L"Exam"}));
}

// Untitled, the draft is dropped at the session's end; titled, Exit saves it
// as it is.
TEST_F(FrmEventWindowTest, TheProgramsEndKeepsATitledDraft) {
  for (const wchar_t* title : {L"", L"Draft"}) {
    KeyIn(C::kGrdMonth, VK_INSERT);
    SetDlgItemTextW(Editor(), E::kTxtNote, L"note");
    SetDlgItemTextW(Editor(), E::kTxtTitle, title);
    if (*title) {
      menu_.mnuExit_Click();
    } else {
      SendMessageW(strip_.Handle(), WM_ENDSESSION, TRUE, 0);
      EXPECT_EQ(Saved().size(), 1u);
      DestroyWindow(Editor());
    }
  }
  EXPECT_EQ(Saved(), (std::vector<std::wstring>{L"Nowruz", L"Draft"}));
}

// A read-only events.tsv: the menu's Exit asks, naming the file, the reason
// and the side file, and stays on No; WM_CLOSE never asks. The next start
// takes the event back, or says why it still cannot save it.
TEST_F(FrmEventWindowTest, AnEventThatCouldNotBeSavedOutlivesExit) {
  platform_.fileFailures[PlatformCall::FileMove] = kErrorAccessDenied;
  AddWithKeys(L"Exam");
  ASSERT_TRUE(Editor());
  EXPECT_NE(ItemText(Editor(), E::kLblMessage).find(L"تا وقتی Tavilo باز است"), std::wstring::npos);
  platform_.messageBoxResults = {IDNO};
  menu_.mnuExit_Click();
  ASSERT_EQ(platform_.messageBoxes.size(), 1u);
  const std::wstring& question = platform_.messageBoxes[0].text;
  for (const std::wstring& part : {kFolder + L"\\events.tsv\n", kFolder + L"\\events.tsv.tmp",
                                   std::wstring(L"فقط‌خواندنی")})
    EXPECT_NE(question.find(part), std::wstring::npos) << part;
  EXPECT_EQ(programEnds_, 0);  // No: Tavilo stays

  SendMessageW(strip_.Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(programEnds_, 1);
  EXPECT_EQ(platform_.messageBoxes.size(), 1u);

  UserEvents stillReadOnly;
  stillReadOnly.Load(platform_);
  EXPECT_EQ(stillReadOnly.Events().size(), 2u);
  EXPECT_NE(stillReadOnly.StatusText().find(L"فقط‌خواندنی"), std::wstring::npos);
  platform_.fileFailures.clear();
  EXPECT_EQ(Saved(), (std::vector<std::wstring>{L"Nowruz", L"Exam"}));
  EXPECT_NE(platform_.disk[kFolder + L"\\events.tsv"].content.find("Exam"), std::string::npos);
}

// The export button opens on the shown year; Enter refuses a year the
// calendar does not hold beside the box, and writes a good one through the
// save dialog, with the user's events, and closes.
TEST_F(FrmEventWindowTest, TheExportRefusesABadYearAndWritesAGoodOne) {
  using X = FrmCalendarExport;
  SendDlgItemMessageW(hwnd_, C::kCmdExport, BM_CLICK, 0, 0);
  HWND exporter = FindWindowW(L"TaviloFrmCalendarExport", nullptr);
  ASSERT_TRUE(exporter);
  EXPECT_EQ(ItemText(exporter, X::kTxtYear), L"۱۴۰۵");
  const auto enter = [&](const wchar_t* year) {
    SetDlgItemTextW(exporter, X::kTxtYear, year);
    Key(GetDlgItem(exporter, X::kTxtYear), VK_RETURN);
  };
  enter(L"۹۴۰۰");
  EXPECT_EQ(ItemText(exporter, X::kLblYearMessage), L"سال باید از ۱ تا ۹۳۷۸ باشد");
  EXPECT_TRUE(platform_.saveFileDialogs.empty());

  platform_.folders.insert(L"C:\\out");
  platform_.saveFileDialogResults.push_back(L"C:\\out\\year.ics");
  enter(L"1403");
  ASSERT_EQ(platform_.saveFileDialogs.size(), 1u);
  EXPECT_EQ(platform_.saveFileDialogs[0].suggestedName, L"Tavilo-1403.ics");
  EXPECT_NE(platform_.disk[L"C:\\out\\year.ics"].content.find(
                "DTSTART;VALUE=DATE:20240320\r\nDTEND;VALUE=DATE:20240321\r\nSUMMARY:Nowruz\r\n"),
            std::string::npos);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(exporter); }));
  EXPECT_TRUE(ItemText(hwnd_, C::kLblEventsStatus).starts_with(L"خروجی سال ۱۴۰۳: "));
  EXPECT_NE(ItemText(hwnd_, C::kLblEventsStatus).find(L"C:\\out\\year.ics"), std::wstring::npos);
}

// A newer version's file takes no new event: the button is greyed and the
// status line opens with why.
TEST_F(FrmEventWindowTest, ANewerVersionsFileGreysNewEvent) {
  platform_.PutFile(kFolder + L"\\events.tsv", "# Tavilo events 2\r\n");
  ProgramEvents().Load(platform_);
  BroadcastEventsChanged();
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(hwnd_, C::kCmdNewEvent)));
  EXPECT_TRUE(ItemText(hwnd_, C::kLblEventsStatus).starts_with(L"افزودن و ویرایش رویداد ممکن نیست"));
  KeyIn(C::kLstEvents, VK_INSERT);
  EXPECT_FALSE(Editor());
}

}  // namespace
}  // namespace tavilo
