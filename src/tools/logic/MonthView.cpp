#include "tools/logic/MonthView.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstdint>
#include <optional>
#include <string_view>

#include "calendar/MoonScorpio.h"
#include "calendar/Numbers.h"
#include "calendar/Occasions.h"
#include "calendar/Qamari.h"
#include "calendar/ShamsiArithmetic.h"
#include "events/Event.h"
#include "ui/GregorianMonths.h"
#include "ui/PersianDigits.h"

namespace tavilo {

namespace {

constexpr std::wstring_view kShamsiMonthNames[] = {
    L"فروردین", L"اردیبهشت", L"خرداد", L"تیر",   L"مرداد", L"شهریور",
    L"مهر",     L"آبان",     L"آذر",   L"دی",    L"بهمن",  L"اسفند"};

constexpr std::wstring_view kRangeDash = L" – ";
constexpr std::wstring_view kDayOffMark = L" (تعطیل)";
constexpr std::wstring_view kEstimatedMark = L" (تخمینی)";
constexpr std::wstring_view kOccasionSeparator = L"، ";
constexpr wchar_t kRightToLeftMark = L'\u200F';

constexpr std::wstring_view kUnreadableDate = L"تاریخ نامعتبر است";
constexpr std::wstring_view kOutsideCalendar = L"خارج از محدوده";

constexpr int kFirstShamsiYear = 1;
constexpr int kLastGregorianYear = 9999;    // the last a date value holds
constexpr int kLastShamsiYearTyped = 1700;  // a larger typed year is Gregorian

std::wstring_view ShamsiMonthName(int month) { return kShamsiMonthNames[month - 1]; }

std::wstring Number(int value) { return PersianDigits(std::to_wstring(value)); }

// Column of a day in a week that starts on Saturday (day 0 was one).
int WeekColumn(int32_t day) { return ModFloor(day, kWeekDays); }

CivilDate GregorianOfDay(int32_t day) { return CivilFromDate(static_cast<double>(day)); }

// The lunar calendar begins with the Hijra, 1 Muharram 1.
bool HasQamariDate(const QamariDate& qamari) { return qamari.year >= 1; }

std::wstring QamariDateText(const QamariDate& qamari) {
  std::wstring text = Number(qamari.day);
  text.append(L" ").append(QamariMonthName(qamari.month)).append(L" ").append(Number(qamari.year));
  if (qamari.estimated) text += kEstimatedMark;
  return text;
}

// The Saturday that opens a month's six weeks.
int32_t GridStart(ShamsiMonth month) {
  const int32_t first = DayFromShamsi({month.year, month.month, 1});
  return first - WeekColumn(first);
}

// The last month whose six weeks end by the last day a date value holds.
ShamsiMonth LastMonth() {
  static const ShamsiMonth last = [] {
    const auto lastDateDay = static_cast<int32_t>(kMaxDateValue);
    ShamsiMonth month = MonthOfDay(lastDateDay);
    while (GridStart(month) + kGridCells - 1 > lastDateDay) {
      month = month.month == 1 ? ShamsiMonth{month.year - 1, 12}
                               : ShamsiMonth{month.year, month.month - 1};
    }
    return month;
  }();
  return last;
}

// The months a run of days passes through, in order: at most three, as a
// Shamsi month of 31 days can touch three lunar months.
struct MonthRun {
  struct YearMonth {
    int year;
    int month;
  };
  std::array<YearMonth, 3> months{};
  int count = 0;

  void Add(int year, int month) {
    if (count > 0 && months[count - 1].year == year && months[count - 1].month == month) return;
    if (count < static_cast<int>(months.size())) months[count++] = {year, month};
  }

  // "name – name year", or each month with its year when the years differ.
  template <typename MonthName>
  std::wstring Text(MonthName name) const {
    if (count == 0) return {};
    const bool oneYear = months[0].year == months[count - 1].year;
    std::wstring text;
    for (int i = 0; i < count; ++i) {
      if (i > 0) text += kRangeDash;
      text += name(months[i].month);
      if (!oneYear) text.append(L" ").append(Number(months[i].year));
    }
    if (oneYear) text.append(L" ").append(Number(months[0].year));
    return text;
  }
};

// "name (تعطیل) (تخمینی)", each mark where it applies.
std::wstring OccasionText(const Occasion& occasion) {
  std::wstring text = occasion.name;
  if (occasion.dayOff) text += kDayOffMark;
  if (occasion.estimated) text += kEstimatedMark;
  return text;
}

// "۱۴ خرداد: ", which opens a line of the occasion list.
std::wstring DayLabel(int shamsiDay, int shamsiMonth) {
  std::wstring label = Number(shamsiDay);
  return label.append(L" ").append(ShamsiMonthName(shamsiMonth)).append(L": ");
}

std::wstring OccasionLine(int shamsiDay, int shamsiMonth, const Occasion& occasion) {
  return DayLabel(shamsiDay, shamsiMonth) + OccasionText(occasion);
}

// The day's hours of the Moon in Scorpio, when shown and it has any.
std::wstring MoonText(const ShamsiDate& date, MoonInScorpioShown moon) {
  if (!moon.shown) return {};
  return MoonInScorpioDayText(date.year, date.month, date.day, true, moon.iranTimeNote);
}

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

// The value of a Latin, Persian or Arabic-Indic digit, or -1.
int DigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'\x06F0' && c <= L'\x06F9') return c - L'\x06F0';
  if (c >= L'\x0660' && c <= L'\x0669') return c - L'\x0660';
  return -1;
}

