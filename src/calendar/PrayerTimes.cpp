#include "calendar/PrayerTimes.h"

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

// The sun at 00:00 UT of a day: its declination (degrees) and the equation of
// time (minutes, apparent minus mean solar time).
struct SunNode {
  double declination;
  double equationOfTime;
};

SunNode SunAt(int32_t day) {
  const double t = (kJulianDayOfDayZero + day - 2451545.0) / 36525.0;  // centuries from J2000
  const double meanLongitude = 280.46646 + t * (36000.76983 + t * 0.0003032);
  const double anomaly = 357.52911 + t * (35999.05029 - t * 0.0001537);
  const double centre = (1.914602 - t * (0.004817 + t * 0.000014)) * Sin(anomaly) +
                        (0.019993 - t * 0.000101) * Sin(2 * anomaly) + 0.000289 * Sin(3 * anomaly);
  const double node = 125.04 - 1934.136 * t;
  const double nutationInLongitude = -0.00478 * Sin(node);
  const double longitude = meanLongitude + centre - 0.00569 + nutationInLongitude;
  const double obliquity = 23.4392911 - 0.0130042 * t + 0.00256 * Cos(node);
  const double declination = std::asin(Sin(obliquity) * Sin(longitude)) / kDegree;
  const double rightAscension =
      std::atan2(Cos(obliquity) * Sin(longitude), Cos(longitude)) / kDegree;
  double equation = meanLongitude - 0.0057183 - rightAscension + nutationInLongitude * Cos(obliquity);
  equation = std::remainder(equation, 360.0);
  return {declination, equation * 4.0};
}

// The sun over the days around one day, interpolated between its positions
// at 00:00 UT: an event's time depends on the sun at that time, not at noon.
class SunPath {
 public:
  explicit SunPath(int32_t day) : first_(day - kBefore) {
    for (int i = 0; i < kNodes; ++i) nodes_[i] = SunAt(first_ + i);
  }

  // Hours are counted from 00:00 UT of `day`, and may run from a day before
  // it to two days after.
  SunNode At(double hours) const {
    const double offset = hours / 24.0 + kBefore;
    int centre = static_cast<int>(std::lround(offset));
    if (centre < 1) centre = 1;
    if (centre > kNodes - 2) centre = kNodes - 2;
    const double n = offset - centre;  // -0.5..0.5 between the nodes
    const SunNode& a = nodes_[centre - 1];
    const SunNode& b = nodes_[centre];
    const SunNode& c = nodes_[centre + 1];
    auto quadratic = [n](double ya, double yb, double yc) {
      return yb + n / 2 * ((yc - ya) + n * (yc - 2 * yb + ya));
    };
    return {quadratic(a.declination, b.declination, c.declination),
            quadratic(a.equationOfTime, b.equationOfTime, c.equationOfTime)};
  }

 private:
  static constexpr int kBefore = 2;
  static constexpr int kNodes = 6;
  int32_t first_;
  std::array<SunNode, kNodes> nodes_{};
};

enum class Side { kMorning, kEvening };

class DaySky {
 public:
  DaySky(int32_t day, const Place& place) : sun_(day), place_(place) {}

  // The sun's transit nearest noon of the `dayOffset`th day from `day`, in
  // hours from 00:00 UT of `day`.
  double Transit(int dayOffset) const {
    double hours = 24.0 * dayOffset + 12.0 - place_.longitude / 15.0;
    for (int i = 0; i < 2; ++i) {
      hours = 24.0 * dayOffset + 12.0 - place_.longitude / 15.0 - sun_.At(hours).equationOfTime / 60.0;
    }
    return hours;
  }

  // When the sun's centre is at an altitude on one side of a transit; NaN
  // when it never gets there that day.
  double AtAltitude(double transit, Side side, double altitude) const {
    const double sign = side == Side::kMorning ? -1.0 : 1.0;
    const double transitEquation = sun_.At(transit).equationOfTime;
    double hours = transit + sign * 6.0;
    for (int i = 0; i < 3; ++i) {
      const SunNode sun = sun_.At(hours);
      const double cosine = (Sin(altitude) - Sin(place_.latitude) * Sin(sun.declination)) /
                            (Cos(place_.latitude) * Cos(sun.declination));
      if (!(std::fabs(cosine) <= 1.0)) return kNone;
      const double hourAngle = std::acos(cosine) / kDegree;
      // The hour angle counts from the meridian, which the sun crosses at
      // the transit's time corrected for the equation of time since then.
      hours = transit + (transitEquation - sun.equationOfTime) / 60.0 + sign * hourAngle / 15.0;
    }
    return hours;
  }

  // Asr: a shadow `shadowFactor` times an object's height longer than its
  // shadow at noon; none when the sun stays below the horizon at noon.
  double AsrTime(double transit, double shadowFactor) const {
    const double noonZenith = std::fabs(place_.latitude - sun_.At(transit).declination);
    if (noonZenith >= 90.0) return kNone;
    const double noonShadow = std::tan(noonZenith * kDegree);
    const double altitude = std::atan(1.0 / (shadowFactor + noonShadow)) / kDegree;
    return AtAltitude(transit, Side::kEvening, altitude);
  }

 private:
  SunPath sun_;
  Place place_;
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
  return UnixSecondsOfDay(day) + std::llround(hours * kSecondsPerHour);
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

PrayerTimes PrayerTimesOn(int32_t day, const Place& place, const PrayerSettings& settings) {
  const MethodRule& rule = kMethods[static_cast<std::size_t>(settings.method)];
  const DaySky sky(day, place);
  const double transits[] = {sky.Transit(-1), sky.Transit(0), sky.Transit(1)};
  const double sunsetBefore = sky.AtAltitude(transits[0], Side::kEvening, kSunriseAltitude);
  const double sunrise = sky.AtAltitude(transits[1], Side::kMorning, kSunriseAltitude);
  const double sunset = sky.AtAltitude(transits[1], Side::kEvening, kSunriseAltitude);
  const double nextSunrise = sky.AtAltitude(transits[2], Side::kMorning, kSunriseAltitude);
  const double nightBefore = Midway(sunsetBefore, sunrise);
  const double nightAfter = Midway(sunset, nextSunrise);

  const double fajr = NoEarlierThan(
      sky.AtAltitude(transits[1], Side::kMorning, -rule.fajrDepression), nightBefore);
  const double maghrib =
      rule.maghribDepression == 0.0
          ? sunset
          : NoLaterThan(sky.AtAltitude(transits[1], Side::kEvening, -rule.maghribDepression),
                        nightAfter);
  const double isha =
      rule.ishaDepression == 0.0
          ? NoLaterThan(maghrib + rule.ishaMinutesAfterMaghrib / 60.0, nightAfter)
          : NoLaterThan(sky.AtAltitude(transits[1], Side::kEvening, -rule.ishaDepression),
                        nightAfter);
  double nightEnd = nextSunrise;
  if (rule.midnightToFajr) {
    nightEnd = NoEarlierThan(sky.AtAltitude(transits[2], Side::kMorning, -rule.fajrDepression),
                             nightAfter);
  }
  const double shadowFactor = settings.asr == AsrShadow::kHanafi ? 2.0 : 1.0;

  return {Moment(day, fajr),
          Moment(day, sunrise),
          Moment(day, transits[1]),
          Moment(day, sky.AsrTime(transits[1], shadowFactor)),
          Moment(day, sunset),
          Moment(day, maghrib),
          Moment(day, isha),
          Moment(day, Midway(sunset, nightEnd))};
}

}  // namespace tavilo
