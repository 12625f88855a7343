#include "calendar/PrayerTimes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tavilo {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kJulianDayOfDayZero = 2415018.5;  // 30 December 1899, 00:00 UT
constexpr int32_t kUnixEpochDay = 25569;           // 1 January 1970
constexpr double kSecondsPerHour = 3600.0;
constexpr double kSunriseAltitude = -0.833;  // upper limb, standard refraction
constexpr double kNone = NAN;                // an event that does not happen

struct MethodRule {
  double fajrDepression;
  double ishaDepression;     // 0: Isha a fixed time after Maghrib
  double maghribDepression;  // 0: Maghrib is sunset
  double ishaMinutesAfterMaghrib;
  bool midnightToFajr;  // the night ends at Fajr, not at sunrise
};

// In the order of PrayerMethod.
constexpr std::array<MethodRule, kPrayerMethodCount> kMethods = {{
    {17.7, 14.0, 4.5, 0.0, true},   // Tehran, Institute of Geophysics
    {16.0, 14.0, 4.0, 0.0, true},   // Jafari, Leva Institute, Qum
    {18.0, 17.0, 0.0, 0.0, false},  // Muslim World League
    {15.0, 15.0, 0.0, 0.0, false},  // ISNA
    {19.5, 17.5, 0.0, 0.0, false},  // Egypt
    {18.5, 0.0, 0.0, 90.0, false},  // Umm al-Qura
    {18.0, 18.0, 0.0, 0.0, false},  // Karachi
}};

double Sin(double degrees) { return std::sin(degrees * kDegree); }
double Cos(double degrees) { return std::cos(degrees * kDegree); }

// The sun at 00:00 UT of a day: the sine and cosine of its declination and
// the equation of time (minutes, apparent minus mean solar time).
struct SunNode {
  double sinDeclination;
  double cosDeclination;
  double equationOfTime;
};

SunNode SunAt(int32_t day) {
  const double t = (kJulianDayOfDayZero + day - 2451545.0) / 36525.0;  // centuries from J2000
  const double meanLongitude = 280.46646 + t * (36000.76983 + t * 0.0003032);
  const double anomaly = (357.52911 + t * (35999.05029 - t * 0.0001537)) * kDegree;
  const double sinAnomaly = std::sin(anomaly), cosAnomaly = std::cos(anomaly);
  const double centre = (1.914602 - t * (0.004817 + t * 0.000014)) * sinAnomaly +
                        (0.019993 - t * 0.000101) * 2 * sinAnomaly * cosAnomaly +
                        0.000289 * sinAnomaly * (3 - 4 * sinAnomaly * sinAnomaly);  // sin 2M, sin 3M
  const double node = (125.04 - 1934.136 * t) * kDegree;
  const double nutationInLongitude = -0.00478 * std::sin(node);
  const double longitude = (meanLongitude + centre - 0.00569 + nutationInLongitude) * kDegree;
  const double obliquity = (23.4392911 - 0.0130042 * t + 0.00256 * std::cos(node)) * kDegree;
  const double sinLongitude = std::sin(longitude), cosLongitude = std::cos(longitude);
  const double sinDeclination = std::sin(obliquity) * sinLongitude;
  const double rightAscension = std::atan2(std::cos(obliquity) * sinLongitude, cosLongitude) / kDegree;
  double equation = meanLongitude - 0.0057183 - rightAscension + nutationInLongitude * std::cos(obliquity);
  equation -= 360.0 * std::floor(equation / 360.0 + 0.5);
  return {sinDeclination, std::sqrt(1.0 - sinDeclination * sinDeclination), equation * 4.0};
}

// The sun over a run of days, interpolated (four-point Lagrange) between its
// positions at 00:00 UT every kNodeSpacing days: the declination and the
// equation of time change so smoothly that this stays within a
// ten-thousandth of a degree and a tenth of a second, for a fraction of the
// cost of computing the sun at every event.
class SunPath {
 public:
  // Covers from a day before `first` to two days after `last`.
  SunPath(int32_t first, int32_t last) : origin_(first - 2 * kNodeSpacing) {
    const int count = (last + 3 - origin_) / kNodeSpacing + 3;
    for (int i = 0; i < count && i < kMaxNodes; ++i) nodes_[i] = SunAt(origin_ + i * kNodeSpacing);
  }

