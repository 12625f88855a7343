#include "calendar/Qamari.h"

#include <algorithm>
#include <array>
#include <bit>
#include <iterator>

#include "calendar/QamariTable.generated.h"

namespace tavilo {
namespace {

namespace table = qamari_table;

// A year's months as the engine sees them: the day number of 1 Muharram and
// one bit a month, set for a month of 30 days.
struct Year {
  int64_t number;
  int64_t start;
  uint16_t thirtyDayMonths;
};

constexpr int64_t FloorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

constexpr int MonthLengthIn(uint16_t thirtyDayMonths, int month) {
  return 29 + ((thirtyDayMonths >> (month - 1)) & 1);
}

// Days from 1 Muharram to the first of the month.
constexpr int MonthOffsetIn(uint16_t thirtyDayMonths, int month) {
  return 29 * (month - 1) + std::popcount(thirtyDayMonths & ((1u << (month - 1)) - 1));
}

constexpr int YearLengthIn(uint16_t thirtyDayMonths) { return MonthOffsetIn(thirtyDayMonths, 13); }

// The tabular calendar: 11 leap years in 30, those where (14 + 11y) mod 30 < 11
// (2, 5, 7, 10, 13, 16, 18, 21, 24, 26, 29 of each cycle); odd months have 30
// days, even months 29, and Dhu al-Hijjah 30 in a leap year.
constexpr uint16_t TabularThirtyDayMonths(int64_t year) {
  const int64_t residue = (14 + 11 * year) % 30;
  return (residue < 0 ? residue + 30 : residue) < 11 ? 0xd55 : 0x555;
}

// Days from tabular 1 Muharram 1 to 1 Muharram of the year: 354 a year and
// one for each leap year before it.
constexpr int64_t TabularYearStart(int64_t year) {
  return 354 * (year - 1) + FloorDiv(3 + 11 * year, 30);
}

// The tabular year holding a day counted as TabularYearStart counts.
constexpr int64_t TabularYearOf(int64_t count) { return FloorDiv(30 * count + 10646, 10631); }

constexpr int kTableYears = static_cast<int>(std::size(table::kThirtyDayMonths));
constexpr int kKnownLengths = table::kKnownMonthStarts - 1;
static_assert(kTableYears == (table::kKnownMonthStarts + 11) / 12,
              "one table year for each year with a known month start");

// The table's years with their starts; where a month's length is not known
// (from the last known month on), the tabular length stands in. One start
// more than years: the start of the year after the table.
struct TableYears {
  std::array<uint16_t, kTableYears> thirtyDayMonths;
  std::array<int32_t, kTableYears + 1> starts;
};

constexpr TableYears BuildTableYears() {
  TableYears years{};
  int32_t start = table::kFirstMonthStart;
  for (int i = 0; i < kTableYears; ++i) {
    const int known = std::clamp(kKnownLengths - 12 * i, 0, 12);
    const uint16_t known_mask = static_cast<uint16_t>((1u << known) - 1);
    years.thirtyDayMonths[i] =
        static_cast<uint16_t>((table::kThirtyDayMonths[i] & known_mask) |
                              (TabularThirtyDayMonths(table::kFirstYear + i) & ~known_mask));
    years.starts[i] = start;
    start += YearLengthIn(years.thirtyDayMonths[i]);
  }
  years.starts[kTableYears] = start;
  return years;
}

constexpr TableYears kTable = BuildTableYears();
constexpr int64_t kFirstTableYear = table::kFirstYear;
constexpr int64_t kFirstYearAfterTable = kFirstTableYear + kTableYears;

// Days before the table are estimated, and so are those after the 29th of
// its last known month, whose length is not known.
constexpr int32_t kFirstEstimatedDayAfterTable =
    kTable.starts[kKnownLengths / 12] +
    MonthOffsetIn(kTable.thirtyDayMonths[kKnownLengths / 12], kKnownLengths % 12 + 1) + 29;

Year YearNumbered(int64_t year) {
  if (year < kFirstTableYear) {
    return {year,
            kTable.starts.front() - TabularYearStart(kFirstTableYear) + TabularYearStart(year),
            TabularThirtyDayMonths(year)};
  }
  if (year >= kFirstYearAfterTable) {
    return {year,
            kTable.starts.back() - TabularYearStart(kFirstYearAfterTable) + TabularYearStart(year),
            TabularThirtyDayMonths(year)};
  }
  const auto i = static_cast<std::size_t>(year - kFirstTableYear);
  return {year, kTable.starts[i], kTable.thirtyDayMonths[i]};
}

// The tabular year holding a day, counted on from a table edge: the year
// `edge_year` begins on `edge_start`.
Year TabularYearHolding(int64_t day, int64_t edge_year, int64_t edge_start) {
  return YearNumbered(TabularYearOf(day - edge_start + TabularYearStart(edge_year)));
}

Year YearHolding(int64_t day) {
  if (day < kTable.starts.front()) {
    return TabularYearHolding(day, kFirstTableYear, kTable.starts.front());
  }
  if (day >= kTable.starts.back()) {
    return TabularYearHolding(day, kFirstYearAfterTable, kTable.starts.back());
  }
  // A first guess from the mean year (10631 days in 30 years); over the table
  // it is at most a year off.
  int i =
      std::min<int>(kTableYears - 1, static_cast<int>((day - kTable.starts.front()) * 30 / 10631));
  while (kTable.starts[i] > day) --i;
  while (kTable.starts[i + 1] <= day) ++i;
  return {kFirstTableYear + i, kTable.starts[i], kTable.thirtyDayMonths[i]};
}

int ClampCorrection(int correctionDays) {
  return std::clamp(correctionDays, -kMaxCorrectionDays, kMaxCorrectionDays);
}

constexpr std::wstring_view kMonthNames[] = {
    L"محرم", L"صفر", L"ربیع‌الاول", L"ربیع‌الثانی",
    L"جمادی‌الاول", L"جمادی‌الثانی", L"رجب", L"شعبان",
    L"رمضان", L"شوال", L"ذی‌القعده", L"ذی‌الحجه",
};

}  // namespace

QamariDate QamariFromDay(int32_t day, int correctionDays) {
  const int64_t shown = int64_t{day} + ClampCorrection(correctionDays);
  const Year year = YearHolding(shown);
  const int offset = static_cast<int>(shown - year.start);
  // Months are 29 or 30 days long, so this is the month or one after it.
  int month = std::min(12, offset / 29 + 1);
  if (MonthOffsetIn(year.thirtyDayMonths, month) > offset) --month;
  return {static_cast<int>(year.number), month,
          offset - MonthOffsetIn(year.thirtyDayMonths, month) + 1,
          shown < kTable.starts.front() || shown >= kFirstEstimatedDayAfterTable};
}

int32_t DayFromQamari(int year, int month, int day, int correctionDays) {
  if (month < 1 || month > 12) return kInvalidDay;
  const Year y = YearNumbered(year);
  if (day < 1 || day > MonthLengthIn(y.thirtyDayMonths, month)) return kInvalidDay;
  const int64_t result =
      y.start + MonthOffsetIn(y.thirtyDayMonths, month) + day - 1 - ClampCorrection(correctionDays);
  if (result <= kInvalidDay || result > std::numeric_limits<int32_t>::max()) return kInvalidDay;
  return static_cast<int32_t>(result);
}

int QamariMonthLength(int year, int month) {
  if (month < 1 || month > 12) return 0;
  return MonthLengthIn(YearNumbered(year).thirtyDayMonths, month);
}

std::wstring_view QamariMonthName(int month) {
  if (month < 1 || month > 12) return {};
  return kMonthNames[month - 1];
}

}  // namespace tavilo
