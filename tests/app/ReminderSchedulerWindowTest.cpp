// The reminder scheduler under Wine on a fake clock: a prayer's and an
// event's reminder each come once in their minute as the icon's balloon, the
// timer waits the whole gap, a click opens the calendar at the event's day,
// a missed event comes late at resume, and a presentation gets our own
// window, whose Esc stops the sound and resumes the song it paused.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/ReminderScheduler.h"
#include "platform/fake/FakePlatform.h"
#include "platform/win32/Win32Platform.h"
#include "tools/logic/UserEvents.h"
#include "ui/Globals.h"
#include "ui/Settings.h"

namespace tavilo {
namespace {

constexpr std::int32_t kUnixEpochDay = 25569;
const TimeZoneRule kTehranZone{-210, 0, 0, {}, {}};

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

class ReminderSchedulerWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.timeZone = kTehranZone;
    ProgramSettings().prayerPlace = 112931;  // Tehran
    ProgramSettings().prayerReminders[static_cast<std::size_t>(PrayerTimeKind::kDhuhr)] = 0;
    ProgramEvents().Load(platform);
    Event event;
    event.date = EventDateOfDay(EventCalendar::Shamsi, day, 0);
    event.reminder = EventReminder{10 * 60, 0};
    event.title = L"قرار دندان‌پزشکی";
    ASSERT_TRUE(ProgramEvents().Add(event).saved);
    tray = std::make_unique<TrayIcon>(GetModuleHandleW(nullptr), platform, [] {}, [] {});
    tray->Show(true);
  }
  void TearDown() override {
    scheduler.reset();
    tray.reset();
    ProgramSettings() = Settings{};
    ProgramEvents() = UserEvents();
  }
  std::int64_t At(int hour, int minute, int second = 0) const {
    return (day - kUnixEpochDay) * 86400LL + hour * 3600 + minute * 60 + second - 210 * 60;
  }
  void Start(std::int64_t now) {
    platform.unixTimeNow = now;
    scheduler = std::make_unique<ReminderScheduler>(GetModuleHandleW(nullptr), platform, *tray,
                                                    [this](std::int32_t at) { opened.push_back(at); });
    scheduler->Check();
  }
  // The clock moves on and the scheduler's message comes.
  void Deliver(std::int64_t now, UINT message, WPARAM wparam) {
    platform.unixTimeNow = now;
    SendMessageW(scheduler->Handle(), message, wparam, 0);
    Pump();
  }

  const std::int32_t day = DayOfEventDate(EventCalendar::Gregorian, {2026, 12, 7}, 0);
  FakePlatform platform;
  std::unique_ptr<TrayIcon> tray;
  std::unique_ptr<ReminderScheduler> scheduler;
  std::vector<std::int32_t> opened;
};

TEST_F(ReminderSchedulerWindow, PrayerAndEventEachComeOnceInTheirMinute) {
  const std::int64_t dhuhr = ShownMinute(PrayerTimesOn(day, {35.69439, 51.42151}, {}).dhuhr);
  Start(At(9, 0));
  EXPECT_TRUE(platform.balloons.empty());
  EXPECT_EQ(scheduler->AimedDelayMs(), 3600 * 1000 + 500);  // the whole gap to 10:00
  Deliver(At(10, 0), WM_TIMER, ReminderScheduler::kReminderTimer);
  Deliver(At(10, 0, 40), WM_TIMER, ReminderScheduler::kReminderTimer);
  ASSERT_EQ(platform.balloons.size(), 1u);
  EXPECT_EQ(platform.balloons[0].iconOwner, tray->Handle());
  EXPECT_EQ(platform.balloons[0].title, L"قرار دندان‌پزشکی");
  EXPECT_EQ(platform.balloons[0].text, L"\u200F۱۴۰۵/۹/۱۶، امروز ساعت ۱۰:۰۰");
  EXPECT_FALSE(platform.balloons[0].silent);  // the system's sound, by default
  EXPECT_EQ(scheduler->AimedDelayMs(), (dhuhr - At(10, 0, 40)) * 1000 + 500);

  Deliver(dhuhr, WM_TIMER, ReminderScheduler::kReminderTimer);
  Deliver(dhuhr + 30, WM_TIMECHANGE, 0);
  ASSERT_EQ(platform.balloons.size(), 2u);
  EXPECT_EQ(platform.balloons[1].title, L"اذان ظهر، تهران");
  // The click on the event's balloon opened nothing; now it is the prayer's.
  PostMessageW(tray->Handle(), TrayIcon::kCallbackMessage, 0,
               MAKELPARAM(NIN_BALLOONUSERCLICK, TrayIcon::kIconId));
  Pump();
  EXPECT_TRUE(opened.empty());
}

