#include "calendar/Places.h"

#include <algorithm>
#include <array>
#include <initializer_list>

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

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\u200F' || c == L'\u200E'; }

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
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == L'-' || text.front() == L'\u2212' || text.front() == L'+')) {
    negative = text.front() != L'+';
    text.remove_prefix(1);
  }
  // Seven decimals are read, so that rounding to millionths is right;
  // any further ones cannot change it by more than that.
  constexpr int kReadDecimals = 7;
  int64_t whole = 0;
  int64_t fraction = 0;
  int decimals = 0;
  int digits = 0;
  bool separator = false;
  for (wchar_t c : text) {
    if ((c == L'.' || c == L'\u066B') && !separator) {
      separator = true;
      continue;
    }
    const int digit = DigitValue(c);
    if (digit < 0) return {0, CoordinateError::kNotANumber};
    ++digits;
    if (!separator) {
      if (whole > 1000) return {0, CoordinateError::kOutOfRange};
      whole = whole * 10 + digit;
    } else if (decimals < kReadDecimals) {
      fraction = fraction * 10 + digit;
      ++decimals;
    }
  }
  if (digits == 0) return {0, CoordinateError::kNotANumber};
  for (; decimals < kReadDecimals; ++decimals) fraction *= 10;
  int64_t micro = (whole * 10'000'000 + fraction + 5) / 10;
  if (negative) micro = -micro;
  const int64_t limit = (axis == CoordinateAxis::kLatitude ? 90 : 180) * int64_t{kMicroDegreesPerDegree};
  if (micro < -limit || micro > limit) return {0, CoordinateError::kOutOfRange};
  return {static_cast<int32_t>(micro), CoordinateError::kNone};
}

}  // namespace tavilo
