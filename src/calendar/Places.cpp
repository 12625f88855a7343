#include "calendar/Places.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <optional>

#include "calendar/PlaceTable.generated.h"

namespace tavilo {
namespace {

// The letter a name is compared by; 0 for one that does not count.
wchar_t Folded(wchar_t c) {
  switch (c) {
    case L' ': case L'\t': case L'-': case L'\u200C': return 0;
    case L'\u064A': case L'\u0649': return L'\u06CC';              // yeh
    case L'\u0643': return L'\u06A9';                              // keheh
    case L'\u0622': case L'\u0623': case L'\u0625': return L'\u0627';  // alef
    default: break;
  }
  if (c >= L'A' && c <= L'Z') return static_cast<wchar_t>(c - L'A' + L'a');
  return c;
}

std::wstring Folded(std::wstring_view text) {
  std::wstring folded;
  for (wchar_t c : text) {
    if (const wchar_t f = Folded(c)) folded += f;
  }
  return folded;
}

// The value of a Latin, Persian or Arabic-Indic digit, or -1.
int DigitValue(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'\u06F0' && c <= L'\u06F9') return c - L'\u06F0';
  if (c >= L'\u0660' && c <= L'\u0669') return c - L'\u0660';
  return -1;
}

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\u00A0' || c == L'\u200F' || c == L'\u200E';
}

// The marks a decimal fraction starts with: the point, the Arabic decimal
// separator, and the slash and commas Persian typists use for it.
bool IsDecimalMark(wchar_t c) {
  return c == L'.' || c == L'\u066B' || c == L'/' || c == L',' || c == L'\u060C';
}

constexpr int kUnitCount = 3;  // degrees, minutes, seconds
constexpr int64_t kTenMillion = 10'000'000;

// The unit a mark after a number names (0 degrees, 1 minutes, 2 seconds),
// consumed; -1, and nothing consumed, when no mark follows. Two minute
// marks are a seconds mark, as typists write it.
int UnitOfMark(std::wstring_view text, std::size_t& at) {
  if (at >= text.size()) return -1;
  const auto isMinuteMark = [](wchar_t c) {
    return c == L'\u2032' || c == L'\'' || c == L'\u2019' || c == L'\u00B4';
  };
  const wchar_t c = text[at];
  if (c == L'\u00B0' || c == L'\u00BA') {
    ++at;
    return 0;
  }
  if (c == L'\u2033' || c == L'"' || c == L'\u201D') {
    ++at;
    return 2;
  }
  if (!isMinuteMark(c)) return -1;
  ++at;
  if (at < text.size() && isMinuteMark(text[at])) {
    ++at;
    return 2;
  }
  return 1;
}

// A number typed in Latin, Persian or Arabic-Indic digits with at most one
// decimal mark, in ten-millionths; negative when it is far too large to be a
// coordinate. Nothing when there is no digit at `at`.
struct TypedNumber {
  int64_t tenMillionths;
  bool hasFraction;
};
std::optional<TypedNumber> ReadNumber(std::wstring_view text, std::size_t& at) {
  // Seven decimals are read, so that rounding to millionths of a degree is
  // right; any further ones cannot change it by more than that.
  constexpr int kReadDecimals = 7;
  int64_t whole = 0;
  int64_t fraction = 0;
  int decimals = 0;
  int digits = 0;
  bool tooLarge = false;
  bool separator = false;
  for (; at < text.size(); ++at) {
    const wchar_t c = text[at];
    if (IsDecimalMark(c) && !separator) {
      separator = true;
      continue;
    }
    const int digit = DigitValue(c);
    if (digit < 0) break;
    ++digits;
    if (!separator) {
      tooLarge = tooLarge || whole > 1000;
      if (!tooLarge) whole = whole * 10 + digit;
    } else if (decimals < kReadDecimals) {
      fraction = fraction * 10 + digit;
      ++decimals;
    }
  }
  if (digits == 0) return std::nullopt;
  for (; decimals < kReadDecimals; ++decimals) fraction *= 10;
  return TypedNumber{tooLarge ? -1 : whole * kTenMillion + fraction, separator};
}

}  // namespace

