// When to remind, for the prayer times and the user's events, from one
// schedule: which reminders are due at a moment, and when the next one comes,
// so that one timer aimed at it is all that waits.
//
// A prayer reminder comes at the time's shown minute, or a lead of 5 to 60
// minutes before it; an event's at its HH:MM on the day and, when asked, as
// many days before at that time, in the computer's local time. Each comes
// once: prayers remember the moment of the last one shown, events the local
// (Gregorian) day their last reminder was due on. What was missed while the
// computer slept or was off comes once when it is back: an event's within
// the last seven days (the latest of each event), a prayer's only when its
// moment passed less than ten minutes ago, and then only the latest one.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "calendar/PrayerTimes.h"
#include "events/Event.h"
#include "tools/logic/PrayerText.h"
#include "tools/logic/ScheduleTime.h"

namespace tavilo {

// A prayer time's lead: no reminder, at the time (0), or minutes before.
inline constexpr int kReminderOff = -1;
inline constexpr int kMostReminderLead = 60;
inline constexpr int kReminderLeadStep = 5;
inline constexpr int kPrayerKindCount = 8;
using PrayerLeads = std::array<int, kPrayerKindCount>;  // in PrayerTimeKind order

// How late a missed reminder may still come.
inline constexpr std::int64_t kLatePrayerSeconds = 10 * 60;
inline constexpr std::int64_t kLateEventSeconds = 7 * 86400;

// What the reminders are computed from.
struct ReminderSetup {
  std::optional<Place> place;  // none: no prayer reminders
  PrayerSettings method;
  bool withAsrAndIsha = false;
  PrayerLeads leads{kReminderOff, kReminderOff, kReminderOff, kReminderOff,
                    kReminderOff, kReminderOff, kReminderOff, kReminderOff};
  std::span<const Event> events;
  int lunarCorrection = 0;
  ZoneRuleOfYear ruleOf;  // the computer's zone, year by year
  // The moment of the last prayer reminder shown (Unix seconds); 0 for none.
  std::int64_t lastPrayerShown = 0;
};

struct DueReminder {
  bool isPrayer = false;
  PrayerTimeKind kind = PrayerTimeKind::kFajr;  // a prayer's
  std::size_t event = 0;                        // an event's position
  std::int64_t moment = 0;     // when it was due (Unix seconds)
  std::int64_t target = 0;     // the prayer time, or the event's HH:MM on its day
  std::int32_t eventDay = 0;   // the local day the event occurs on
  std::int32_t dueDay = 0;     // the local day the reminder was due on
  bool late = false;           // it comes after its own minute
  std::int32_t shownDay = 0;   // the local day it is shown on
  bool operator==(const DueReminder&) const = default;
};

// The reminders due at `now`, at most one a source: missed ones within their
// limits, the latest of each event and one prayer, in order of moment.
std::vector<DueReminder> DueReminders(std::int64_t now, const ReminderSetup& setup);

// The next moment after `now` a reminder is due at; with none in the coming
// `horizonDays`, nothing (look again within that many days).
inline constexpr int kReminderHorizonDays = 24;
std::optional<std::int64_t> NextReminderMoment(std::int64_t now, const ReminderSetup& setup);

// The Gregorian date an event reminder is recorded under (lastReminderShown).
EventDate ShownDateOf(const DueReminder& reminder);

// The words of a reminder: the balloon's title (the time's name and the
// place, or the event's title) and its text (the time and what is left, or
// the event's date and how far off it is), "(دیرهنگام)" when late.
struct ReminderWords {
  std::wstring title;
  std::wstring text;
};
ReminderWords PrayerReminderWords(const DueReminder& reminder, const std::wstring& placeName,
                                  const ZoneRuleOfYear& ruleOf);
ReminderWords EventReminderWords(const DueReminder& reminder, const Event& event,
                                 int lunarCorrection);

// The choices of a prayer time's lead as the window lists them: off, at the
// time, then 5 to 60 minutes before; and back.
int ReminderChoiceCount();
std::wstring ReminderChoiceText(int choice);
int ReminderChoiceOfLead(int lead);
int ReminderLeadOfChoice(int choice);

// The one-click start: Fajr, Dhuhr and Maghrib at the time, the rest off.
PrayerLeads StarterPrayerLeads();

}  // namespace tavilo
