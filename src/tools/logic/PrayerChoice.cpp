#include "tools/logic/PrayerChoice.h"

#include <array>
#include <cstdlib>

#include "ui/PersianDigits.h"

namespace tavilo {
namespace {

constexpr std::array<std::wstring_view, kPrayerMethodCount> kMethodNames = {
    L"مؤسسه ژئوفیزیک دانشگاه تهران",
    L"جعفری (مؤسسه لوا، قم)",
    L"رابطه جهان اسلام",
    L"انجمن اسلامی آمریکای شمالی",
    L"سازمان نقشه‌برداری مصر",
    L"ام‌القری، مکه",
    L"دانشگاه علوم اسلامی کراچی",
};

constexpr std::array<std::wstring_view, kAsrShadowCount> kShadowNames = {
    L"سایه به اندازه شاخص",
    L"حنفی: سایه دو برابر شاخص",
};

std::wstring_view MessageOf(CoordinateError error, CoordinateAxis axis) {
  switch (error) {
    case CoordinateError::kNone: return {};
    case CoordinateError::kNotANumber:
      // Tehran's, in decimal degrees and in degrees and minutes; symbols
      // are left out, which the controls may draw out of order.
      return axis == CoordinateAxis::kLatitude ? L"مانند ۳۵٫۶۹ یا ۳۵ ۴۱"
                                               : L"مانند ۵۱٫۴۲ یا ۵۱ ۲۵";
    case CoordinateError::kOutOfRange:
      return axis == CoordinateAxis::kLatitude ? L"حداکثر ۹۰ درجه" : L"حداکثر ۱۸۰ درجه";
    case CoordinateError::kMinutesOver59: return L"دقیقه و ثانیه کمتر از ۶۰";
  }
  return {};
}

// Degrees to two decimals, rounded, without a sign.
std::wstring Degrees(int32_t microDegrees) {
  const int64_t hundredths = (std::llabs(microDegrees) + 5'000) / 10'000;
  const int64_t fraction = hundredths % 100;
  return PersianDigits(std::to_wstring(hundredths / 100) + L"٫" + (fraction < 10 ? L"0" : L"") +
                       std::to_wstring(fraction));
}

}  // namespace

std::wstring_view PrayerMethodName(PrayerMethod method) {
  return kMethodNames[static_cast<std::size_t>(method)];
}

std::wstring_view AsrShadowName(AsrShadow shadow) {
  return kShadowNames[static_cast<std::size_t>(shadow)];
}

TypedCoordinates ReadCoordinates(std::wstring_view latitude, std::wstring_view longitude) {
  const TypedCoordinate north = ParseCoordinate(latitude, CoordinateAxis::kLatitude);
  const TypedCoordinate east = ParseCoordinate(longitude, CoordinateAxis::kLongitude);
  TypedCoordinates typed{std::nullopt, std::nullopt,
                         MessageOf(north.error, CoordinateAxis::kLatitude),
                         MessageOf(east.error, CoordinateAxis::kLongitude)};
  if (north.error == CoordinateError::kNone) typed.latitude = north.microDegrees;
  if (east.error == CoordinateError::kNone) typed.longitude = east.microDegrees;
  return typed;
}

std::wstring CoordinatesName(int32_t latitude, int32_t longitude) {
  return Degrees(latitude) + (latitude < 0 ? L" جنوبی، " : L" شمالی، ") + Degrees(longitude) +
         (longitude < 0 ? L" غربی" : L" شرقی");
}

std::wstring CoordinateText(int32_t microDegrees) {
  const int64_t magnitude = std::llabs(microDegrees);
  std::wstring fraction = std::to_wstring(magnitude % kMicroDegreesPerDegree);
  fraction.insert(0, 6 - fraction.size(), L'0');
  while (!fraction.empty() && fraction.back() == L'0') fraction.pop_back();
  return (microDegrees < 0 ? L"-" : L"") + std::to_wstring(magnitude / kMicroDegreesPerDegree) +
         (fraction.empty() ? L"" : L"." + fraction);
}

}  // namespace tavilo
