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
  EXPECT_EQ(Prayer(P::kLblLongitudeMessage), L"عدد وارد کنید");
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
