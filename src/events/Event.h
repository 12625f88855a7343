// The user's own events: a title and note on a date of one of three
// calendars, repeating every year or month of that calendar or not at all,
// with a reminder setting kept for the reminders to act on.
//
// Days are day numbers (days since 30 December 1899), as the calendar engine
// counts them. Lunar dates are the Qamari calendar as Iran keeps it, moved by
// the user's lunar correction as the month calendar shows them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tavilo {

enum class EventCalendar { Shamsi, Qamari, Gregorian };

enum class EventRepeat { None, Yearly, Monthly };

struct EventDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  bool operator==(const EventDate&) const = default;
  auto operator<=>(const EventDate&) const = default;
};

struct EventReminder {
  int minuteOfDay = 0;  // HH * 60 + MM on the day
  int daysBefore = 0;   // also this many days before: 0, 1, 3 or 7
  bool operator==(const EventReminder&) const = default;
};

struct Event {
  EventCalendar calendar = EventCalendar::Shamsi;
  EventDate date;
  EventRepeat repeat = EventRepeat::None;
  std::optional<EventReminder> reminder;
  // The Gregorian date on which a reminder of this event was last shown.
  std::optional<EventDate> lastReminderShown;
  std::wstring title;  // never empty
  std::wstring note;
  bool operator==(const Event&) const = default;
};

// Whether a reminder may ask for this many days before.
bool IsReminderLead(int daysBefore);

// Days of a month of a calendar (a lunar month's length does not move with
// the correction); 0 for a month outside 1..12.
int EventMonthLength(EventCalendar calendar, int year, int month);

// Whether the date exists in its calendar and lies within the day numbers
// the calendar engine holds (1 January 100 to 31 December 9999).
bool IsValidEventDate(EventCalendar calendar, const EventDate& date);

// The day number of an existing date (IsValidEventDate).
int32_t DayOfEventDate(EventCalendar calendar, const EventDate& date, int correctionDays);

// The date of a day in a calendar.
EventDate EventDateOfDay(EventCalendar calendar, int32_t day, int correctionDays);

// --- Occurrences ---
// An event occurs on its own date and, when it repeats, on the same day of
// every later year or month of its calendar; a month without that day has
// it on its last day. Nothing occurs before the event's own date.
//
// The events' dates, arranged so that a month view finds what occurs in its
// weeks at the cost of a few comparisons for each event that can occur in
// them, not for every event. Build it again whenever the events change.
class EventOccurrences {
 public:
  explicit EventOccurrences(std::span<const Event> events);

  // How many events occur on each of `dayCount` days from `firstDay` (the
  // marks of a month view's 42 days).
  std::vector<int> CountsOfDays(int32_t firstDay, int dayCount, int correctionDays) const;

  // The positions (in the events given) of the events that occur on a day,
  // in order.
  std::vector<std::size_t> OnDay(int32_t day, int correctionDays) const;

 private:
  struct Entry {
    int32_t startMonth;  // year * 12 + month - 1 of the event's own date
    int32_t day;         // of the month
    std::size_t position;
  };
  static constexpr int kCalendars = 3;

  template <typename Found>
  void ForEach(int32_t first, int32_t last, int correctionDays, Found found) const;

  // By calendar: yearly events by the month of the year they fall in;
  // monthly events; one-off events in order of month.
  std::vector<Entry> yearly_[kCalendars][12];
  std::vector<Entry> monthly_[kCalendars];
  std::vector<Entry> once_[kCalendars];
};

}  // namespace tavilo
