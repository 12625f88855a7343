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

bool IsGregorianLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int GregorianMonthLength(int year, int month) {
  static constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return kLengths[month - 1] + (month == 2 && IsGregorianLeapYear(year));
}

// One month of a calendar that a run of days touches.
struct RangeMonth {
  int32_t index;  // year * 12 + month - 1
  int32_t firstDay;
  int length;
};

int32_t MonthIndex(int year, int month) { return year * 12 + month - 1; }

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
    months.push_back({MonthIndex(date.year, date.month), monthFirst, length});
    day = monthFirst + length;
  }
  return months;
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

EventOccurrences::EventOccurrences(std::span<const Event> events) {
  for (std::size_t position = 0; position < events.size(); ++position) {
    const Event& event = events[position];
    const auto calendar = static_cast<std::size_t>(event.calendar);
    const Entry entry{MonthIndex(event.date.year, event.date.month), event.date.day, position};
    switch (event.repeat) {
      case EventRepeat::None:
        once_[calendar].push_back(entry);
        break;
      case EventRepeat::Yearly:
        yearly_[calendar][event.date.month - 1].push_back(entry);
        break;
      case EventRepeat::Monthly:
        monthly_[calendar].push_back(entry);
        break;
    }
  }
  for (std::vector<Entry>& once : once_) {
    std::stable_sort(once.begin(), once.end(),
                     [](const Entry& a, const Entry& b) { return a.startMonth < b.startMonth; });
  }
}

// For each month of each calendar the days touch: the yearly events of that
// month of the year and the monthly events, from their own month on, and
// the one-off events of that very month.
template <typename Found>
void EventOccurrences::ForEach(int32_t first, int32_t last, int correctionDays, Found found) const {
  first = std::max(first, kFirstDay);
  last = std::min(last, kLastDay);
  for (int calendar = 0; calendar < kCalendars && first <= last; ++calendar) {
    for (const RangeMonth& month :
         MonthsOfRange(static_cast<EventCalendar>(calendar), first, last, correctionDays)) {
      if (month.index < MonthIndex(1, 1)) continue;  // before any event's year
      auto occur = [&](const Entry& entry) {
        const int32_t day = month.firstDay + std::min(entry.day, month.length) - 1;
        if (entry.startMonth <= month.index && day >= first && day <= last)
          found(entry.position, day);
      };
      for (const Entry& entry : yearly_[calendar][month.index % 12]) occur(entry);
      for (const Entry& entry : monthly_[calendar]) occur(entry);
      const auto [from, to] = std::equal_range(
          once_[calendar].begin(), once_[calendar].end(), Entry{month.index, 0, 0},
          [](const Entry& a, const Entry& b) { return a.startMonth < b.startMonth; });
      std::for_each(from, to, occur);
    }
  }
}

std::vector<int> EventOccurrences::CountsOfDays(int32_t firstDay, int dayCount,
                                                int correctionDays) const {
  std::vector<int> counts(static_cast<std::size_t>(std::max(dayCount, 0)), 0);
  ForEach(firstDay, firstDay + dayCount - 1, correctionDays,
          [&](std::size_t, int32_t day) { ++counts[day - firstDay]; });
  return counts;
}

std::vector<std::size_t> EventOccurrences::OnDay(int32_t day, int correctionDays) const {
  std::vector<std::size_t> found;
  ForEach(day, day, correctionDays,
          [&](std::size_t position, int32_t) { found.push_back(position); });
  std::sort(found.begin(), found.end());
  return found;
}

}  // namespace tavilo
