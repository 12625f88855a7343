#include "tools/logic/EventForm.h"

#include <array>
#include <iterator>

#include "tools/logic/ConverterInput.h"
#include "ui/PersianDigits.h"

namespace tavilo {

namespace {

constexpr std::wstring_view kNoTitle = L"عنوان رویداد را بنویسید";
constexpr std::wstring_view kNoSuchDate = L"این تاریخ در تقویم انتخاب‌شده نیست";
// A text that is no date at all gets the form, with an example in its calendar.
constexpr std::wstring_view kNotADate = L"تاریخ را به شکل سال/ماه/روز بنویسید، مانند ";
constexpr const wchar_t* kDateExamples[] = {L"۱۴۰۵/۹/۱۷", L"۱۴۴۸/۶/۱۷", L"۲۰۲۶/۱۲/۸"};
constexpr std::wstring_view kNoSuchTime = L"ساعت یادآوری را مانند ۰۹:۳۰ بنویسید";
constexpr std::wstring_view kYearly = L" (هر سال)";
constexpr std::wstring_view kMonthly = L" (هر ماه)";
constexpr wchar_t kDefaultTime[] = L"۰۹:۰۰";

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Whole numbers separated by any of `separators`, exactly `N` of them, each
// of one to five ASCII digits.
template <std::size_t N>
std::optional<std::array<int, N>> Numbers(std::wstring_view text, std::wstring_view separators) {
  const std::wstring ascii = WithAsciiDigits(Trimmed(text));
  std::array<int, N> numbers{};
  std::size_t field = 0;
  int digits = 0;
  for (wchar_t c : ascii) {
    if (separators.find(c) != std::wstring_view::npos) {
      if (digits == 0 || ++field == N) return std::nullopt;
      digits = 0;
    } else if (c >= L'0' && c <= L'9' && ++digits <= 5) {
      numbers[field] = numbers[field] * 10 + (c - L'0');
    } else {
      return std::nullopt;
    }
  }
  if (field != N - 1 || digits == 0) return std::nullopt;
  return numbers;
}

std::wstring TwoDigits(int value) {
  return PersianDigits((value < 10 ? L"0" : L"") + std::to_wstring(value));
}

std::wstring TimeText(int minuteOfDay) {
  return TwoDigits(minuteOfDay / 60) + L":" + TwoDigits(minuteOfDay % 60);
}

std::optional<int> ReadTime(std::wstring_view text) {
  const auto fields = Numbers<2>(text, L":");
  if (!fields || (*fields)[0] > 23 || (*fields)[1] > 59) return std::nullopt;
  return (*fields)[0] * 60 + (*fields)[1];
}

// "\r\n" in the box, "\n" in the event.
std::wstring Replaced(std::wstring_view text, std::wstring_view from, std::wstring_view to) {
  std::wstring result;
  for (std::size_t at = 0; at < text.size();) {
    if (text.substr(at, from.size()) == from) {
      result += to;
      at += from.size();
    } else {
      result += text[at++];
    }
  }
  return result;
}

}  // namespace

EventForm NewEventForm(int32_t day, int correctionDays) {
  EventForm form;
  form.date = EventDateText(EventDateOfDay(EventCalendar::Shamsi, day, correctionDays));
  form.time = kDefaultTime;
  return form;
}

EventForm FormOfEvent(const Event& event) {
  EventForm form;
  form.title = event.title;
  form.note = Replaced(event.note, L"\n", L"\r\n");
  form.calendar = event.calendar;
  form.date = EventDateText(event.date);
  form.repeat = event.repeat;
  form.time = kDefaultTime;
  if (event.reminder) {
    for (int i = 1; i < static_cast<int>(std::size(kReminderDaysBefore)); ++i) {
      if (kReminderDaysBefore[i] == event.reminder->daysBefore) form.reminder = i;
    }
    form.time = TimeText(event.reminder->minuteOfDay);
  }
  return form;
}

std::wstring EventDateText(const EventDate& date) {
  return PersianDigits(std::to_wstring(date.year) + L"/" + std::to_wstring(date.month) + L"/" +
                       std::to_wstring(date.day));
}

std::optional<EventDate> ReadEventDate(std::wstring_view text) {
  const auto fields = Numbers<3>(text, L"/-");
  if (!fields) return std::nullopt;
  return EventDate{(*fields)[0], (*fields)[1], (*fields)[2]};
}

std::wstring DateInCalendar(const std::wstring& text, EventCalendar from, EventCalendar to,
                            int correctionDays) {
  const std::optional<EventDate> date = ReadEventDate(text);
  if (!date || !IsValidEventDate(from, *date)) return text;
  const int32_t day = DayOfEventDate(from, *date, correctionDays);
  return EventDateText(EventDateOfDay(to, day, correctionDays));
}

FormReading ReadEventForm(const EventForm& form) {
  Event event;
  event.title = Trimmed(form.title);
  if (event.title.empty()) return {std::nullopt, std::wstring(kNoTitle)};
  event.calendar = form.calendar;
  const std::optional<EventDate> date = ReadEventDate(form.date);
  if (!date) {
    return {std::nullopt,
            std::wstring(kNotADate) + kDateExamples[static_cast<int>(form.calendar)]};
  }
  if (!IsValidEventDate(form.calendar, *date)) return {std::nullopt, std::wstring(kNoSuchDate)};
  event.date = *date;
  event.repeat = form.repeat;
  if (form.reminder > 0 && form.reminder < static_cast<int>(std::size(kReminderDaysBefore))) {
    const std::optional<int> minute = ReadTime(form.time);
    if (!minute) return {std::nullopt, std::wstring(kNoSuchTime)};
    event.reminder = EventReminder{*minute, kReminderDaysBefore[form.reminder]};
  }
  event.note = Replaced(Replaced(form.note, L"\r\n", L"\n"), L"\r", L"");
  return {std::move(event), {}};
}

std::wstring EventListLine(const Event& event, int32_t day, int correctionDays) {
  std::wstring line = event.title;
  if (event.repeat == EventRepeat::Yearly) {
    line += kYearly;
    const int years = EventDateOfDay(event.calendar, day, correctionDays).year - event.date.year;
    if (years > 0) line += L" (" + PersianDigits(std::to_wstring(years)) + L" سال)";
  }
  if (event.repeat == EventRepeat::Monthly) line += kMonthly;
  return line;
}

std::wstring DeleteQuestion(const Event& event) {
  return L"رویداد «" + event.title + L"» پاک شود؟";
}

}  // namespace tavilo