std::span<const KnownPlace> KnownPlaces() { return place_table::kPlaces; }

const KnownPlace* FindPlace(int32_t geonamesId) {
  if (geonamesId <= 0) return nullptr;
  for (const KnownPlace& place : place_table::kPlaces) {
    if (place.geonamesId == geonamesId) return &place;
  }
  return nullptr;
}

std::vector<const KnownPlace*> SearchPlaces(std::wstring_view typed) {
  const std::wstring wanted = Folded(typed);
  // Whole names first, then names that start with the text, then the rest.
  std::array<std::vector<const KnownPlace*>, 3> ranks;
  for (const KnownPlace& place : place_table::kPlaces) {
    int best = static_cast<int>(ranks.size());
    for (const std::wstring& name : {Folded(place.persianName), Folded(place.latinName)}) {
      if (name == wanted) best = std::min(best, 0);
      else if (name.starts_with(wanted)) best = std::min(best, 1);
      else if (name.find(wanted) != std::wstring::npos) best = std::min(best, 2);
    }
    if (best < static_cast<int>(ranks.size())) ranks[best].push_back(&place);
  }
  std::vector<const KnownPlace*> found = std::move(ranks[0]);
  for (std::size_t rank = 1; rank < ranks.size(); ++rank) {
    found.insert(found.end(), ranks[rank].begin(), ranks[rank].end());
  }
  return found;
}

TypedCoordinate ParseCoordinate(std::wstring_view text, CoordinateAxis axis) {
  std::size_t at = 0;
  const auto skipBlanks = [&] {
    while (at < text.size() && IsBlank(text[at])) ++at;
  };
  skipBlanks();
  bool negative = false;
  if (at < text.size() && (text[at] == L'-' || text[at] == L'\u2212' || text[at] == L'+')) {
    negative = text[at] != L'+';
    ++at;
  }
  // Degrees, minutes and seconds, each in ten-millionths of its unit, summed
  // in ten-millionths of a second of arc.
  constexpr std::array<int64_t, kUnitCount> kSecondsPerUnit = {3600, 60, 1};
  int64_t total = 0;
  int unit = 0;
  bool lastHadFraction = false;
  for (skipBlanks(); at < text.size(); skipBlanks()) {
    if (unit == kUnitCount || lastHadFraction) return {0, CoordinateError::kNotANumber};
    const std::optional<TypedNumber> number = ReadNumber(text, at);
    if (!number) return {0, CoordinateError::kNotANumber};
    skipBlanks();
    if (const int marked = UnitOfMark(text, at); marked >= 0 && marked != unit) {
      return {0, CoordinateError::kNotANumber};
    }
    if (number->tenMillionths < 0) return {0, CoordinateError::kOutOfRange};
    if (unit > 0 && number->tenMillionths >= 60 * kTenMillion) {
      return {0, CoordinateError::kMinutesOver59};
    }
    total += number->tenMillionths * kSecondsPerUnit[static_cast<std::size_t>(unit)];
    lastHadFraction = number->hasFraction;
    ++unit;
  }
  if (unit == 0) return {0, CoordinateError::kNotANumber};
  // Rounded to millionths of a degree, halves away from zero.
  constexpr int64_t kPerMicroDegree = 3600 * kTenMillion / kMicroDegreesPerDegree;
  int64_t micro = (total + kPerMicroDegree / 2) / kPerMicroDegree;
  if (negative) micro = -micro;
  const int64_t limit = (axis == CoordinateAxis::kLatitude ? 90 : 180) * int64_t{kMicroDegreesPerDegree};
  if (micro < -limit || micro > limit) return {0, CoordinateError::kOutOfRange};
  return {static_cast<int32_t>(micro), CoordinateError::kNone};
}

}  // namespace tavilo
