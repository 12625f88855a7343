// The place table's look-ups and typed coordinates.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "calendar/Places.h"

namespace tavilo {
namespace {

// The Latin name of the first place found, "" when none is.
std::wstring_view FirstFound(std::wstring_view typed) {
  const auto found = SearchPlaces(typed);
  return found.empty() ? std::wstring_view() : found.front()->latinName;
}

TEST(Places, FoundByGeoNamesIdNeverByPosition) {
  ASSERT_NE(FindPlace(112931), nullptr);
  EXPECT_DOUBLE_EQ(FindPlace(112931)->Coordinates().latitude, 35.69439);
  EXPECT_EQ(FindPlace(1), nullptr);
}

TEST(Places, SearchIgnoresSpacesZwnjHyphensCaseAndArabicLetters) {
  EXPECT_EQ(SearchPlaces(L"").size(), KnownPlaces().size());
  const std::pair<std::wstring_view, std::wstring_view> cases[] = {  // typed, first found
      {L"کرمان", L"Kerman"},           // the whole name before the longer Kermanshah
      {L"كرمانشاه", L"Kermanshah"},    // Arabic kaf
      {L"خرم آباد", L"Khorramabad"},   // space where the name has a ZWNJ, madda
      {L"شهريار", L"Shahriar"},        // Arabic yeh
      {L"shahre kord", L"Shahr-e Kord"},
      {L"انجل", L"Los Angeles"},       // inside the name
  };
  for (const auto& [typed, first] : cases) {
    EXPECT_EQ(FirstFound(typed), first) << std::wstring(typed);
  }
  EXPECT_TRUE(SearchPlaces(L"zzz").empty());
}

// Decimal degrees with any of the decimal marks Persian typists use, or
// degrees, minutes and seconds; the rest refused.
TEST(Places, TypedCoordinatesInEitherDigitsAndFormsWithinRange) {
  struct Case {
    std::wstring_view text;
    CoordinateAxis axis;
    int32_t micro;
    CoordinateError error;
  };
  using enum CoordinateAxis;
  using enum CoordinateError;
  const Case cases[] = {
      {L"35.69439", kLatitude, 35694390, kNone},
      {L" ۳۵٫۶۹۴۳۹ ", kLatitude, 35694390, kNone},
      {L"-118.2436849", kLongitude, -118243685, kNone},  // rounded to millionths
      {L"-90", kLatitude, -90000000, kNone},
      {L"90.000001", kLatitude, 0, kOutOfRange},
      {L"181", kLongitude, 0, kOutOfRange},
      {L"", kLatitude, 0, kNotANumber},
      {L"35.6.9", kLatitude, 0, kNotANumber},
      {L"35N", kLatitude, 0, kNotANumber},
      {L"۳۵/۶۹", kLatitude, 35690000, kNone},
      {L"35,69", kLongitude, 35690000, kNone},
      {L"35° 41′", kLatitude, 35683333, kNone},
      {L"35 41", kLatitude, 35683333, kNone},
      {L"35°41'30\"", kLatitude, 35691667, kNone},
      {L"35 41 30''", kLatitude, 35691667, kNone},  // two primes for seconds
      {L"-51 25٫5", kLongitude, -51425000, kNone},
      {L"35 60", kLatitude, 0, kMinutesOver59},
      {L"35.5 10", kLatitude, 0, kNotANumber},  // a fraction only on the last part
      {L"35° 41″", kLatitude, 0, kNotANumber},  // seconds where the minutes go
      {L"35 41 30 5", kLatitude, 0, kNotANumber},
      {L"90 0 1", kLatitude, 0, kOutOfRange},
      {L"99999999999", kLongitude, 0, kOutOfRange},
  };
  for (const Case& c : cases) {
    const TypedCoordinate parsed = ParseCoordinate(c.text, c.axis);
    EXPECT_EQ(parsed.error, c.error) << std::wstring(c.text);
    EXPECT_EQ(parsed.microDegrees, c.micro) << std::wstring(c.text);
  }
}

}  // namespace
}  // namespace tavilo