// Three whole numbers separated by '/' or '-', or nothing. An empty field
// reads as 0, which no year, month or day is.
std::optional<std::array<int, 3>> ThreeFields(std::wstring_view text) {
  constexpr int kMaxDigits = 5;  // more than any year, month or day needs
  std::array<int, 3> fields{};
  std::size_t field = 0;
  int digits = 0;
  for (wchar_t c : text) {
    if (c == L'/' || c == L'-') {
      if (++field == fields.size()) return std::nullopt;
      digits = 0;
      continue;
    }
    const int digit = DigitValue(c);
    if (digit < 0 || ++digits > kMaxDigits) return std::nullopt;
    fields[field] = fields[field] * 10 + digit;
  }
  if (field != fields.size() - 1) return std::nullopt;
  return fields;
}

// A typed Gregorian date (its year above kLastShamsiYearTyped) or nothing.
std::optional<int32_t> GregorianDay(int year, int month, int day) {
  if (year > kLastGregorianYear || month < 1 || month > 12 || day < 1 || day > 31)
    return std::nullopt;
  const double date = DateSerial(year, month, day);
  const CivilDate back = CivilFromDate(date);
  // DateSerial carries 30 February into March: such a day does not exist.
  if (back.month != month || back.day != day) return std::nullopt;
  return DayOfDate(date);
}

// A typed Shamsi date (its year at most kLastShamsiYearTyped) or nothing.
std::optional<int32_t> ShamsiDay(int year, int month, int day) {
  if (year < kFirstShamsiYear || month < 1 || month > 12 || day < 1 ||
      day > MonthLength(year, month))
    return std::nullopt;
  return DayFromShamsi({year, month, day});
}

}  // namespace

const GregorianMonthNames& PersianGregorianMonthNames() {
  static const GregorianMonthNames names = {
      L"ژانویه", L"فوریه", L"مارس",    L"آوریل", L"مه",     L"ژوئن",
      L"ژوئیه",  L"اوت",   L"سپتامبر", L"اکتبر", L"نوامبر", L"دسامبر"};
  return names;
}

GregorianMonthNames PersianGregorianMonthNames(Platform& platform) {
  GregorianMonthNames names;
  for (int month = 1; month <= 12; ++month) {
    names[month - 1] = GregorianMonthName(platform, L"fa-IR", month,
                                          PersianGregorianMonthNames()[month - 1].c_str());
  }
  return names;
}

const std::array<std::wstring, kWeekDays>& WeekDayNames() {
  static const std::array<std::wstring, kWeekDays> names = {
      L"شنبه",     L"یک‌شنبه", L"دوشنبه", L"سه‌شنبه",
      L"چهارشنبه", L"پنج‌شنبه", L"جمعه"};
  return names;
}

