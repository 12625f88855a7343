// Checks the calendar engine against an independent reference: the first
// day of every Shamsi year 1178..1634 as ICU's Persian calendar gives it
// (farvardin-first.txt, embedded at build time), and the published list of
// long years. Every day of 1178..1633 is walked.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "calendar/Class1.h"
#include "calendar/ShamsiArithmetic.h"
#include "farvardin-first.h"

namespace tavilo {
namespace {

constexpr int32_t kFirstYear = 1178;
constexpr int32_t kLastFullYear = 1633;  // the table also holds 1634's start
constexpr int32_t kFirstCheckedYear = 1305;
constexpr int32_t kLastCheckedYear = 1600;
constexpr std::size_t kMaxReported = 10;

// Day number (days since 30 December 1899) of a proleptic Gregorian date,
// written here rather than taken from the engine so the reference stays
// independent of it.
constexpr int32_t OleDayFromCivil(int32_t year, int32_t month, int32_t day) {
  year -= month <= 2 ? 1 : 0;
  const int32_t era = (year >= 0 ? year : year - 399) / 400;
  const int32_t year_of_era = year - era * 400;
  const int32_t day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int32_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  constexpr int32_t kUnixEpochToOle = 25569;  // 1970-01-01 is day 25569
  return era * 146097 + day_of_era - 719468 + kUnixEpochToOle;
}
static_assert(OleDayFromCivil(1899, 12, 30) == 0);
static_assert(OleDayFromCivil(1921, 3, 21) == 7751);
static_assert(OleDayFromCivil(2001, 3, 24) == 36974);

// The 71 long years of 1206..1498 as the official calendar publishes them.
constexpr int32_t kPublishedLongYears[] = {
    1210, 1214, 1218, 1222, 1226, 1230, 1234, 1238,        //
    1243, 1247, 1251, 1255, 1259, 1263, 1267, 1271,        //
    1276, 1280, 1284, 1288, 1292, 1296, 1300, 1304,        //
    1309, 1313, 1317, 1321, 1325, 1329, 1333, 1337,        //
    1342, 1346, 1350, 1354, 1358, 1362, 1366, 1370,        //
    1375, 1379, 1383, 1387, 1391, 1395, 1399, 1403,        //
    1408, 1412, 1416, 1420, 1424, 1428, 1432, 1436,        //
    1441, 1445, 1449, 1453, 1457, 1461, 1465, 1469,        //
    1474, 1478, 1482, 1486, 1490, 1494, 1498,
};

// Day numbers of 1 Farvardin, indexed by year - kFirstYear, through 1634.
std::vector<int32_t> ParseTable() {
  std::vector<int32_t> starts;
  const std::string text = reference::kFarvardinFirstTable;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    if (line.empty() || line[0] == '#') continue;
    int year = 0, g_year = 0, g_month = 0, g_day = 0;
    if (std::sscanf(line.c_str(), "%d %d-%d-%d", &year, &g_year, &g_month, &g_day) != 4 ||
        year != kFirstYear + static_cast<int>(starts.size())) {
      ADD_FAILURE() << "malformed or out-of-order table line: " << line;
      return {};
    }
    starts.push_back(OleDayFromCivil(g_year, g_month, g_day));
  }
  return starts;
}

const std::vector<int32_t>& YearStarts() {
  static const std::vector<int32_t> starts = ParseTable();
  return starts;
}

int32_t StartOf(int32_t year) { return YearStarts().at(year - kFirstYear); }
int32_t LengthOf(int32_t year) { return StartOf(year + 1) - StartOf(year); }
bool TableSaysLong(int32_t year) { return LengthOf(year) == 366; }

std::wstring ShamsiText(int32_t year, int32_t month, int32_t day) {
  wchar_t buffer[16];
  std::swprintf(buffer, 16, L"%04d%02d%02d", year, month, day);
  return buffer;
}

struct ReferenceDay {
  int32_t day_number;
  int32_t year, month, day;
};

// Every day of 1178..1633 with its Shamsi fields, as the table implies:
// six months of 31 days, five of 30, and Esfand up to the next year's start.
const std::vector<ReferenceDay>& AllDays() {
  static const std::vector<ReferenceDay> days = [] {
    std::vector<ReferenceDay> all;
    for (int32_t year = kFirstYear; year <= kLastFullYear; ++year) {
      int32_t day_number = StartOf(year);
      for (int32_t month = 1; month <= 12; ++month) {
        const int32_t length =
            month <= 6 ? 31 : month <= 11 ? 30 : StartOf(year + 1) - day_number;
        for (int32_t day = 1; day <= length; ++day) {
          all.push_back({day_number++, year, month, day});
        }
      }
    }
    return all;
  }();
  return days;
}

// The engine under test, with a fixed clock and every message recorded.
class ReferenceCalendarTest : public ::testing::Test {
 protected:
  // 7 December 2026, 10:30.
  static constexpr double kNow = OleDayFromCivil(2026, 12, 7) + 0.4375;

