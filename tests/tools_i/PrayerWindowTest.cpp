// The month calendar's way to choose a place, the prayer-time window choosing
// one (bad coordinates refused), and the day's times after a new start: in
// the prefix's real registry and in Iran's real zone (TZ=Asia/Tehran).
#include <windows.h>

#include <gtest/gtest.h>

#include "../tools_ii/RoutedPlatform.h"
#include "WindowTestSupport.h"
#include "app/Form1.h"
#include "app/FrmMenu.h"
#include "calendar/Numbers.h"
#include "tools/FrmCalendar.h"
#include "tools/FrmPrayer.h"
#include "ui/Settings.h"

namespace tavilo {
namespace {

using namespace tools_i;
using C = FrmCalendar;
using P = FrmPrayer;

class PrayerWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
    ProgramSettings() = Settings{};
    platform_.realRegistry = platform_.realTimeZone = true;
    platform_.fake.screenWidth = 1024;
    platform_.fake.screenHeight = 768;
    platform_.fake.now = DateSerial(2025, 3, 2) + 0.5;  // 12 Esfand 1403
    platform_.fake.unixTimeNow = 1740904200;            // its 12:00 in Tehran
    ASSERT_TRUE(strip_.Create());
  }
  void TearDown() override {
    for (HWND window : {calendar_.Handle(), prayer_.Handle()}) DestroyWindow(window);
    strip_.Unload();
    ProgramSettings() = Settings{};
    RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
  }
  // What a new start reads.
  void Restart() { ProgramSettings() = LoadSettings(platform_); }
  std::wstring Calendar(int id) const { return ItemText(calendar_.Handle(), id); }
  std::wstring Prayer(int id) const { return ItemText(prayer_.Handle(), id); }
  void Click(HWND window, int id) { SendDlgItemMessageW(window, id, BM_CLICK, 0, 0); }
  bool TimesShown() const { return IsWindowVisible(GetDlgItem(calendar_.Handle(), C::kTxtPrayerTimes)); }

  testing::RoutedPlatform platform_;
  ToolWindowRegistry tools_;
  FrmMenu menu_{GetModuleHandleW(nullptr), platform_, tools_, [] {}};
  Form1 strip_{GetModuleHandleW(nullptr), platform_, menu_};
  FrmPrayer prayer_{platform_};
  FrmCalendar calendar_{platform_, strip_, [this] { prayer_.Open(); }};
};

// A place id stored as text is garbage: no place, only the button, which
// opens the prayer window with Tehran, the suggestion, selected.
TEST_F(PrayerWindowTest, UntilAPlaceIsChosenOnlyTheWayToChooseOne) {
  RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, L"PrayerPlace", REG_SZ, L"112931", 14);
  Restart();
  calendar_.Open();
  EXPECT_EQ(Calendar(C::kCmdPrayerPlace), L"انتخاب مکان برای اوقات شرعی");
  EXPECT_FALSE(TimesShown());
  Click(calendar_.Handle(), C::kCmdPrayerPlace);
  ASSERT_TRUE(prayer_.IsOpen());
  EXPECT_EQ(Prayer(P::kLblChosen), L"هنوز مکانی انتخاب نشده است");
  HWND list = GetDlgItem(prayer_.Handle(), P::kLstPlaces);
  EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, SendMessageW(list, LB_GETCURSEL, 0, 0), 0), 112931);
}

// Found by its Latin name and chosen; read afresh, the calendar gives the
// Institute of Geophysics' times for 12 Esfand 1403 to the minute.
TEST_F(PrayerWindowTest, AChosenPlaceShowsTheDaysTimesAfterARestart) {
  prayer_.Open();
  SetDlgItemTextW(prayer_.Handle(), P::kTxtSearch, L"zzz");
  EXPECT_EQ(Prayer(P::kLblSearchMessage), L"مکانی با این نام پیدا نشد");
  SetDlgItemTextW(prayer_.Handle(), P::kTxtSearch, L"tehr");
  EXPECT_EQ(Prayer(P::kLblSearchMessage), L"");
  Click(prayer_.Handle(), P::kCmdChoose);
  EXPECT_EQ(Prayer(P::kLblChosen), L"مکان انتخاب‌شده: تهران");
  ProgramSettings() = Settings{};
  Restart();
  calendar_.Open();
  ASSERT_TRUE(TimesShown());
  EXPECT_EQ(Calendar(C::kTxtPrayerTimes),
            L"\u200Fاوقات شرعی تهران\r\n"
            L"\u200Fاذان صبح ۰۵:۱۰، طلوع آفتاب ۰۶:۳۳\r\n"
            L"\u200Fاذان ظهر ۱۲:۱۶، غروب آفتاب ۱۸:۰۰\r\n"
            L"\u200Fاذان مغرب ۱۸:۱۹، نیمه‌شب شرعی ۲۳:۳۴");
  EXPECT_EQ(Calendar(C::kCmdPrayerPlace), L"تغییر مکان اوقات شرعی");
}