MonthView BuildMonthView(ShamsiMonth month, int correctionDays, const GregorianMonthNames& names,
                         MoonInScorpioShown moon) {
  MonthView view{};
  view.month = month;
  const int32_t first = DayFromShamsi({month.year, month.month, 1});
  const int32_t last = first + MonthLength(month.year, month.month) - 1;
  const int32_t gridStart = first - WeekColumn(first);

  MonthRun gregorianMonths;
  MonthRun qamariMonths;
  for (int i = 0; i < kGridCells; ++i) {
    const int32_t day = gridStart + i;
    const ShamsiDate shamsi = ShamsiFromDay(day);
    const CivilDate gregorian = GregorianOfDay(day);
    const QamariDate qamari = QamariFromDay(day, correctionDays);
    const bool hasQamari = HasQamariDate(qamari);
    const bool inMonth = day >= first && day <= last;
    view.cells[i] = {.day = day,
                     .shamsiDay = shamsi.day,
                     .gregorianDay = gregorian.day,
                     .qamariDay = hasQamari ? qamari.day : 0,
                     .inMonth = inMonth,
                     .dayOff = IsDayOff(day, correctionDays),
                     .estimated = hasQamari && qamari.estimated};
    if (!inMonth) continue;

    gregorianMonths.Add(gregorian.year, gregorian.month);
    if (hasQamari) qamariMonths.Add(qamari.year, qamari.month);
    view.estimated = view.estimated || view.cells[i].estimated;
    for (const Occasion& occasion : OccasionsOn(day, correctionDays))
      view.occasionLines.push_back(OccasionLine(shamsi.day, shamsi.month, occasion));
    if (const std::wstring hours = MoonText(shamsi, moon); !hours.empty())
      view.occasionLines.push_back(DayLabel(shamsi.day, shamsi.month) + hours);
  }

  view.heading.append(ShamsiMonthName(month.month)).append(L" ").append(Number(month.year));
  view.gregorianSpan =
      gregorianMonths.Text([&](int m) -> const std::wstring& { return names[m - 1]; });
  view.qamariSpan = qamariMonths.Text(QamariMonthName);
  if (view.estimated) view.qamariSpan += kEstimatedMark;
  return view;
}

MonthView BuildMonthView(ShamsiMonth month, int correctionDays, const GregorianMonthNames& names,
                         const EventOccurrences& events, MoonInScorpioShown moon) {
  MonthView view = BuildMonthView(month, correctionDays, names, moon);
  const std::vector<int> counts = events.CountsOfDays(view.cells[0].day, kGridCells, correctionDays);
  for (int i = 0; i < kGridCells; ++i) view.cells[i].events = counts[static_cast<size_t>(i)];
  return view;
}

std::wstring FullDateLine(int32_t day, int correctionDays, const GregorianMonthNames& names) {
  const ShamsiDate shamsi = ShamsiFromDay(day);
  const CivilDate gregorian = GregorianOfDay(day);
  const QamariDate qamari = QamariFromDay(day, correctionDays);
  std::wstring line = WeekDayNames()[WeekColumn(day)];
  line.append(L" ").append(Number(shamsi.day));
  line.append(L" ").append(ShamsiMonthName(shamsi.month));
  line.append(L" ").append(Number(shamsi.year)).append(kRangeDash);
  line.append(Number(gregorian.day)).append(L" ").append(names[gregorian.month - 1]);
  line.append(L" ").append(Number(gregorian.year));
  if (HasQamariDate(qamari)) line.append(kRangeDash).append(QamariDateText(qamari));
  return line;
}

std::wstring DayOccasionsText(int32_t day, int correctionDays) {
  std::wstring text;
  for (const Occasion& occasion : OccasionsOn(day, correctionDays)) {
    if (!text.empty()) text += kOccasionSeparator;
    text += OccasionText(occasion);
  }
  return text;
}

std::wstring CopiedDayText(int32_t day, int correctionDays, const GregorianMonthNames& names) {
  const std::wstring occasions = DayOccasionsText(day, correctionDays);
  const std::wstring line = FullDateLine(day, correctionDays, names);
  return occasions.empty() ? line : line + L"\n" + occasions;
}

std::wstring DistanceFromToday(int32_t day, int32_t today) {
  if (day == today) return L"امروز";
  const ShamsiDate earlier = ShamsiFromDay(std::min(day, today));
  const ShamsiDate later = ShamsiFromDay(std::max(day, today));
  // Whole months from the earlier date to the later; a month that ends
  // before its day of the month (31 Shahrivar to 30 Mehr) counts whole.
  int months = (later.year - earlier.year) * 12 + later.month - earlier.month;
  if (later.day < earlier.day && later.day < MonthLength(later.year, later.month)) --months;
  std::wstring text;
  if (months == 0) {
    text = Number(std::abs(day - today)) + L" روز";
  } else {
    if (months >= 12) text = Number(months / 12) + L" سال";
    if (months >= 12 && months % 12 != 0) text += L" و ";
    if (months % 12 != 0) text += Number(months % 12) + L" ماه";
  }
  return text + (day > today ? L" دیگر" : L" پیش");
}

std::wstring SelectedDayText(int32_t day, int32_t today, int correctionDays,
                             const GregorianMonthNames& names, MoonInScorpioShown moon) {
  std::wstring text = FullDateLine(day, correctionDays, names);
  // A right-to-left mark: a label takes a line that starts with a number
  // («۳ روز دیگر») for a left-to-right one.
  text.append(L"\n").append(1, kRightToLeftMark).append(DistanceFromToday(day, today));
  const std::wstring occasions = DayOccasionsText(day, correctionDays);
  if (!occasions.empty()) text.append(kOccasionSeparator).append(occasions);
  const std::wstring hours = MoonText(ShamsiFromDay(day), moon);
  if (!hours.empty()) text.append(kOccasionSeparator).append(hours);
  return text;
}

