// The event editor's fields as texts and choices, to and from an Event: the
// date and the reminder time are typed, in Latin or Persian digits, and shown
// in Persian ones; the calendar, repeat and reminder are picked from lists.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "events/Event.h"

namespace tavilo {

// The reminder list's choices: none, on the day, and on the day as well as
// 1, 3 or 7 days before.
inline constexpr int kReminderDaysBefore[] = {-1, 0, 1, 3, 7};

struct EventForm {
  std::wstring title;
  std::wstring note;  // lines separated by "\r\n", as an edit box holds them
  EventCalendar calendar = EventCalendar::Shamsi;
  std::wstring date;  // "۱۴۰۵/۱/۱۳" in the form's calendar
  EventRepeat repeat = EventRepeat::None;
  int reminder = 0;   // index into kReminderDaysBefore
  std::wstring time;  // "۰۹:۰۰"
  bool operator==(const EventForm&) const = default;
};

// A new event on `day`, in the Shamsi calendar, without a reminder.
EventForm NewEventForm(int32_t day, int correctionDays);
EventForm FormOfEvent(const Event& event);

// "۱۴۰۵/۱/۱۳"
std::wstring EventDateText(const EventDate& date);
// A typed Y/M/D (or Y-M-D) in Latin or Persian digits, blanks around it
// allowed; nothing when it is not one. Whether the date exists is not asked.
std::optional<EventDate> ReadEventDate(std::wstring_view text);

// The typed date moved to another calendar, the same day; the text as it is
// when it is no date of `from`.
std::wstring DateInCalendar(const std::wstring& text, EventCalendar from, EventCalendar to,
                            int correctionDays);

// The event the form describes (with no reminder shown yet), or why there is
// none: no title, no such date, no such time.
struct FormReading {
  std::optional<Event> event;
  std::wstring problem;
};
FormReading ReadEventForm(const EventForm& form);

// A line of the calendar's list of a day's events on `day`: the title, with
// " (هر سال)" or " (هر ماه)" for a repeating one, and a yearly one's years
// since its own date (" (۳۵ سال)"; its kind, birthday or other, is not kept).
std::wstring EventListLine(const Event& event, int32_t day, int correctionDays);

// What Delete asks before it deletes: «رویداد «…» پاک شود؟»
std::wstring DeleteQuestion(const Event& event);

}  // namespace tavilo