  using Sun = SunNode;

  // The sun at `day` plus `hours` from its 00:00 UT, and how fast each of
  // its values changes there, per hour.
  struct SunAndRate {
    Sun sun;
    Sun perHour;
  };
  SunAndRate At(int32_t day, double hours) const {
    const double x = (day - origin_ + hours * (1.0 / 24)) * (1.0 / kNodeSpacing);
    int i = static_cast<int>(x) - 1;  // the nodes i..i+3 surround x
    if (i < 0) i = 0;
    if (i > kMaxNodes - 4) i = kMaxNodes - 4;
    const double u = x - i;  // 1..2 between the middle nodes
    // The Lagrange weights of the four nodes and their derivatives in u.
    const double a = u, b = u - 1, c = u - 2, d = u - 3;
    const double w[4] = {-b * c * d / 6, a * c * d / 2, -a * b * d / 2, a * b * c / 6};
    const double dw[4] = {-(c * d + b * d + b * c) / 6, (c * d + a * d + a * c) / 2,
                          -(b * d + a * d + a * b) / 2, (b * c + a * c + a * b) / 6};
    SunAndRate result{};
    for (int k = 0; k < 4; ++k) {
      const Sun& node = nodes_[i + k];
      result.sun.sinDeclination += w[k] * node.sinDeclination;
      result.sun.cosDeclination += w[k] * node.cosDeclination;
      result.sun.equationOfTime += w[k] * node.equationOfTime;
      result.perHour.sinDeclination += dw[k] * node.sinDeclination;
      result.perHour.cosDeclination += dw[k] * node.cosDeclination;
      result.perHour.equationOfTime += dw[k] * node.equationOfTime;
    }
    constexpr double kPerHour = 1.0 / (24.0 * kNodeSpacing);
    result.perHour.sinDeclination *= kPerHour;
    result.perHour.cosDeclination *= kPerHour;
    result.perHour.equationOfTime *= kPerHour;
    return result;
  }

  static constexpr int kMaxDays = 32;  // the longest run of days one path serves

 private:
  static constexpr int kNodeSpacing = 8;
  static constexpr int kMaxNodes = (kMaxDays + 3 + 4 * kNodeSpacing) / kNodeSpacing + 3;
  int32_t origin_;
  std::array<Sun, kMaxNodes> nodes_{};
};

enum class Side { kMorning, kEvening };

// One day's events in hours from its 00:00 UT; NaN for one that does not
// happen.
struct DayEvents {
  double transit, sunrise, sunset, fajr, maghrib, isha, asr;
};

class Sky {
 public:
  Sky(int32_t first, int32_t last, const Place& place, const MethodRule& rule, double shadowFactor)
      : sun_(first, last),
        longitude_(place.longitude),
        sinLatitude_(Sin(place.latitude)),
        cosLatitude_(Cos(place.latitude)),
        shadowFactor_(shadowFactor),
        sinSunrise_(Sin(kSunriseAltitude)),
        sinFajr_(Sin(-rule.fajrDepression)),
        sinMaghrib_(rule.maghribDepression == 0.0 ? kNone : Sin(-rule.maghribDepression)),
        sinIsha_(rule.ishaDepression == 0.0 ? kNone : Sin(-rule.ishaDepression)) {}