std::wstring QamariDayText(int32_t day, int correctionDays) {
  const QamariDate qamari = QamariFromDay(day, correctionDays);
  std::wstring text = HasQamariDate(qamari) ? QamariDateText(qamari) : std::wstring();
  for (const Occasion& occasion : OccasionsOn(day, correctionDays)) {
    if (!text.empty()) text += L'\n';
    text += OccasionText(occasion);
  }
  return text;
}

std::wstring QamariDayToolTip(int32_t day, int correctionDays) {
  std::wstring tip(1, kRightToLeftMark);
  for (wchar_t c : QamariDayText(day, correctionDays)) {
    tip += c;
    if (c == L'\n') tip += kRightToLeftMark;
  }
  return tip;
}

DayRange CalendarDays() {
  static const DayRange days = [] {
    const ShamsiMonth last = LastMonth();
    return DayRange{DayFromShamsi({kFirstShamsiYear, 1, 1}),
                    DayFromShamsi({last.year, last.month, MonthLength(last.year, last.month)})};
  }();
  return days;
}

int32_t WithinCalendar(int32_t day) {
  const DayRange days = CalendarDays();
  return std::clamp(day, days.first, days.last);
}

int32_t MoveSelection(int32_t selected, CalendarMove move, int32_t today) {
  const int32_t from = WithinCalendar(selected);
  constexpr int kYear = 12;
  switch (move) {
    case CalendarMove::kDayBefore: return WithinCalendar(from - 1);
    case CalendarMove::kDayAfter: return WithinCalendar(from + 1);
    case CalendarMove::kWeekBefore: return WithinCalendar(from - kWeekDays);
    case CalendarMove::kWeekAfter: return WithinCalendar(from + kWeekDays);
    case CalendarMove::kMonthBefore: return SameDayMonthsLater(from, -1);
    case CalendarMove::kMonthAfter: return SameDayMonthsLater(from, 1);
    case CalendarMove::kYearBefore: return SameDayMonthsLater(from, -kYear);
    case CalendarMove::kYearAfter: return SameDayMonthsLater(from, kYear);
    case CalendarMove::kToday: return WithinCalendar(today);
  }
  return from;
}

ShamsiMonth MonthOfDay(int32_t day) {
  const ShamsiDate shamsi = ShamsiFromDay(day);
  return {shamsi.year, shamsi.month};
}

ShamsiMonth AddMonths(ShamsiMonth month, int months) {
  // Months counted from month 1 of year 0, wide enough for any int step.
  const int64_t index = int64_t{month.year} * 12 + (month.month - 1) + months;
  const ShamsiMonth last = LastMonth();
  const int64_t clamped = std::clamp<int64_t>(index, int64_t{kFirstShamsiYear} * 12,
                                              int64_t{last.year} * 12 + last.month - 1);
  return {static_cast<int>(clamped / 12), static_cast<int>(clamped % 12) + 1};
}

int32_t SameDayMonthsLater(int32_t day, int months) {
  const ShamsiDate shamsi = ShamsiFromDay(day);
  const ShamsiMonth target = AddMonths({shamsi.year, shamsi.month}, months);
  const int32_t dayOfMonth = std::min(shamsi.day, MonthLength(target.year, target.month));
  return DayFromShamsi({target.year, target.month, dayOfMonth});
}

std::optional<int32_t> ParseGoToDate(const std::wstring& text) {
  std::wstring_view trimmed = text;
  while (!trimmed.empty() && IsBlank(trimmed.front())) trimmed.remove_prefix(1);
  while (!trimmed.empty() && IsBlank(trimmed.back())) trimmed.remove_suffix(1);
  const auto fields = ThreeFields(trimmed);
  if (!fields) return std::nullopt;
  const auto [year, month, day] = *fields;
  if (year > kLastShamsiYearTyped) return GregorianDay(year, month, day);
  return ShamsiDay(year, month, day);
}

GoToAnswer GoToDay(const std::wstring& text) {
  const std::optional<int32_t> day = ParseGoToDate(text);
  if (!day) return {std::nullopt, kUnreadableDate};
  if (*day != WithinCalendar(*day)) return {std::nullopt, kOutsideCalendar};
  return {day, {}};
}

}  // namespace tavilo