// Coordinates out of range or not numbers: a message beside the box and
// nothing stored. Good ones are stored and the open calendar follows.
TEST_F(PrayerWindowTest, TypedCoordinatesRefusedOrStored) {
  calendar_.Open();
  prayer_.Open();
  HWND window = prayer_.Handle();
  SetDlgItemTextW(window, P::kTxtLatitude, L"91");
  SetDlgItemTextW(window, P::kTxtLongitude, L"abc");
  Click(window, P::kCmdUseCoordinates);
  EXPECT_EQ(Prayer(P::kLblLatitudeMessage), L"حداکثر ۹۰ درجه");
  EXPECT_EQ(Prayer(P::kLblLongitudeMessage), L"مانند ۵۱٫۴۲ یا ۵۱ ۲۵");
  EXPECT_NE(RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, L"PrayerLatitude", RRF_RT_ANY, nullptr,
                         nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_FALSE(TimesShown());
  SetDlgItemTextW(window, P::kTxtLatitude, L"۵۹٫۳۳");
  SetDlgItemTextW(window, P::kTxtLongitude, L"18.07");
  Click(window, P::kCmdUseCoordinates);
  Restart();
  ASSERT_TRUE(ChosenPrayerPlace(ProgramSettings()));
  EXPECT_EQ(ProgramSettings().prayerLatitude, 59330000);
  EXPECT_TRUE(TimesShown());
  EXPECT_TRUE(Calendar(C::kTxtPrayerTimes)
                  .starts_with(L"\u200Fاوقات شرعی ۵۹٫۳۳ شمالی، ۱۸٫۰۷ شرقی، به وقت این رایانه"));
}

// Today's times as the calendar writes them, the next marked, following the
// place and method; the boxes show the chosen city's coordinates.
TEST_F(PrayerWindowTest, TodaysTimesFollowThePlaceAndTheMethod) {
  prayer_.Open();
  HWND window = prayer_.Handle();
  EXPECT_EQ(Prayer(P::kTxtToday), L"هنوز مکانی انتخاب نشده است");
  SetDlgItemTextW(window, P::kTxtLatitude, L"1");
  Click(window, P::kCmdChoose);  // Tehran, the suggestion
  EXPECT_EQ(Prayer(P::kTxtToday),
            L"\u200Fاوقات شرعی تهران\r\n"
            L"\u200Fاذان صبح ۰۵:۱۰، طلوع آفتاب ۰۶:۳۳\r\n"
            L"\u200Fاذان ظهر ۱۲:۱۶ (بعدی)، غروب آفتاب ۱۸:۰۰\r\n"
            L"\u200Fاذان مغرب ۱۸:۱۹، نیمه‌شب شرعی ۲۳:۳۴");
  EXPECT_EQ(Prayer(P::kTxtLatitude) + L" " + Prayer(P::kTxtLongitude), L"35.69439 51.42151");
  platform_.fake.unixTimeNow += 17 * 60;  // 12:17, Dhuhr's minute gone
  SendMessageW(window, WM_TIMER, 1, 0);   // the window's one timer
  EXPECT_NE(Prayer(P::kTxtToday).find(L"اذان ظهر ۱۲:۱۶، غروب آفتاب ۱۸:۰۰ (بعدی)"), std::wstring::npos);
  SendDlgItemMessageW(window, P::kCboMethod, CB_SETCURSEL, 2, 0);  // Muslim World League
  SendMessageW(window, WM_COMMAND, MAKEWPARAM(P::kCboMethod, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(window, P::kCboMethod)));
  EXPECT_NE(Prayer(P::kTxtToday).find(L"اذان ظهر ۱۲:۱۶، اذان عصر ۱۵:۳۱ (بعدی)"), std::wstring::npos)
      << Prayer(P::kTxtToday);
}

// Whole above a 40-pixel taskbar on each DPI's smallest screen, even with a
// frame of the DPI's size (Wine's is at 96); on smaller ones it scrolls to
// its foot, back by the wheel and to a control given the focus, its right
// column shown first.
TEST_F(PrayerWindowTest, FitsTheWorkAreaAtEveryDpi) {
  const struct {
    unsigned dpi;
    int width, height;
    bool scrolls;
  } cases[] = {{96, 1280, 720, false},  {120, 1280, 720, false}, {144, 1280, 800, false},
               {192, 1920, 1080, false}, {144, 1280, 720, true}, {192, 1366, 768, true}};
  for (const auto& c : cases) {
    platform_.fake.dpi = c.dpi;
    platform_.fake.monitorAreas = MonitorAreas{{0, 0, c.width, c.height}, {0, 0, c.width, c.height - 40}};
    prayer_.Open();
    HWND window = prayer_.Handle();
    RECT frame, client;
    GetWindowRect(window, &frame);
    GetClientRect(window, &client);
    const auto inView = [&](int id) {
      RECT area;
      GetWindowRect(GetDlgItem(window, id), &area);
      MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
      return area.left >= 0 && area.top >= 0 && area.right <= client.right && area.bottom <= client.bottom;
    };
    const std::string at = std::to_string(c.dpi) + " DPI, " + std::to_string(c.width);
    EXPECT_TRUE(frame.left >= 0 && frame.top >= 0 && frame.right <= c.width &&
                frame.bottom <= c.height - 40) << at;
    EXPECT_EQ((GetWindowLongPtrW(window, GWL_STYLE) & WS_VSCROLL) != 0, c.scrolls) << at;
    EXPECT_TRUE(inView(P::kTxtSearch)) << at;
    if (!c.scrolls) {
      const int frameHeight = MulDiv(frame.bottom - frame.top - client.bottom, c.dpi, 96);
      const int frameWidth = MulDiv(frame.right - frame.left - client.right, c.dpi, 96);
      EXPECT_LE(client.bottom + frameHeight, c.height - 40) << at;
      EXPECT_LE(client.right + frameWidth, c.width) << at;
      EXPECT_TRUE(inView(P::kLblSoundFile)) << at;
    } else {
      SendMessageW(window, WM_VSCROLL, SB_BOTTOM, 0);
      EXPECT_TRUE(inView(P::kLblChosen)) << at;
      SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, 20 * WHEEL_DELTA), 0);  // back up
      EXPECT_TRUE(inView(P::kLblSearch)) << at;
      for (int id : {P::kCmdSoundFile, P::kTxtSearch}) {
        SetFocus(GetDlgItem(window, id));
        EXPECT_TRUE(inView(id)) << at << " " << id;
      }
    }
    DestroyWindow(window);
  }
}

// Each time's box sets that time's lead; the one-click start sets three.
TEST_F(PrayerWindowTest, ReminderLeadsAreKeptForEachTime) {
  prayer_.Open();
  Click(prayer_.Handle(), P::kCmdStarterReminders);
  const int midnightBox = P::kCboRemindLast;
  SendDlgItemMessageW(prayer_.Handle(), midnightBox, CB_SETCURSEL, 5, 0);  // 20 minutes before
  SendMessageW(prayer_.Handle(), WM_COMMAND, MAKEWPARAM(midnightBox, CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(prayer_.Handle(), midnightBox)));
  Restart();
  EXPECT_EQ(ProgramSettings().prayerReminders, (std::array<int, 8>{0, -1, 0, -1, -1, 0, -1, 20}));
  EXPECT_EQ(Prayer(P::kLblRemindLast), L"نیمه‌شب شرعی");
  EXPECT_EQ(Prayer(P::kCboRemindFirst), L"سر وقت");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(prayer_.Handle(), P::kCboRemindFirst + 6)));  // Asr
}

}  // namespace
}  // namespace tavilo