  // A day's events; `dayBefore`, when given, is the day before's, whose
  // times after the transit tell where to take the sun for this day's.
  DayEvents On(int32_t day, const DayEvents* dayBefore) const {
    // The transit from the equation of time at the mean noon: it changes by
    // at most half a second in the few minutes between the two. Within the
    // day the sun's values move along their rates at the transit: their
    // curvature adds less than a thousandth of a degree by nightfall.
    const double noon = 12.0 - longitude_ / 15.0;
    const SunPath::SunAndRate atTransit = sun_.At(day, noon);
    const double transit = noon - atTransit.sun.equationOfTime / 60.0;
    auto at = [&](Side side, double sinAltitude, double DayEvents::*event) {
      const double guess = dayBefore ? dayBefore->*event - dayBefore->transit : kNone;
      return std::isnan(sinAltitude) ? kNone : When(transit, atTransit, side, sinAltitude, guess);
    };
    DayEvents events{transit,
                     at(Side::kMorning, sinSunrise_, &DayEvents::sunrise),
                     at(Side::kEvening, sinSunrise_, &DayEvents::sunset),
                     at(Side::kMorning, sinFajr_, &DayEvents::fajr),
                     at(Side::kEvening, sinMaghrib_, &DayEvents::maghrib),
                     at(Side::kEvening, sinIsha_, &DayEvents::isha),
                     kNone};
    events.asr = Asr(transit, atTransit, dayBefore ? dayBefore->asr - dayBefore->transit : kNone);
    return events;
  }

 private:
  static constexpr double kHoursPerRadian = 12.0 / std::numbers::pi;

  // When the sun has an altitude on one side of the transit, `guess` hours
  // from it or so: the sun's declination is taken at that time. Without a
  // guess (NaN), the time found with the sun of the transit is the guess. A
  // guess a few minutes off changes the declination by a few ten-thousandths
  // of a degree.
  double When(double transit, const SunPath::SunAndRate& atTransit, Side side, double sinAltitude,
              double guess) const {
    const double sign = side == Side::kMorning ? -1.0 : 1.0;
    const SunPath::Sun& sun = atTransit.sun;
    const SunPath::Sun& rate = atTransit.perHour;
    // cos H = (sin h - sin φ sin δ) / (cos φ cos δ)
    auto hourAngle = [&](double offset) {
      const double cosine = (sinAltitude - sinLatitude_ * (sun.sinDeclination + rate.sinDeclination * offset)) /
                            (cosLatitude_ * (sun.cosDeclination + rate.cosDeclination * offset));
      return std::fabs(cosine) <= 1.0 ? std::acos(cosine) : kNone;
    };
    if (std::isnan(guess)) guess = sign * hourAngle(0.0) * kHoursPerRadian;
    if (std::isnan(guess)) guess = sign * 6.0;  // the sun gets there only later in the day
    const double angle = hourAngle(guess);
    if (std::isnan(angle)) return kNone;
    // The meridian is crossed at the transit corrected for the equation of
    // time since then.
    return transit - rate.equationOfTime * guess * (1.0 / 60) + sign * angle * kHoursPerRadian;
  }

  // Asr: a shadow `shadowFactor` times an object's height longer than its
  // shadow at noon; none when the sun stays below the horizon at noon.
  double Asr(double transit, const SunPath::SunAndRate& atTransit, double guess) const {
    // The noon zenith distance |latitude - declination|, by its cosine and sine.
    const SunPath::Sun& sun = atTransit.sun;
    const double cosZenith = cosLatitude_ * sun.cosDeclination + sinLatitude_ * sun.sinDeclination;
    if (cosZenith <= 0.0) return kNone;
    const double sinZenith = std::fabs(sinLatitude_ * sun.cosDeclination - cosLatitude_ * sun.sinDeclination);
    // The altitude whose cotangent is shadowFactor + tan(zenith), by its sine.
    const double cotangent = shadowFactor_ + sinZenith / cosZenith;
    return When(transit, atTransit, Side::kEvening, 1.0 / std::sqrt(1.0 + cotangent * cotangent), guess);
  }

  SunPath sun_;
  double longitude_;
  double sinLatitude_;
  double cosLatitude_;
  double shadowFactor_;
  // The sines of the altitudes sought; NaN for a time the method sets
  // otherwise.
  double sinSunrise_, sinFajr_, sinMaghrib_, sinIsha_;
};

