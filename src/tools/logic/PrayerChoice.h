// The words of the prayer-time window (اوقات شرعی): the methods and Asr
// shadows it offers, typed coordinates read back with a short message for
// each box, and a place given by coordinates named in words.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "calendar/Places.h"
#include "calendar/PrayerTimes.h"

namespace tavilo {

// "مؤسسه ژئوفیزیک دانشگاه تهران", ... in the enum's order.
std::wstring_view PrayerMethodName(PrayerMethod method);
inline constexpr int kAsrShadowCount = 2;
std::wstring_view AsrShadowName(AsrShadow shadow);

// The latitude and longitude boxes as typed: both coordinates when both
// read, else the message to show beside each box that does not (empty
// beside one that does).
struct TypedCoordinates {
  std::optional<int32_t> latitude;  // millionths of a degree
  std::optional<int32_t> longitude;
  std::wstring_view latitudeMessage;
  std::wstring_view longitudeMessage;
  bool Valid() const { return latitude && longitude; }
};
TypedCoordinates ReadCoordinates(std::wstring_view latitude, std::wstring_view longitude);

// "۳۵٫۶۹ شمالی، ۵۱٫۴۲ شرقی": millionths of a degree, to two decimals.
std::wstring CoordinatesName(int32_t latitude, int32_t longitude);

// The text of a coordinate as its box shows it again: "35.69439".
std::wstring CoordinateText(int32_t microDegrees);

}  // namespace tavilo
