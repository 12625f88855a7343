// The places the prayer times know by name (data/places.txt, compiled in
// through PlaceTable.generated.h): found by their GeoNames id, which is what
// the settings keep (the table's order changes between versions), or by a
// few typed letters of their Persian or Latin names. And a latitude or
// longitude typed in by hand.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/PrayerTimes.h"

namespace tavilo {

inline constexpr int32_t kMicroDegreesPerDegree = 1'000'000;

struct KnownPlace {
  int32_t geonamesId;
  int32_t latitude;   // millionths of a degree, north positive
  int32_t longitude;  // millionths of a degree, east positive
  std::wstring_view latinName;
  std::wstring_view persianName;
  bool inIran;  // a place abroad has its times shown in the computer's zone

  Place Coordinates() const {
    return {static_cast<double>(latitude) / kMicroDegreesPerDegree,
            static_cast<double>(longitude) / kMicroDegreesPerDegree};
  }
};

// Every place, Iran's largest cities first.
std::span<const KnownPlace> KnownPlaces();

// The place with this GeoNames id, or nullptr.
const KnownPlace* FindPlace(int32_t geonamesId);

// The places whose Persian or Latin name holds the typed text: a whole name
// first, then names that start with it, then the rest, each group in the
// table's order. Case, spaces,
// hyphens and zero-width non-joiners do not count, Arabic yeh and kaf match
// Persian yeh and keheh, and alef with madda or hamza matches bare alef. An
// empty (or blank) text gives every place.
std::vector<const KnownPlace*> SearchPlaces(std::wstring_view typed);

// A latitude or longitude typed in, north and east positive, in Latin,
// Persian or Arabic-Indic digits: decimal degrees ("35.69", "۳۵٫۶۹", "35/69",
// "35,69") or degrees, minutes and seconds, the last of them given may have
// a fraction ("35° 41′", "35 41", "35°41'30\"", "-51 25.5"). The decimal
// mark is '.', '٫' (U+066B), '/', ',' or '،'; blanks may stand around the
// parts.
enum class CoordinateAxis { kLatitude, kLongitude };
enum class CoordinateError { kNone, kNotANumber, kOutOfRange, kMinutesOver59 };
struct TypedCoordinate {
  int32_t microDegrees;  // millionths of a degree, when there is no error
  CoordinateError error;
};
TypedCoordinate ParseCoordinate(std::wstring_view text, CoordinateAxis axis);

}  // namespace tavilo
