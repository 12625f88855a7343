#include "events/Event.h"

#include <algorithm>

#include "calendar/Numbers.h"
#include "calendar/Qamari.h"
#include "calendar/ShamsiArithmetic.h"

namespace tavilo {
namespace {

constexpr int kLastYear = 9999;  // no calendar's year beyond this fits the date range
constexpr auto kFirstDay = static_cast<int32_t>(kMinDateValue);
constexpr auto kLastDay = static_cast<int32_t>(kMaxDateValue);

bool IsGregorianLeapYear(int year) {
  return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

int GregorianMonthLength(int year, int month) {
  static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kLengths[month - 1] + (month == 2 && IsGregorianLeapYear(year));
}

// One month of a calendar that a run of days touches.
struct RangeMonth {
  EventDate month;  // its day is 1
  int32_t firstDay;
  int length;
};

// The months of a calendar that the days first..last (within the date range)
// pass through, in order.
std::vector<RangeMonth> MonthsOfRange(EventCalendar calendar, int32_t first, int32_t last,
                                      int correctionDays) {
  std::vector<RangeMonth> months;
  int32_t day = first;
  while (day <= last) {
    const EventDate date = EventDateOfDay(calendar, day, correctionDays);
    const int length = EventMonthLength(calendar, date.year, date.month);
    if (length < 1) break;  // no month to step over (never within the calendars' years)
    const int32_t monthFirst = day - (date.day - 1);
    months.push_back({{date.year, date.month, 1}, monthFirst, length});
    day = monthFirst + length;
  }
  return months;
}

// The day within `month` on which an event falls, or nothing.
std::optional<int32_t> OccurrenceIn(const Event& event, const RangeMonth& month) {
  const EventDate start{event.date.year, event.date.month, 1};
  bool occurs = false;
  switch (event.repeat) {
    case EventRepeat::None:
      occurs = month.month == start;
      break;
    case EventRepeat::Yearly:
      occurs = month.month.month == start.month && month.month.year >= start.year;
      break;
    case EventRepeat::Monthly:
      occurs = month.month >= start;
      break;
  }
  if (!occurs) return std::nullopt;
  return month.firstDay + std::min(event.date.day, month.length) - 1;
}

// Calls found(position, day) for every occurrence on the days first..last.
template <typename Found>
void ForEachOccurrence(std::span<const Event> events, int32_t first, int32_t last,
                       int correctionDays, Found found) {
  first = std::max(first, kFirstDay);
  last = std::min(last, kLastDay);
  if (first > last) return;
  const std::vector<RangeMonth> months[] = {
      MonthsOfRange(EventCalendar::Shamsi, first, last, correctionDays),
      MonthsOfRange(EventCalendar::Qamari, first, last, correctionDays),
      MonthsOfRange(EventCalendar::Gregorian, first, last, correctionDays)};
  for (std::size_t position = 0; position < events.size(); ++position) {
    const Event& event = events[position];
    for (const RangeMonth& month : months[static_cast<int>(event.calendar)]) {
      const std::optional<int32_t> day = OccurrenceIn(event, month);
      if (day && *day >= first && *day <= last) found(position, *day);
    }
  }
}

}  // namespace

bool IsReminderLead(int daysBefore) {
  return daysBefore == 0 || daysBefore == 1 || daysBefore == 3 || daysBefore == 7;
}

int EventMonthLength(EventCalendar calendar, int year, int month) {
  if (month < 1 || month > 12) return 0;
  switch (calendar) {
    case EventCalendar::Shamsi:
      return MonthLength(year, month);
    case EventCalendar::Qamari:
      return QamariMonthLength(year, month);
    case EventCalendar::Gregorian:
      return GregorianMonthLength(year, month);
  }
  return 0;
}

bool IsValidEventDate(EventCalendar calendar, const EventDate& date) {
  if (date.year < 1 || date.year > kLastYear || date.day < 1 ||
      date.day > EventMonthLength(calendar, date.year, date.month)) {
    return false;
  }
  if (calendar == EventCalendar::Gregorian) return date.year >= 100;
  const int32_t day = DayOfEventDate(calendar, date, 0);
  return day >= kFirstDay && day <= kLastDay;
}

int32_t DayOfEventDate(EventCalendar calendar, const EventDate& date, int correctionDays) {
  switch (calendar) {
    case EventCalendar::Shamsi:
      return DayFromShamsi({date.year, date.month, date.day});
    case EventCalendar::Qamari:
      return DayFromQamari(date.year, date.month, date.day, correctionDays);
    case EventCalendar::Gregorian:
      return DayOfDate(DateSerial(date.year, date.month, date.day));
  }
  return kInvalidDay;
}

EventDate EventDateOfDay(EventCalendar calendar, int32_t day, int correctionDays) {
  switch (calendar) {
    case EventCalendar::Shamsi: {
      const ShamsiDate shamsi = ShamsiFromDay(day);
      return {shamsi.year, shamsi.month, shamsi.day};
    }
    case EventCalendar::Qamari: {
      const QamariDate qamari = QamariFromDay(day, correctionDays);
      return {qamari.year, qamari.month, qamari.day};
    }
    case EventCalendar::Gregorian: {
      const CivilDate civil = CivilFromDate(day);
      return {civil.year, civil.month, civil.day};
    }
  }
  return {};
}

std::vector<int> EventCountsOfDays(std::span<const Event> events, int32_t firstDay, int dayCount,
                                   int correctionDays) {
  std::vector<int> counts(static_cast<std::size_t>(std::max(dayCount, 0)), 0);
  ForEachOccurrence(events, firstDay, firstDay + dayCount - 1, correctionDays,
                    [&](std::size_t, int32_t day) { ++counts[day - firstDay]; });
  return counts;
}

std::vector<std::size_t> EventsOnDay(std::span<const Event> events, int32_t day,
                                     int correctionDays) {
  std::vector<std::size_t> found;
  ForEachOccurrence(events, day, day, correctionDays,
                    [&](std::size_t position, int32_t) { found.push_back(position); });
  return found;
}

}  // namespace tavilo
