#include "calendar/CalendarDataText.h"

#include <optional>

#include "calendar/Numbers.h"

namespace tavilo {
namespace {

// The most days a Shamsi month can have, Farvardin first.
constexpr int kShamsiMonthDays[] = {31, 31, 31, 31, 31, 31, 30, 30, 30, 30, 30, 30};
constexpr int kMaxLunarMonthDays = 30;
constexpr int kGregorianMonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
// A holiday line of the older format, and the most a line has (with a kind
// and a former name).
constexpr std::size_t kOldFields = 5;
constexpr std::size_t kMostFields = 7;

std::optional<OccasionCalendar> CalendarNamed(std::wstring_view name) {
  if (name == L"shamsi") return OccasionCalendar::kShamsi;
  if (name == L"qamari") return OccasionCalendar::kQamari;
  if (name == L"gregorian") return OccasionCalendar::kGregorian;
  return std::nullopt;
}

std::optional<OccasionKind> KindNamed(std::wstring_view name) {
  if (name == L"national") return OccasionKind::kNational;
  if (name == L"religious") return OccasionKind::kReligious;
  if (name == L"international") return OccasionKind::kInternational;
  if (name == L"ancient") return OccasionKind::kAncient;
  return std::nullopt;
}

int MostDays(OccasionCalendar calendar, int month) {
  switch (calendar) {
    case OccasionCalendar::kShamsi: return kShamsiMonthDays[month - 1];
    case OccasionCalendar::kGregorian: return kGregorianMonthDays[month - 1];
    case OccasionCalendar::kQamari: break;
  }
  return kMaxLunarMonthDays;
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f'; }

std::wstring_view Trimmed(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Calls take(line number, line) for each line that is neither blank nor a
// comment, its line end (LF or CRLF) dropped; stops at the first refusal and
// answers its line, or 0 when every line was taken.
template <typename Take>
int ForEachDataLine(std::wstring_view text, Take take) {
  if (text.starts_with(L'\xFEFF')) text.remove_prefix(1);  // a byte-order mark
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find(L'\n');
    std::wstring_view line = text.substr(0, end);
    text.remove_prefix(end == std::wstring_view::npos ? text.size() : end + 1);
    ++number;
    if (line.ends_with(L'\r')) line.remove_suffix(1);
    if (Trimmed(line).empty() || line.starts_with(L'#')) continue;
    if (!take(number, line)) return number;
  }
  return 0;
}

// A run of 1 to `most` ASCII digits taken from the front of `text`.
std::optional<int> TakeNumber(std::wstring_view& text, std::size_t most) {
  std::size_t length = 0;
  int value = 0;
  while (length < text.size() && length < most && text[length] >= L'0' && text[length] <= L'9') {
    value = value * 10 + (text[length] - L'0');
    ++length;
  }
  if (length == 0 || (length < text.size() && text[length] >= L'0' && text[length] <= L'9')) {
    return std::nullopt;
  }
  text.remove_prefix(length);
  return value;
}

bool TakeChar(std::wstring_view& text, wchar_t c) {
  if (!text.starts_with(c)) return false;
  text.remove_prefix(1);
  return true;
}

// The day number of a Gregorian YYYY-MM-DD, nothing for a date that does not
// exist.
std::optional<int32_t> DayOfIsoDate(std::wstring_view text) {
  const std::wstring_view whole = text;
  const auto year = TakeNumber(text, 4);
  if (!year || whole.size() != 10 || !TakeChar(text, L'-')) return std::nullopt;
  const auto month = TakeNumber(text, 2);
  if (!month || !TakeChar(text, L'-')) return std::nullopt;
  const auto day = TakeNumber(text, 2);
  if (!day || *year < 100 || *month < 1 || *month > 12 || *day < 1 || *day > 31) return std::nullopt;
  const double date = DateSerial(*year, *month, *day);
  const CivilDate civil = CivilFromDate(date);
  if (civil.year != *year || civil.month != *month || civil.day != *day) return std::nullopt;
  return DayOfDate(date);
}

}  // namespace

LunarMonthsData ReadLunarMonths(std::wstring_view text) {
  LunarMonthsData data;
  const int fault = ForEachDataLine(text, [&](int, std::wstring_view line) {
    line = Trimmed(line);
    const auto year = TakeNumber(line, 5);
    if (!year || !TakeChar(line, L'/')) return false;
    const auto month = TakeNumber(line, 2);
    if (!month || *month < 1 || *month > 12 || !TakeChar(line, L' ')) return false;
    const auto day = DayOfIsoDate(line);
    if (!day) return false;
    if (!data.months.empty()) {
      const AnnouncedMonth& before = data.months.back();
      const bool next = before.month == 12 ? *year == before.year + 1 && *month == 1
                                           : *year == before.year && *month == before.month + 1;
      const int32_t length = *day - before.firstDay;
      if (!next || (length != 29 && length != 30)) return false;
    }
    data.months.push_back({*year, *month, *day});
    return true;
  });
  if (fault != 0 || data.months.empty()) data = {{}, {false, fault}};
  return data;
}

HolidaysData ReadHolidays(std::wstring_view text) {
  HolidaysData data;
  const int fault = ForEachDataLine(text, [&](int, std::wstring_view line) {
    std::vector<std::wstring_view> fields;
    for (std::size_t tab = 0; tab != std::wstring_view::npos && fields.size() <= kMostFields;) {
      tab = line.find(L'\t');
      fields.push_back(line.substr(0, tab));
      line.remove_prefix(tab == std::wstring_view::npos ? line.size() : tab + 1);
    }
    if (fields.size() < kOldFields || fields.size() > kMostFields) return false;
    HolidayLine occasion{};
    const auto calendar = CalendarNamed(fields[0]);
    if (!calendar) return false;
    occasion.calendar = *calendar;
    std::wstring_view monthDay = fields[1];
    const auto month = TakeNumber(monthDay, 2);
    if (!month || *month < 1 || *month > 12 || !TakeChar(monthDay, L'/')) return false;
    occasion.month = *month;
    if (occasion.calendar == OccasionCalendar::kQamari && monthDay == L"last") {
      occasion.day = kLastDayOfLunarMonth;
    } else {
      const auto day = TakeNumber(monthDay, 2);
      if (!day || !monthDay.empty() || *day < 1 || *day > MostDays(occasion.calendar, *month))
        return false;
      occasion.day = *day;
    }
    if (fields[2] != L"off" && fields[2] != L"-") return false;
    occasion.dayOff = fields[2] == L"off";
    if (fields[3] == L"-") {
      occasion.firstYear = kKeptAlways;
    } else {
      std::wstring_view since = fields[3];
      const auto year = TakeNumber(since, 4);
      if (!year || !since.empty() || fields[3].starts_with(L'0')) return false;
      occasion.firstYear = *year;
    }
    // Five fields: the name; six or seven: the kind, the name and a former name.
    const bool withKind = fields.size() > kOldFields;
    if (withKind) {
      occasion.kind = KindNamed(fields[4]);
      if (!occasion.kind) return false;
    }
    const std::wstring_view name = fields[withKind ? 5 : 4];
    if (Trimmed(name).empty()) return false;
    occasion.name = std::wstring(name);
    data.lines.push_back(std::move(occasion));
    return true;
  });
  if (fault != 0) data = {{}, {false, fault}};
  return data;
}

}  // namespace tavilo