  void TearDown() override {
    EXPECT_TRUE(messages_.empty()) << messages_.size() << " message(s) shown";
  }

  std::vector<std::wstring> messages_;
  Class1 calendar_{[] { return kNow; },
                   [this](const std::wstring& text) { messages_.push_back(text); }};
};

// Collects the first few mismatches of a long walk so one broken rule does
// not print thousands of lines.
class Mismatches {
 public:
  template <typename Describe>
  void Add(Describe describe) {
    if (count_++ < kMaxReported) report_ += describe() + "\n";
  }
  ::testing::AssertionResult Result() const {
    if (count_ == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << count_ << " mismatches, first:\n" << report_;
  }

 private:
  std::size_t count_ = 0;
  std::string report_;
};

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

TEST(FarvardinFirstTable, CoversEveryYearWithPlausibleLengths) {
  ASSERT_EQ(YearStarts().size(), static_cast<std::size_t>(1634 - kFirstYear + 1));
  EXPECT_EQ(StartOf(1300), 7751);  // 21 March 1921
  for (int32_t year = kFirstYear; year <= kLastFullYear; ++year) {
    EXPECT_TRUE(LengthOf(year) == 365 || LengthOf(year) == 366) << year;
  }
}

TEST(FarvardinFirstTable, AgreesWithPublishedLongYears1206To1498) {
  for (int32_t year = 1206; year <= 1498; ++year) {
    const bool published = std::find(std::begin(kPublishedLongYears),
                                     std::end(kPublishedLongYears),
                                     year) != std::end(kPublishedLongYears);
    EXPECT_EQ(TableSaysLong(year), published) << year;
  }
}

TEST(FarvardinFirstTable, CarriesTheAstronomicalCorrections) {
  // The 33-year rule would make 1502 and 1601 long; the equinox moves the
  // leap day one year later.
  EXPECT_FALSE(TableSaysLong(1502));
  EXPECT_TRUE(TableSaysLong(1503));
  EXPECT_FALSE(TableSaysLong(1601));
  EXPECT_TRUE(TableSaysLong(1602));
}

TEST(ShamsiArithmeticReference, LongYearsAndYearStartsMatchTable) {
  for (int32_t year = kFirstYear; year <= kLastFullYear; ++year) {
    EXPECT_EQ(IsLongYear(year), TableSaysLong(year)) << year;
    EXPECT_EQ(FarvardinFirst(year), StartOf(year)) << year;
    EXPECT_EQ(MonthLength(year, 12), LengthOf(year) - 336) << year;
  }
  EXPECT_EQ(FarvardinFirst(1634), StartOf(1634));
}

TEST(ShamsiArithmeticReference, DayNumbersRoundTripOnEveryDay) {
  Mismatches mismatches;
  for (const ReferenceDay& ref : AllDays()) {
    const ShamsiDate fields = ShamsiFromDay(ref.day_number);
    if (fields.year != ref.year || fields.month != ref.month || fields.day != ref.day) {
      mismatches.Add([&] {
        return "ShamsiFromDay(" + std::to_string(ref.day_number) + ") = " +
               std::to_string(fields.year) + "/" + std::to_string(fields.month) + "/" +
               std::to_string(fields.day);
      });
    }
    const int32_t back = DayFromShamsi({ref.year, ref.month, ref.day});
    if (back != ref.day_number) {
      mismatches.Add([&] {
        return "DayFromShamsi(" + std::to_string(ref.year) + "/" + std::to_string(ref.month) +
               "/" + std::to_string(ref.day) + ") = " + std::to_string(back);
      });
    }
  }
  EXPECT_TRUE(mismatches.Result());
}

TEST_F(ReferenceCalendarTest, MiladiToShamsiMatchesEveryDay) {
  Mismatches mismatches;
  for (const ReferenceDay& ref : AllDays()) {
    const std::wstring expected = ShamsiText(ref.year, ref.month, ref.day);
    // A date value's fraction is the time of day counted away from day 0,
    // so noon of a day before 30 December 1899 lies below its whole part.
    const double noon = ref.day_number + (ref.day_number < 0 ? -0.5 : 0.5);
    for (double value : {static_cast<double>(ref.day_number), noon}) {
      const std::wstring actual = calendar_.MiladiToShamsi(value);
      if (actual != expected) {
        mismatches.Add([&] {
          return "MiladiToShamsi(" + std::to_string(value) + ") = " + Narrow(actual) +
                 ", expected " + Narrow(expected);
        });
      }
    }
  }
  EXPECT_TRUE(mismatches.Result());
}

TEST_F(ReferenceCalendarTest, ShamsiToMiladiAndCheckDateRoundTripEveryAcceptedDay) {
  Mismatches mismatches;
  for (const ReferenceDay& ref : AllDays()) {
    if (ref.year < kFirstCheckedYear || ref.year > kLastCheckedYear) continue;
    const std::wstring text = ShamsiText(ref.year, ref.month, ref.day);
    if (!calendar_.checkDate(text)) {
      mismatches.Add([&] { return "checkDate rejects " + Narrow(text); });
      continue;
    }
    const double value = calendar_.ShamsiToMiladi(text);
    if (value != static_cast<double>(ref.day_number)) {
      mismatches.Add([&] {
        return "ShamsiToMiladi(" + Narrow(text) + ") = " + std::to_string(value) +
               ", expected " + std::to_string(ref.day_number);
      });
    }
  }
  EXPECT_TRUE(mismatches.Result());
}

TEST_F(ReferenceCalendarTest, CheckDateRejectsEsfand30OfEveryShortYear) {
  int short_years = 0;
  for (int32_t year = kFirstCheckedYear; year <= kLastCheckedYear; ++year) {
    if (TableSaysLong(year)) continue;
    ++short_years;
    EXPECT_FALSE(calendar_.checkDate(ShamsiText(year, 12, 30))) << year;
  }
  EXPECT_GT(short_years, 200);
}

TEST_F(ReferenceCalendarTest, CheckDateAcceptsExactlyYears1305To1600) {
  EXPECT_FALSE(calendar_.checkDate(ShamsiText(1304, 12, LengthOf(1304) - 336)));
  EXPECT_TRUE(calendar_.checkDate(ShamsiText(1305, 1, 1)));
  EXPECT_TRUE(calendar_.checkDate(ShamsiText(1600, 12, LengthOf(1600) - 336)));
  EXPECT_FALSE(calendar_.checkDate(ShamsiText(1601, 1, 1)));
}

TEST_F(ReferenceCalendarTest, ShamsiToMiladiReportsEsfand30OfAShortYear) {
  // Also proves the recording sink is wired: the other tests' "no message"
  // checks would pass vacuously otherwise.
  ASSERT_FALSE(TableSaysLong(1502));
  EXPECT_EQ(calendar_.ShamsiToMiladi(L"15021230"), 0.0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], kInvalidDateMessage);
  messages_.clear();
}

}  // namespace
}  // namespace tavilo