double Midway(double a, double b) { return (a + b) / 2; }  // NaN when either is

// Fajr no earlier than the middle of the night before, Isha and Maghrib no
// later than the middle of the night after; the angle's own time where there
// is no such middle, nothing when neither exists.
double NoEarlierThan(double time, double limit) {
  if (std::isnan(limit)) return time;
  return std::isnan(time) || time < limit ? limit : time;
}
double NoLaterThan(double time, double limit) {
  if (std::isnan(limit)) return time;
  return std::isnan(time) || time > limit ? limit : time;
}

int64_t Moment(int32_t day, double hours) {
  if (std::isnan(hours)) return kNoTime;
  // Rounded to the nearest second; hours are above -72, so the shifted
  // value truncates as it rounds down.
  constexpr double kShift = 3 * 86400;
  return UnixSecondsOfDay(day) + static_cast<int64_t>(hours * kSecondsPerHour + kShift + 0.5) -
         static_cast<int64_t>(kShift);
}

// A day's times from its own events and those of the days before and after
// (their hours shifted to count from this day's 00:00 UT).
PrayerTimes Assemble(int32_t day, const DayEvents& before, const DayEvents& today, const DayEvents& after,
                     const MethodRule& rule) {
  const double nightBefore = Midway(before.sunset - 24.0, today.sunrise);
  const double nightAfter = Midway(today.sunset, after.sunrise + 24.0);
  const double fajr = NoEarlierThan(today.fajr, nightBefore);
  const double maghrib =
      rule.maghribDepression == 0.0 ? today.sunset : NoLaterThan(today.maghrib, nightAfter);
  const double isha = NoLaterThan(
      rule.ishaDepression == 0.0 ? maghrib + rule.ishaMinutesAfterMaghrib / 60.0 : today.isha, nightAfter);
  const double nightEnd =
      rule.midnightToFajr ? NoEarlierThan(after.fajr + 24.0, nightAfter) : after.sunrise + 24.0;
  return {Moment(day, fajr),          Moment(day, today.sunrise), Moment(day, today.transit),
          Moment(day, today.asr),     Moment(day, today.sunset),  Moment(day, maghrib),
          Moment(day, isha),          Moment(day, Midway(today.sunset, nightEnd))};
}

}  // namespace

int64_t UnixSecondsOfDay(int32_t day) {
  return (static_cast<int64_t>(day) - kUnixEpochDay) * 86400;
}

int64_t ShownMinute(int64_t moment) {
  if (moment == kNoTime) return kNoTime;
  const int64_t shifted = moment + 30;
  return shifted - ((shifted % 60) + 60) % 60;
}

void PrayerTimesOfDays(int32_t first, std::span<PrayerTimes> days, const Place& place,
                       const PrayerSettings& settings) {
  const MethodRule& rule = kMethods[static_cast<std::size_t>(settings.method)];
  const double shadowFactor = settings.asr == AsrShadow::kHanafi ? 2.0 : 1.0;
  for (std::size_t done = 0; done < days.size(); done += SunPath::kMaxDays) {
    const auto count = static_cast<int32_t>(std::min<std::size_t>(SunPath::kMaxDays, days.size() - done));
    const int32_t start = first + static_cast<int32_t>(done);
    const Sky sky(start, start + count - 1, place, rule, shadowFactor);
    DayEvents before = sky.On(start - 1, nullptr);
    DayEvents today = sky.On(start, &before);
    for (int32_t i = 0; i < count; ++i) {
      const DayEvents after = sky.On(start + i + 1, &today);
      days[done + i] = Assemble(start + i, before, today, after, rule);
      before = today;
      today = after;
    }
  }
}

PrayerTimes PrayerTimesOn(int32_t day, const Place& place, const PrayerSettings& settings) {
  PrayerTimes times;
  PrayerTimesOfDays(day, {&times, 1}, place, settings);
  return times;
}

}  // namespace tavilo
