// When reminders come: every prayer time's lead and the events' reminders in
// order through a day and past midnight, across a daylight-saving change,
// after the clock is set back, after a long sleep, and once across a restart.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "events/EventStore.h"
#include "platform/fake/FakePlatform.h"
#include "tools/logic/ReminderSound.h"
#include "tools/logic/Reminders.h"
#include "ui/PortableSettings.h"

namespace tavilo {
namespace {

constexpr std::int32_t kUnixEpochDay = 25569;
constexpr Place kTehran{35.69439, 51.42151};
const TimeZoneRule kTehranZone{-210, 0, 0, {}, {}};
// UTC-5, daylight time from the second Sunday of March to the first of
// November at 02:00.
const TimeZoneRule kTorontoZone{300, 0, -60, {0, 11, 0, 1, 2, 0, 0}, {0, 3, 0, 2, 2, 0, 0}};

std::int32_t DayOf(int year, int month, int day) {
  return DayOfEventDate(EventCalendar::Gregorian, {year, month, day}, 0);
}
// A local wall-clock time of a day, as UTC by the zone.
std::int64_t At(std::int32_t day, int hour, int minute, const TimeZoneRule& zone) {
  return UtcFromLocal((day - kUnixEpochDay) * 86400LL + hour * 3600 + minute * 60, zone);
}
Event Remembered(std::int32_t day, int hour, int minute, int daysBefore,
                 EventRepeat repeat = EventRepeat::None) {
  Event event;
  event.calendar = EventCalendar::Gregorian;
  event.date = EventDateOfDay(EventCalendar::Gregorian, day, 0);
  event.repeat = repeat;
  event.reminder = EventReminder{hour * 60 + minute, daysBefore};
  event.title = L"تولد";
  return event;
}
ReminderSetup ZoneSetup(const TimeZoneRule& zone, std::span<const Event> events) {
  ReminderSetup setup;
  setup.ruleOf = [zone](int) { return zone; };
  setup.events = events;
  return setup;
}
// What the scheduler does: shows what is due and records it.
std::vector<DueReminder> Show(std::int64_t now, ReminderSetup& setup, std::vector<Event>& events) {
  std::vector<DueReminder> due = DueReminders(now, setup);
  for (const DueReminder& reminder : due) {
    if (reminder.isPrayer) setup.lastPrayerShown = reminder.moment;
    if (!reminder.isPrayer) events[reminder.event].lastReminderShown = ShownDateOf(reminder);
  }
  return due;
}

TEST(Reminders, EveryLeadAndEventInOrderThroughTheDayAndPastMidnight) {
  const std::int32_t day = DayOf(2026, 12, 7);
  std::vector<Event> events = {Remembered(day + 1, 9, 30, 1), Remembered(day + 1, 0, 10, 0)};
  ReminderSetup setup = ZoneSetup(kTehranZone, events);
  setup.place = kTehran;
  setup.withAsrAndIsha = true;
  setup.leads = {0, 20, 5, 0, 60, 0, 10, 0};
  // Expected: each time's shown minute less its lead, today's and
  // tomorrow's Fajr; the event a day before at 09:30, the other at 00:10.
  std::vector<std::int64_t> expected = {At(day, 9, 30, kTehranZone), At(day + 1, 0, 10, kTehranZone)};
  for (std::int32_t d : {day, day + 1}) {
    const PrayerTimes times = PrayerTimesOn(d, kTehran, setup.method);
    for (int kind = 0; kind < kPrayerKindCount; ++kind) {
      expected.push_back(ShownMinute(MomentOf(times, static_cast<PrayerTimeKind>(kind))) -
                         setup.leads[static_cast<std::size_t>(kind)] * 60);
    }
  }
  std::sort(expected.begin(), expected.end());
  expected.erase(std::remove_if(expected.begin(), expected.end(),
                                [&](std::int64_t m) { return m <= At(day, 0, 0, kTehranZone); }),
                 expected.end());
  expected.resize(11);  // through tomorrow's Fajr, after the event at 00:10
  std::int64_t now = At(day, 0, 0, kTehranZone);
  for (std::int64_t moment : expected) {
    const std::optional<std::int64_t> next = NextReminderMoment(now, setup);
    ASSERT_EQ(next, moment);
    EXPECT_TRUE(DueReminders(*next - 1, setup).empty());  // nothing before its second
    now = *next + 20;  // the timer comes within the minute
    const std::vector<DueReminder> due = Show(now, setup, events);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].moment, moment);
    EXPECT_FALSE(due[0].late);
    EXPECT_TRUE(DueReminders(now + 30, setup).empty());  // once
  }
  // Asr and Isha where they are not shown, and times turned off, never come.
  setup.withAsrAndIsha = false;
  setup.events = {};
  setup.leads = {kReminderOff, kReminderOff, kReminderOff, 0, kReminderOff, kReminderOff, 0,
                 kReminderOff};
  EXPECT_EQ(NextReminderMoment(now, setup), std::nullopt);
}

