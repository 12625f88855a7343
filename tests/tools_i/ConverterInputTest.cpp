#include "tools/logic/ConverterInput.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calendar/Numbers.h"

namespace tavilo {

void PrintTo(const DateFields& fields, std::ostream* out) {
  *out << ::testing::PrintToString(fields.year) << " / " << ::testing::PrintToString(fields.month)
       << " / " << ::testing::PrintToString(fields.day);
}

namespace {

class ConverterInputTest : public ::testing::Test {
 protected:
  // 7 December 2026, 15:00.
  const double now_ = DateSerial(2026, 12, 7) + 0.625;
  std::vector<std::wstring> messages_;
  MessageFn record_ = [this](const std::wstring& text) { messages_.push_back(text); };
  Class1 calendar_{[this] { return now_; }, record_};

  std::optional<DateFields> Convert(ConvertDirection direction, DateFields input) {
    return ConvertDate(calendar_, direction, input, record_);
  }
};

const DateFields kEmptied{};

TEST_F(ConverterInputTest, EnabledExactlyWhileAllThreeBoxesHaveText) {
  EXPECT_FALSE(ConvertEnabled({L"", L"", L""}));
  EXPECT_FALSE(ConvertEnabled({L"1387", L"7", L""}));
  EXPECT_FALSE(ConvertEnabled({L"", L"7", L"20"}));
  EXPECT_FALSE(ConvertEnabled({L"1387", L"", L"20"}));
  EXPECT_TRUE(ConvertEnabled({L"1387", L"7", L"20"}));
  // Nothing else is judged while typing.
  EXPECT_TRUE(ConvertEnabled({L" ", L"x", L"-"}));
}

TEST_F(ConverterInputTest, WithoutADirectionNothingChanges) {
  EXPECT_EQ(Convert(ConvertDirection::kNone, {L"1387", L"7", L"20"}), std::nullopt);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ConverterInputTest, BothDirectionsOfTheWorkedDate) {
  EXPECT_EQ(Convert(ConvertDirection::kMiladiToShamsi, {L"2008", L"10", L"11"}),
            (DateFields{L"1387", L"07", L"20"}));
  EXPECT_EQ(Convert(ConvertDirection::kShamsiToMiladi, {L"1387", L"7", L"20"}),
            (DateFields{L"2008", L"10", L"11"}));
  EXPECT_EQ(Convert(ConvertDirection::kShamsiToMiladi, {L"1387", L"07", L"20"}),
            (DateFields{L"2008", L"10", L"11"}));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ConverterInputTest, MiladiFieldsAreYearMonthDayWhateverTheirWidth) {
  // Leading zeros, one-digit month and day, blanks around the numbers.
  EXPECT_EQ(Convert(ConvertDirection::kMiladiToShamsi, {L"2008", L"3", L"20"}),
            (DateFields{L"1387", L"01", L"01"}));
  EXPECT_EQ(Convert(ConvertDirection::kMiladiToShamsi, {L" 2009 ", L"03", L"020"}),
            (DateFields{L"1387", L"12", L"30"}));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ConverterInputTest, PersianDigitsAreDigits) {
  EXPECT_EQ(Convert(ConvertDirection::kMiladiToShamsi, {L"۲۰۰۸", L"۱۰", L"۱۱"}),
            (DateFields{L"1387", L"07", L"20"}));
  EXPECT_EQ(Convert(ConvertDirection::kShamsiToMiladi, {L"۱۳۸۷", L"۷", L"٢٠"}),
            (DateFields{L"2008", L"10", L"11"}));
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ConverterInputTest, GregorianInputThatIsNoDateShowsTheMessageAndEmptiesTheBoxes) {
  const std::vector<DateFields> bad = {
      {L"abc", L"10", L"11"},  {L"2008", L"13", L"11"},  {L"2008", L"0", L"11"},
      {L"2008", L"2", L"30"},  {L"2009", L"2", L"29"},   {L"2008", L"4", L"31"},
      {L"2008", L"10", L"0"},  {L"2008", L"10", L"32"},  {L"10000", L"1", L"1"},
      {L"99", L"1", L"1"},     {L"-2008", L"10", L"11"}, {L"2008", L"10.5", L"11"},
      {L"20 08", L"10", L"11"}, {L"2008", L"1e1", L"11"}, {L"2008", L"10", L"11x"},
      {L"99999999999", L"10", L"11"}, {L" ", L"10", L"11"},
      // Before 1 Farvardin of year 1 there is no Shamsi date.
      {L"622", L"3", L"20"},
  };
  for (const DateFields& input : bad) {
    messages_.clear();
    EXPECT_EQ(Convert(ConvertDirection::kMiladiToShamsi, input), kEmptied)
        << std::string(input.year.begin(), input.year.end());
    EXPECT_EQ(messages_, std::vector<std::wstring>{kInvalidDateMessage});
  }
}

TEST_F(ConverterInputTest, EdgesOfTheGregorianRange) {
  EXPECT_EQ(Convert(ConvertDirection::kMiladiToShamsi, {L"2008", L"2", L"29"}),
            (DateFields{L"1386", L"12", L"10"}));
  EXPECT_EQ(Convert(ConvertDirection::kMiladiToShamsi, {L"622", L"3", L"21"}),
            (DateFields{L"1", L"01", L"01"}));
  // The Shamsi year of the last day a date value holds has four digits.
  const auto last = Convert(ConvertDirection::kMiladiToShamsi, {L"9999", L"12", L"31"});
  ASSERT_TRUE(last);
  EXPECT_EQ(last->year, L"9378");
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ConverterInputTest, RejectedShamsiTextShowsTheCalendarsMessageAndEmptiesTheBoxes) {
  // Two-digit year: a six-character text; month 13; 31 Mehr; 30 Esfand of a
  // short year; letters.
  for (const DateFields& input : std::vector<DateFields>{{L"87", L"7", L"20"},
                                                          {L"1387", L"13", L"1"},
                                                          {L"1387", L"7", L"31"},
                                                          {L"1386", L"12", L"30"},
                                                          {L"abcd", L"7", L"20"},
                                                          {L"1387", L"007", L"20"}}) {
    messages_.clear();
    EXPECT_EQ(Convert(ConvertDirection::kShamsiToMiladi, input), kEmptied)
        << std::string(input.year.begin(), input.year.end());
    EXPECT_EQ(messages_, std::vector<std::wstring>{kInvalidDateMessage});
  }
}

TEST_F(ConverterInputTest, ShamsiTextTheCalendarCannotFindEmptiesTheBoxesNotToday) {
  // A blank instead of the leading zero passes validation but names no day;
  // the calendar answers with the present moment, which must not be shown.
  messages_.clear();
  EXPECT_EQ(Convert(ConvertDirection::kShamsiToMiladi, {L"1387", L" 5", L"31"}), kEmptied);
  EXPECT_EQ(messages_, std::vector<std::wstring>{kCalculationErrorMessage});
}

TEST_F(ConverterInputTest, ShamsiConversionRoundTripsAcrossTheCalendar) {
  for (int year : {1305, 1387, 1403, 1404, 1499, 1600}) {
    for (int month = 1; month <= 12; ++month) {
      const DateFields shamsi{std::to_wstring(year), std::to_wstring(month), L"29"};
      const auto miladi = Convert(ConvertDirection::kShamsiToMiladi, shamsi);
      ASSERT_TRUE(miladi);
      ASSERT_EQ(miladi->year.size(), 4u);
      const auto back = Convert(ConvertDirection::kMiladiToShamsi, *miladi);
      ASSERT_TRUE(back);
      EXPECT_EQ(back->year, shamsi.year);
      EXPECT_EQ(back->month, TwoDigitText(month));
      EXPECT_EQ(back->day, L"29");
    }
  }
  EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace tavilo
