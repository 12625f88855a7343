// The event editor's fields read into an event and back: digits of either
// script, dates that do not exist, reminder times, and the note's lines.
#include "tools/logic/EventForm.h"

#include <gtest/gtest.h>

namespace tavilo {
namespace {

EventForm Form(const wchar_t* title, const wchar_t* date, int reminder, const wchar_t* time) {
  EventForm form;
  form.title = title;
  form.date = date;
  form.reminder = reminder;
  form.time = time;
  return form;
}

TEST(EventFormTest, ReadsTheFieldsOrSaysWhatIsWrong) {
  const struct {
    EventForm form;
    bool read;
  } cases[] = {
      {Form(L" Birthday ", L" ۱۴۰۳/۱۲/۳۰ ", 0, L"x"), true},  // a leap Esfand; no reminder
      {Form(L"Birthday", L"1404/12/30", 0, L""), false},       // a common one
      {Form(L"  ", L"1405/1/1", 0, L""), false},
      {Form(L"Birthday", L"1405-1-1", 3, L"۲۳:۵۹"), true},
      {Form(L"Birthday", L"1405/1/1", 1, L"24:00"), false},
      {Form(L"Birthday", L"1405//1", 0, L""), false},
  };
  for (const auto& c : cases) {
    const FormReading reading = ReadEventForm(c.form);
    EXPECT_EQ(reading.event.has_value(), c.read) << c.form.date << " " << c.form.time;
    EXPECT_EQ(reading.problem.empty(), c.read);
    if (reading.event) {
      EXPECT_EQ(reading.event->title, L"Birthday");
    }
  }
}

TEST(EventFormTest, AnEventComesBackFromItsFormAndDatesMoveBetweenCalendars) {
  const Event event{EventCalendar::Qamari, {1447, 9, 29}, EventRepeat::Monthly,
                    EventReminder{7 * 60 + 5, 3}, {}, L"Fast", L"line 1\nline 2"};
  const EventForm form = FormOfEvent(event);
  EXPECT_EQ(form.note, L"line 1\r\nline 2");
  EXPECT_EQ(form.time, L"۰۷:۰۵");
  EXPECT_EQ(ReadEventForm(form).event, event);

  EXPECT_EQ(DateInCalendar(L"۱۴۰۵/۱/۱", EventCalendar::Shamsi, EventCalendar::Gregorian, 0),
            L"۲۰۲۶/۳/۲۱");
  EXPECT_EQ(DateInCalendar(L"1405/13/1", EventCalendar::Shamsi, EventCalendar::Gregorian, 0),
            L"1405/13/1");
}

}  // namespace
}  // namespace tavilo
