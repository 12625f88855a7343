// Occurrences against a day-by-day reference: on a day, an event of calendar
// C occurs when the day is not before its own date and the day's date in C
// is the event's day, or the month's last day for a day the month lacks.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "events/Event.h"

namespace tavilo {
namespace {

bool OccursOn(const Event& event, int32_t day, int correction) {
  if (day < DayOfEventDate(event.calendar, event.date, correction)) return false;
  const EventDate date = EventDateOfDay(event.calendar, day, correction);
  const int length = EventMonthLength(event.calendar, date.year, date.month);
  const bool dayMatches = date.day == std::min(event.date.day, length);
  switch (event.repeat) {
    case EventRepeat::None:
      return date == event.date;
    case EventRepeat::Yearly:
      return date.month == event.date.month && dayMatches;
    case EventRepeat::Monthly:
      return dayMatches;
  }
  return false;
}

Event At(EventCalendar calendar, EventDate date, EventRepeat repeat) {
  return Event{calendar, date, repeat, {}, {}, L"x", {}};
}

// Random events on days 27..31 (where months differ) and others, over the
// month views of five Shamsi years, with each lunar correction.
TEST(EventOccurrences, MonthCountsMatchTheDayByDayReference) {
  std::mt19937 random(18);
  std::vector<Event> events;
  const int32_t start = DayOfEventDate(EventCalendar::Shamsi, {1402, 1, 1}, 0);
  while (events.size() < 300) {
    const auto calendar = static_cast<EventCalendar>(random() % 3);
    EventDate date = EventDateOfDay(calendar, start + static_cast<int32_t>(random() % 1500), 0);
    if (random() % 2) date.day = 27 + static_cast<int>(random() % 5);
    if (IsValidEventDate(calendar, date))
      events.push_back(At(calendar, date, static_cast<EventRepeat>(random() % 3)));
  }
  const EventOccurrences occurrences(events);
  for (int correction : {-1, 0, 2}) {
    for (int32_t first = start - 40; first < start + 5 * 365; first += 29) {
      const std::vector<int> counts = occurrences.CountsOfDays(first, 42, correction);
      for (int i = 0; i < 42; ++i) {
        int expected = 0;
        for (const Event& event : events) expected += OccursOn(event, first + i, correction);
        ASSERT_EQ(counts[i], expected) << "day " << first + i << ", correction " << correction;
      }
    }
  }
}

struct DayCase {
  const char* what;
  Event event;
  EventDate on;  // a date of the event's calendar
  bool occurs;
};

TEST(EventOccurrences, DaysAMonthLacksFallOnItsLastDay) {
  using enum EventCalendar;
  using enum EventRepeat;
  ASSERT_EQ(EventMonthLength(Shamsi, 1403, 12), 30);
  ASSERT_EQ(EventMonthLength(Shamsi, 1404, 12), 29);
  const DayCase cases[] = {
      {"30 Esfand, next year", At(Shamsi, {1403, 12, 30}, Yearly), {1404, 12, 29}, true},
      {"not the day after", At(Shamsi, {1403, 12, 30}, Yearly), {1405, 1, 1}, false},
      {"31st in February", At(Gregorian, {2026, 1, 31}, Monthly), {2026, 2, 28}, true},
      {"29 February", At(Gregorian, {2024, 2, 29}, Yearly), {2025, 2, 28}, true},
      {"never before its date", At(Qamari, {1447, 9, 1}, Yearly), {1446, 9, 1}, false},
  };
  for (const DayCase& c : cases) {
    const std::vector<Event> events{c.event};
    const int32_t day = DayOfEventDate(c.event.calendar, c.on, 0);
    EXPECT_EQ(EventOccurrences(events).OnDay(day, 0).size(), c.occurs ? 1u : 0u) << c.what;
  }
}

}  // namespace
}  // namespace tavilo