// The balloon's click opens the day and our window with the note and the
// snooze, which brings the reminder back five minutes later, once.
TEST_F(ReminderSchedulerWindow, AMissedEventComesLateAtResumeAndItsClickOffersTheSnooze) {
  Event event = ProgramEvents().Events()[0];
  event.note = L"مدارک را ببر";
  ProgramEvents().Replace(0, event);
  Start(At(9, 0));
  Deliver(At(9, 0) + 86400, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
  ASSERT_EQ(platform.balloons.size(), 1u);
  EXPECT_EQ(platform.balloons[0].text, L"\u200F۱۴۰۵/۹/۱۶، دیروز ساعت ۱۰:۰۰ (دیرهنگام)");
  EXPECT_EQ(ProgramEvents().Events()[0].lastReminderShown, (EventDate{2026, 12, 7}));
  PostMessageW(tray->Handle(), TrayIcon::kCallbackMessage, 0,
               MAKELPARAM(NIN_BALLOONUSERCLICK, TrayIcon::kIconId));
  Pump();
  EXPECT_EQ(opened, std::vector<std::int32_t>{day});
  ASSERT_TRUE(scheduler->Window().IsOpen());
  HWND window = scheduler->Window().Handle();
  wchar_t text[200] = {};
  GetDlgItemTextW(window, FrmReminder::kLblText, text, 200);
  EXPECT_NE(std::wstring(text).find(L"\n\u200Fمدارک را ببر"), std::wstring::npos);

  SendMessageW(window, WM_COMMAND, MAKEWPARAM(FrmReminder::kCmdSnooze, BN_CLICKED), 0);
  Pump();
  EXPECT_FALSE(scheduler->Window().IsOpen());
  EXPECT_EQ(scheduler->AimedDelayMs(), 5 * 60 * 1000 + 500);
  for (int seconds : {4 * 60, 5 * 60, 6 * 60})
    Deliver(At(9, 0) + 86400 + seconds, WM_TIMER, ReminderScheduler::kReminderTimer);
  ASSERT_EQ(platform.balloons.size(), 2u);
  EXPECT_EQ(platform.balloons[1], platform.balloons[0]);
}

TEST_F(ReminderSchedulerWindow, InAPresentationOurWindowShowsAndEscStopsTheSound) {
  platform.foreground.notificationState = kQunsPresentationMode;
  ProgramSettings().reminderSound = static_cast<int>(ReminderSound::kFile);
  ProgramSettings().prayerReminders = {-1, -1, 5, -1, -1, -1, -1, -1};
  platform.SetRegistryString(RegistryRoot::CurrentUser, kSettingsKey, kReminderSoundFileValue,
                             L"C:\\Athan.mp3");
  ProgramEvents().MarkReminderShown(0, {2026, 12, 7});
  IsPlaying = true;
  SongFile = L"\"C:\\song.mp3\"";
  const std::int64_t dhuhr = ShownMinute(PrayerTimesOn(day, {35.69439, 51.42151}, {}).dhuhr);
  Start(dhuhr - 5 * 60);
  EXPECT_TRUE(platform.balloons.empty());
  ASSERT_TRUE(scheduler->Window().IsOpen());
  HWND window = scheduler->Window().Handle();
  EXPECT_EQ(GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
  SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
  Pump();
  EXPECT_FALSE(scheduler->Window().IsOpen());
  const std::vector<std::wstring> expected = {
      L"open \"C:\\Athan.mp3\" alias TaviloReminderSound", L"pause \"C:\\song.mp3\"",
      L"set TaviloReminderSound time format milliseconds", L"play TaviloReminderSound",
      L"close TaviloReminderSound", L"resume \"C:\\song.mp3\""};
  EXPECT_EQ(platform.mediaCommands, expected);
  IsPlaying = false;
  SongFile.clear();
}

// The shell takes the balloon from the real icon.
TEST_F(ReminderSchedulerWindow, TheRealShellTakesTheBalloon) {
  EXPECT_TRUE(Win32Platform().ShowBalloon(tray->Handle(), TrayIcon::kIconId, L"اذان ظهر، تهران",
                                          L"\u200Fساعت ۱۱:۵۶، اکنون", true));
}

}  // namespace
}  // namespace tavilo
