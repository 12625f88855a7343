#include "calendar/Qamari.h"

#include <algorithm>
#include <array>
#include <bit>
#include <iterator>
#include <memory>
#include <vector>

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
// more than years: the start of the year after the table. Fills `masks` and
// `starts` from the known lengths (bit m-1 of a year for 30 days) and returns
// the first estimated day after the table.
constexpr int32_t FillTableYears(int32_t firstStart, const uint16_t* knownMasks, int knownLengths,
                                 int years, uint16_t* masks, int32_t* starts) {
  int32_t start = firstStart;
  for (int i = 0; i < years; ++i) {
    const int known = std::clamp(knownLengths - 12 * i, 0, 12);
    const uint16_t known_mask = static_cast<uint16_t>((1u << known) - 1);
    masks[i] = static_cast<uint16_t>((knownMasks[i] & known_mask) |
                                     (TabularThirtyDayMonths(table::kFirstYear + i) & ~known_mask));
    starts[i] = start;
    start += YearLengthIn(masks[i]);
  }
  starts[years] = start;
  // Days after the 29th of the last known month, whose length is not known.
  return starts[knownLengths / 12] +
         MonthOffsetIn(masks[knownLengths / 12], knownLengths % 12 + 1) + 29;
}

struct TableYears {
  std::array<uint16_t, kTableYears> thirtyDayMonths;
  std::array<int32_t, kTableYears + 1> starts;
  int32_t firstEstimatedDayAfter;
};

constexpr TableYears BuildTableYears() {
  TableYears years{};
  years.firstEstimatedDayAfter =
      FillTableYears(table::kFirstMonthStart, table::kThirtyDayMonths, kKnownLengths, kTableYears,
                     years.thirtyDayMonths.data(), years.starts.data());
  return years;
}

constexpr TableYears kBuiltIn = BuildTableYears();
constexpr int64_t kFirstTableYear = table::kFirstYear;

// The table the lookups consult: the compiled one, or the compiled one with
// the user's announced months over it (UseAnnouncedMonths).
struct TableView {
  int years;
  const uint16_t* thirtyDayMonths;
  const int32_t* starts;  // years + 1 of them
  int32_t firstEstimatedDayAfter;
  // Day numbers less tabular day counts (TabularYearStart) before and after
  // the table, which the tabular calendar continues from its edges.
  int64_t shiftBefore;
  int64_t shiftAfter;
  int64_t FirstYearAfter() const { return kFirstTableYear + years; }
};

constexpr TableView MakeView(int years, const uint16_t* thirtyDayMonths, const int32_t* starts,
                             int32_t firstEstimatedDayAfter) {
  return {years,
          thirtyDayMonths,
          starts,
          firstEstimatedDayAfter,
          starts[0] - TabularYearStart(kFirstTableYear),
          starts[years] - TabularYearStart(kFirstTableYear + years)};
}

constexpr TableView kBuiltInView = MakeView(kTableYears, kBuiltIn.thirtyDayMonths.data(),
                                            kBuiltIn.starts.data(), kBuiltIn.firstEstimatedDayAfter);

struct AnnouncedTable {
  std::vector<uint16_t> thirtyDayMonths;
  std::vector<int32_t> starts;
  TableView view;
};

std::unique_ptr<AnnouncedTable>& Announced() {
  static std::unique_ptr<AnnouncedTable> table;
  return table;
}

TableView activeTable = kBuiltInView;

Year YearNumbered(int64_t year) {
  const TableView& t = activeTable;
  if (year < kFirstTableYear) {
    return {year, t.shiftBefore + TabularYearStart(year), TabularThirtyDayMonths(year)};
  }
  if (year >= t.FirstYearAfter()) {
    return {year, t.shiftAfter + TabularYearStart(year), TabularThirtyDayMonths(year)};
  }
  const auto i = static_cast<std::size_t>(year - kFirstTableYear);
  return {year, t.starts[i], t.thirtyDayMonths[i]};
}

Year YearHolding(int64_t day) {
  const TableView& t = activeTable;
  // Outside the table, the tabular year holding the day, counted on from the
  // table's edge.
  if (day < t.starts[0]) return YearNumbered(TabularYearOf(day - t.shiftBefore));
  if (day >= t.starts[t.years]) return YearNumbered(TabularYearOf(day - t.shiftAfter));
  // A first guess from the mean year (10631 days in 30 years); over the table
  // it is at most a year off.
  int i = std::min<int>(t.years - 1, static_cast<int>((day - t.starts[0]) * 30 / 10631));
  while (t.starts[i] > day) --i;
  while (t.starts[i + 1] <= day) ++i;
  return {kFirstTableYear + i, t.starts[i], t.thirtyDayMonths[i]};
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
          shown < activeTable.starts[0] || shown >= activeTable.firstEstimatedDayAfter};
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

namespace tavilo {

bool UseAnnouncedMonths(std::span<const AnnouncedMonth> months) {
  if (months.empty()) {
    activeTable = kBuiltInView;
    Announced().reset();
    return true;
  }
  const int64_t first = (int64_t{months[0].year} - kFirstTableYear) * 12 + months[0].month - 1;
  if (first < 0 || first > table::kKnownMonthStarts) return false;  // a gap, or before the table
  // Every known month start: the compiled ones, the announced ones over them.
  std::vector<int32_t> starts(std::max<std::size_t>(table::kKnownMonthStarts,
                                                    static_cast<std::size_t>(first) + months.size()));
  for (int index = 0; index < table::kKnownMonthStarts; ++index) {
    starts[index] = kBuiltIn.starts[index / 12] +
                    MonthOffsetIn(kBuiltIn.thirtyDayMonths[index / 12], index % 12 + 1);
  }
  for (std::size_t i = 0; i < months.size(); ++i) {
    const int64_t index = (int64_t{months[i].year} - kFirstTableYear) * 12 + months[i].month - 1;
    if (index != first + static_cast<int64_t>(i) || months[i].month < 1 || months[i].month > 12) {
      return false;
    }
    starts[static_cast<std::size_t>(index)] = months[i].firstDay;
  }
  // Every month lasts 29 or 30 days, where the two meet too.
  const std::size_t end = static_cast<std::size_t>(first) + months.size();
  for (std::size_t i = first > 0 ? static_cast<std::size_t>(first) - 1 : 0;
       i + 1 < starts.size() && i < end; ++i) {
    if (const int32_t length = starts[i + 1] - starts[i]; length != 29 && length != 30) {
      return false;
    }
  }

  auto announced = std::make_unique<AnnouncedTable>();
  const int known = static_cast<int>(starts.size());
  const int years = (known + 11) / 12;
  std::vector<uint16_t> knownMasks(static_cast<std::size_t>(years));
  for (int index = 0; index + 1 < known; ++index) {
    if (starts[index + 1] - starts[index] == 30) knownMasks[index / 12] |= uint16_t(1u << (index % 12));
  }
  announced->thirtyDayMonths.resize(static_cast<std::size_t>(years));
  announced->starts.resize(static_cast<std::size_t>(years) + 1);
  const int32_t firstEstimated =
      FillTableYears(starts[0], knownMasks.data(), known - 1, years,
                     announced->thirtyDayMonths.data(), announced->starts.data());
  announced->view = MakeView(years, announced->thirtyDayMonths.data(), announced->starts.data(),
                             firstEstimated);
  activeTable = announced->view;
  Announced() = std::move(announced);
  return true;
}

}  // namespace tavilo
