#include "tools/logic/Reminders.h"

#include <algorithm>

#include "calendar/ZoneTime.h"
#include "ui/PersianDigits.h"

namespace tavilo {
namespace {

constexpr std::int32_t kUnixEpochDay = 25569;  // 1 January 1970
constexpr std::int64_t kSecondsPerDay = 86400;
constexpr wchar_t kLate[] = L" (دیرهنگام)";
// The days before an event a reminder may also come (IsReminderLead).
constexpr int kEventLeads[] = {0, 1, 3, 7};

std::int64_t FloorDiv(std::int64_t value, std::int64_t by) {
  return value / by - (value % by < 0 ? 1 : 0);
}

std::int64_t LocalOf(std::int64_t utc, const ZoneRuleOfYear& ruleOf) {
  return LocalFromUtc(utc, ruleOf(YearOfUnixTime(utc)));
}

std::int32_t LocalDayOf(std::int64_t utc, const ZoneRuleOfYear& ruleOf) {
  return static_cast<std::int32_t>(FloorDiv(LocalOf(utc, ruleOf), kSecondsPerDay) + kUnixEpochDay);
}

// The UTC moment the local clock shows `minuteOfDay` on `day`.
std::int64_t MomentOnDay(std::int32_t day, int minuteOfDay, const ZoneRuleOfYear& ruleOf) {
  const std::int64_t local = (day - kUnixEpochDay) * kSecondsPerDay + minuteOfDay * 60LL;
  return UtcFromLocal(local, ruleOf(YearOfUnixTime(local)));
}

bool LateAt(std::int64_t now, std::int64_t moment) { return FloorDiv(now, 60) > FloorDiv(moment, 60); }

std::wstring Number(std::int64_t value) { return PersianDigits(std::to_wstring(value)); }

// Every prayer reminder of the days around `now`'s local day: yesterday's
// midnight may still be ahead, and a place east of the computer's zone runs
// a day ahead.
template <typename Found>
void ForEachPrayerReminder(std::int64_t now, const ReminderSetup& setup, Found found) {
  const auto on = [](int lead) { return lead != kReminderOff; };
  if (!setup.place || std::none_of(setup.leads.begin(), setup.leads.end(), on)) return;
  std::array<PrayerTimes, 4> days{};
  const std::int32_t first = LocalDayOf(now, setup.ruleOf) - 1;
  PrayerTimesOfDays(first, days, *setup.place, setup.method);
  for (const PrayerTimes& times : days) {
    for (int kind = 0; kind < kPrayerKindCount; ++kind) {
      const auto prayer = static_cast<PrayerTimeKind>(kind);
      const int lead = setup.leads[static_cast<std::size_t>(kind)];
      if (lead < 0) continue;
      if (!setup.withAsrAndIsha && (prayer == PrayerTimeKind::kAsr || prayer == PrayerTimeKind::kIsha)) {
        continue;
      }
      const std::int64_t time = MomentOf(times, prayer);
      if (time == kNoTime) continue;
      const std::int64_t target = ShownMinute(time);
      DueReminder reminder;
      reminder.isPrayer = true;
      reminder.kind = prayer;
      reminder.target = target;
      reminder.moment = target - lead * 60LL;
      found(reminder);
    }
  }
}

// Every event reminder due on the local days `first` to `last`, each with
// the local day it is due on; none already shown on or after that day.
template <typename Found>
void ForEachEventReminder(std::int32_t first, std::int32_t last, const ReminderSetup& setup,
                          Found found) {
  const auto withReminder = [](const Event& event) { return event.reminder.has_value(); };
  if (std::none_of(setup.events.begin(), setup.events.end(), withReminder)) return;
  const EventOccurrences occurrences(setup.events);
  for (std::int32_t day = first; day <= last; ++day) {
    for (int lead : kEventLeads) {
      for (std::size_t position : occurrences.OnDay(day + lead, setup.lunarCorrection)) {
        const Event& event = setup.events[position];
        if (!event.reminder || (lead != 0 && event.reminder->daysBefore != lead)) continue;
        if (event.lastReminderShown &&
            IsValidEventDate(EventCalendar::Gregorian, *event.lastReminderShown) &&
            DayOfEventDate(EventCalendar::Gregorian, *event.lastReminderShown, 0) >= day) {
          continue;
        }
        DueReminder reminder;
        reminder.event = position;
        reminder.eventDay = day + lead;
        reminder.dueDay = day;
        reminder.moment = MomentOnDay(day, event.reminder->minuteOfDay, setup.ruleOf);
        reminder.target = MomentOnDay(day + lead, event.reminder->minuteOfDay, setup.ruleOf);
        if (!found(reminder)) return;
      }
    }
  }
}

}  // namespace

std::vector<DueReminder> DueReminders(std::int64_t now, const ReminderSetup& setup) {
  std::vector<DueReminder> due;
  std::optional<DueReminder> prayer;
  ForEachPrayerReminder(now, setup, [&](const DueReminder& reminder) {
    if (reminder.moment > now || reminder.moment <= now - kLatePrayerSeconds ||
        reminder.moment <= setup.lastPrayerShown) {
      return;
    }
    if (!prayer || reminder.moment > prayer->moment) prayer = reminder;
  });
  if (prayer) due.push_back(*prayer);

  const std::size_t firstEvent = due.size();
  ForEachEventReminder(
      LocalDayOf(now - kLateEventSeconds, setup.ruleOf), LocalDayOf(now, setup.ruleOf), setup,
      [&](const DueReminder& reminder) {
        if (reminder.moment > now || reminder.moment <= now - kLateEventSeconds) return true;
        const auto same = std::find_if(due.begin() + static_cast<std::ptrdiff_t>(firstEvent),
                                       due.end(), [&](const DueReminder& other) {
                                         return other.event == reminder.event;
                                       });
        if (same == due.end()) {
          due.push_back(reminder);
        } else if (reminder.moment > same->moment) {
          *same = reminder;
        }
        return true;
      });
  const std::int32_t today = LocalDayOf(now, setup.ruleOf);
  for (DueReminder& reminder : due) {
    reminder.late = LateAt(now, reminder.moment);
    reminder.shownDay = today;
  }
  std::stable_sort(due.begin(), due.end(),
                   [](const DueReminder& a, const DueReminder& b) { return a.moment < b.moment; });
  return due;
}

std::optional<std::int64_t> NextReminderMoment(std::int64_t now, const ReminderSetup& setup) {
  std::optional<std::int64_t> next;
  const auto consider = [&](std::int64_t moment) {
    if (moment > now && (!next || moment < *next)) next = moment;
  };
  ForEachPrayerReminder(now, setup, [&](const DueReminder& reminder) {
    if (reminder.moment > setup.lastPrayerShown) consider(reminder.moment);
  });
  const std::int32_t today = LocalDayOf(now, setup.ruleOf);
  // Days follow each other in time: once one has a reminder ahead, only the
  // next (a daylight-saving hour away) may still hold an earlier one.
  std::optional<std::int32_t> foundOn;
  ForEachEventReminder(today, today + kReminderHorizonDays, setup,
                       [&](const DueReminder& reminder) {
                         if (foundOn && reminder.dueDay > *foundOn + 1) return false;
                         if (reminder.moment > now && !foundOn) foundOn = reminder.dueDay;
                         consider(reminder.moment);
                         return true;
                       });
  return next;
}

EventDate ShownDateOf(const DueReminder& reminder) {
  return EventDateOfDay(EventCalendar::Gregorian, reminder.dueDay, 0);
}

ReminderWords PrayerReminderWords(const DueReminder& reminder, const std::wstring& placeName,
                                  const ZoneRuleOfYear& ruleOf) {
  ReminderWords words;
  words.title = std::wstring(PrayerTimeName(reminder.kind));
  if (!placeName.empty()) words.title += L"، " + placeName;
  words.text = L"\u200Fساعت " + ClockText(LocalOf(reminder.target, ruleOf)) + L"، ";
  const std::int64_t minutes = (reminder.target - reminder.moment) / 60;
  words.text += minutes == 60 ? L"یک ساعت دیگر"
                 : minutes > 0 ? Number(minutes) + L" دقیقه دیگر"
                               : L"اکنون";
  if (reminder.late) words.text += kLate;
  return words;
}

ReminderWords EventReminderWords(const DueReminder& reminder, const Event& event,
                                 int lunarCorrection) {
  const EventDate date = EventDateOfDay(event.calendar, reminder.eventDay, lunarCorrection);
  ReminderWords words{event.title, L"\u200F" + Number(date.year) + L"/" + Number(date.month) +
                                       L"/" + Number(date.day)};
  // A late one counts from the day it is shown: the event may be yesterday.
  const std::int32_t daysAhead =
      reminder.eventDay - (reminder.late ? reminder.shownDay : reminder.dueDay);
  words.text += daysAhead == 0    ? L"، امروز"
                : daysAhead == -1 ? L"، دیروز"
                : daysAhead < 0   ? L"، " + Number(-daysAhead) + L" روز پیش"
                                  : L"، " + Number(daysAhead) + L" روز دیگر";
  const int minute = event.reminder ? event.reminder->minuteOfDay : 0;
  words.text += L" ساعت " + ClockText(minute * 60LL);
  if (reminder.late) words.text += kLate;
  return words;
}

int ReminderChoiceCount() { return 2 + kMostReminderLead / kReminderLeadStep; }

std::wstring ReminderChoiceText(int choice) {
  if (choice <= 0) return L"بدون یادآوری";
  if (choice == 1) return L"سر وقت";
  return L"\u200F" + Number(ReminderLeadOfChoice(choice)) + L" دقیقه قبل";
}

int ReminderChoiceOfLead(int lead) {
  if (lead < 0) return 0;
  return 1 + std::min(lead, kMostReminderLead) / kReminderLeadStep;
}

int ReminderLeadOfChoice(int choice) {
  if (choice <= 0) return kReminderOff;
  return (choice - 1) * kReminderLeadStep;
}

PrayerLeads StarterPrayerLeads() {
  PrayerLeads leads = ReminderSetup{}.leads;
  for (PrayerTimeKind kind : {PrayerTimeKind::kFajr, PrayerTimeKind::kDhuhr, PrayerTimeKind::kMaghrib}) {
    leads[static_cast<std::size_t>(kind)] = 0;
  }
  return leads;
}

}  // namespace tavilo