TEST(Reminders, AnEventsLocalTimeFollowsTheDaylightSavingChange) {
  const std::int32_t change = DayOf(2026, 3, 8);  // clocks go forward at 02:00
  std::vector<Event> events = {Remembered(change, 9, 0, 1)};
  ReminderSetup setup = ZoneSetup(kTorontoZone, events);
  const std::int64_t before = At(change - 1, 9, 0, kTorontoZone);
  EXPECT_EQ(NextReminderMoment(before - 60, setup), before);
  ASSERT_EQ(Show(before, setup, events).size(), 1u);
  EXPECT_EQ(NextReminderMoment(before, setup), At(change, 13, 0, TimeZoneRule{}));  // 09:00 EDT
}

TEST(Reminders, TheClockSetBackBringsNothingAgain) {
  const std::int32_t day = DayOf(2026, 12, 7);
  std::vector<Event> events = {Remembered(day, 10, 0, 0)};
  ReminderSetup setup = ZoneSetup(kTehranZone, events);
  setup.place = kTehran;
  setup.leads[static_cast<std::size_t>(PrayerTimeKind::kDhuhr)] = 0;
  const std::int64_t dhuhr = ShownMinute(PrayerTimesOn(day, kTehran, setup.method).dhuhr);
  const std::int64_t event = At(day, 10, 0, kTehranZone);
  ASSERT_EQ(Show(event, setup, events).size(), 1u);
  ASSERT_EQ(Show(dhuhr, setup, events).size(), 1u);
  for (std::int64_t setBack : {dhuhr - 5 * 60, event - 60}) {
    EXPECT_TRUE(DueReminders(setBack, setup).empty());
    EXPECT_GT(NextReminderMoment(setBack, setup), dhuhr);
  }
}

TEST(Reminders, AfterALongSleepEventsOnceLateAndAtMostOneRecentPrayer) {
  const std::int32_t day = DayOf(2026, 12, 7);
  std::vector<Event> events = {Remembered(day - 2, 9, 0, 1, EventRepeat::Monthly),
                               Remembered(day - 9, 9, 0, 0), Remembered(day + 1, 9, 0, 0)};
  ReminderSetup setup = ZoneSetup(kTehranZone, events);
  setup.place = kTehran;
  setup.leads = {0, 0, 0, 0, 0, 0, 0, 0};
  const PrayerTimes times = PrayerTimesOn(day, kTehran, setup.method);
  // Asleep from three days ago; awake five minutes after Maghrib, sunset
  // and Dhuhr long past.
  const std::int64_t wake = ShownMinute(times.maghrib) + 5 * 60;
  const std::vector<DueReminder> due = Show(wake, setup, events);
  ASSERT_EQ(due.size(), 2u);
  EXPECT_EQ(due[0].event, 0u);  // the latest of the two missed, on its day
  EXPECT_EQ(due[0].dueDay, day - 2);
  EXPECT_TRUE(due[0].late && !due[0].isPrayer);
  EXPECT_TRUE(due[1].isPrayer && due[1].late);
  EXPECT_EQ(due[1].kind, PrayerTimeKind::kMaghrib);
  EXPECT_TRUE(DueReminders(wake + 60, setup).empty());
  // Ten minutes late is too late for a prayer.
  setup.lastPrayerShown = 0;
  EXPECT_TRUE(DueReminders(ShownMinute(times.maghrib) + 10 * 60, setup).empty());
}

TEST(Reminders, AnEventShownBeforeARestartIsNotShownAgain) {
  FakePlatform platform;
  const std::int32_t day = DayOf(2026, 12, 7);
  {
    EventStore store(platform);
    store.Load();
    ASSERT_TRUE(store.Add(Remembered(day, 9, 0, 3, EventRepeat::Yearly)).saved);
    std::vector<Event> events(store.Events().begin(), store.Events().end());
    const std::vector<DueReminder> due = DueReminders(At(day - 3, 9, 0, kTehranZone),
                                                      ZoneSetup(kTehranZone, events));
    ASSERT_EQ(due.size(), 1u);
    ASSERT_TRUE(store.MarkReminderShown(due[0].event, ShownDateOf(due[0])).saved);
  }
  EventStore again(platform);
  again.Load();
  const ReminderSetup setup = ZoneSetup(kTehranZone, again.Events());
  EXPECT_TRUE(DueReminders(At(day - 3, 9, 1, kTehranZone), setup).empty());
  EXPECT_EQ(NextReminderMoment(At(day - 3, 9, 1, kTehranZone), setup), At(day, 9, 0, kTehranZone));
}

// In portable mode the sound file's path (a Persian one) is kept in
// portable.ini with the settings, and the registry is never touched.
TEST(ReminderSoundFile, PortableModeKeepsItInTheIniFile) {
  FakePlatform fake;
  fake.folders.insert(L"D:\\Tavilo");
  fake.PutFile(L"D:\\Tavilo\\portable.ini", "Opacity=200\r\n");
  ProgramIniSettings().emplace(fake, L"D:\\Tavilo\\portable.ini");
  ProgramIniSettings()->Load();
  ASSERT_TRUE(StoreReminderSoundFile(fake, L"D:\\اذان.mp3"));
  ProgramIniSettings().emplace(fake, L"D:\\Tavilo\\portable.ini");
  ProgramIniSettings()->Load();
  EXPECT_EQ(LoadReminderSoundFile(fake), L"D:\\اذان.mp3");
  ProgramIniSettings().reset();
  EXPECT_TRUE(fake.registryWrites.empty());
  EXPECT_EQ(LoadReminderSoundFile(fake), L"");
}

}  // namespace
}  // namespace tavilo
