#include "calendar/MoonLongitude.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace tavilo {
namespace {

constexpr double kDegree = std::numbers::pi / 180.0;
constexpr double kJ2000 = 2451545.0;
constexpr double kDaysPerCentury = 36525.0;

// One periodic term of the longitude: the multiples of the mean elongation
// D, the Sun's mean anomaly M, the Moon's mean anomaly M′ and its argument
// of latitude F, and the coefficient in millionths of a degree.
struct LongitudeTerm {
  std::int8_t d, m, mPrime, f;
  std::int32_t coefficient;
};

// Meeus' table 47.A, the longitude column, in its order (its 60th row has
// a distance term only).
constexpr LongitudeTerm kTerms[] = {
    {0, 0, 1, 0, 6288774},  {2, 0, -1, 0, 1274027}, {2, 0, 0, 0, 658314},   {0, 0, 2, 0, 213618},
    {0, 1, 0, 0, -185116},  {0, 0, 0, 2, -114332},  {2, 0, -2, 0, 58793},   {2, -1, -1, 0, 57066},
    {2, 0, 1, 0, 53322},    {2, -1, 0, 0, 45758},   {0, 1, -1, 0, -40923},  {1, 0, 0, 0, -34720},
    {0, 1, 1, 0, -30383},   {2, 0, 0, -2, 15327},   {0, 0, 1, 2, -12528},   {0, 0, 1, -2, 10980},
    {4, 0, -1, 0, 10675},   {0, 0, 3, 0, 10034},    {4, 0, -2, 0, 8548},    {2, 1, -1, 0, -7888},
    {2, 1, 0, 0, -6766},    {1, 0, -1, 0, -5163},   {1, 1, 0, 0, 4987},     {2, -1, 1, 0, 4036},
    {2, 0, 2, 0, 3994},     {4, 0, 0, 0, 3861},     {2, 0, -3, 0, 3665},    {0, 1, -2, 0, -2689},
    {2, 0, -1, 2, -2602},   {2, -1, -2, 0, 2390},   {1, 0, 1, 0, -2348},    {2, -2, 0, 0, 2236},
    {0, 1, 2, 0, -2120},    {0, 2, 0, 0, -2069},    {2, -2, -1, 0, 2048},   {2, 0, 1, -2, -1773},
    {2, 0, 0, 2, -1595},    {4, -1, -1, 0, 1215},   {0, 0, 2, 2, -1110},    {3, 0, -1, 0, -892},
    {2, 1, 1, 0, -810},     {4, -1, -2, 0, 759},    {0, 2, -1, 0, -713},    {2, 2, -1, 0, -700},
    {2, 1, -2, 0, 691},     {2, -1, 0, -2, 596},    {4, 0, 1, 0, 549},      {0, 0, 4, 0, 537},
    {4, -1, 0, 0, 520},     {1, 0, -2, 0, -487},    {2, 1, 0, -2, -399},    {0, 0, 2, -2, -381},
    {1, 1, 1, 0, 351},      {3, 0, -2, 0, -340},    {4, 0, -3, 0, 330},     {2, -1, 2, 0, 327},
    {0, 2, 1, 0, -323},     {1, 1, -1, 0, 299},     {2, 0, 3, 0, 294},
};

double Polynomial(double t, double c0, double c1, double c2, double c3 = 0, double c4 = 0) {
  return c0 + t * (c1 + t * (c2 + t * (c3 + t * c4)));
}

// Nutation in longitude, degrees (Meeus 22, to 0.5″).
double NutationInLongitude(double t) {
  const double node = (125.04452 - 1934.136261 * t) * kDegree;
  const double sunMean = (280.4665 + 36000.7698 * t) * kDegree;
  const double moonMean = (218.3165 + 481267.8813 * t) * kDegree;
  return (-17.20 * std::sin(node) - 1.32 * std::sin(2 * sunMean) - 0.23 * std::sin(2 * moonMean) +
          0.21 * std::sin(2 * node)) /
         3600.0;
}

}  // namespace

double DeltaTSeconds(double julianDayUT) {
  const double y = 2000.0 + (julianDayUT - kJ2000) / 365.25;
  if (y >= 1900 && y < 1920) return Polynomial(y - 1900, -2.79, 1.494119, -0.0598939, 0.0061966, -0.000197);
  if (y >= 1920 && y < 1941) return Polynomial(y - 1920, 21.20, 0.84493, -0.076100, 0.0020936);
  if (y >= 1941 && y < 1961) return Polynomial(y - 1950, 29.07, 0.407, -1 / 233.0, 1 / 2547.0);
  if (y >= 1961 && y < 1986) return Polynomial(y - 1975, 45.45, 1.067, -1 / 260.0, -1 / 718.0);
  if (y >= 1986 && y < 2005) {
    const double t = y - 2000;
    return Polynomial(t, 63.86, 0.3345, -0.060374, 0.0017275, 0.000651814) + 0.00002373599 * t * t * t * t * t;
  }
  if (y >= 2005 && y < 2050) return Polynomial(y - 2000, 62.92, 0.32217, 0.005589);
  const double u = (y - 1820) / 100;
  if (y >= 2050 && y < 2150) return -20 + 32 * u * u - 0.5628 * (2150 - y);
  return -20 + 32 * u * u;
}

double MoonUnwrappedLongitude(double julianDayUT) {
  const double t = (julianDayUT + DeltaTSeconds(julianDayUT) / 86400.0 - kJ2000) / kDaysPerCentury;
  // Mean elements (Meeus 47.1 to 47.5), degrees; the mean longitude is left
  // unreduced so that the sum grows steadily with time.
  const double meanLongitude = Polynomial(t, 218.3164477, 481267.88123421, -0.0015786, 1 / 538841.0, -1 / 65194000.0);
  const double d = Polynomial(t, 297.8501921, 445267.1114034, -0.0018819, 1 / 545868.0, -1 / 113065000.0) * kDegree;
  const double m = Polynomial(t, 357.5291092, 35999.0502909, -0.0001536, 1 / 24490000.0) * kDegree;
  const double mPrime = Polynomial(t, 134.9633964, 477198.8675055, 0.0087414, 1 / 69699.0, -1 / 14712000.0) * kDegree;
  const double f = Polynomial(t, 93.2720950, 483202.0175233, -0.0036539, -1 / 3526000.0, 1 / 863310000.0) * kDegree;
  const double a1 = (119.75 + 131.849 * t) * kDegree;
  const double a2 = (53.09 + 479264.290 * t) * kDegree;
  // Terms with the Sun's anomaly shrink with the Earth's orbital eccentricity.
  const double e = 1 - t * (0.002516 + t * 0.0000074);
  const double eFactor[] = {1, e, e * e};
  double sum = 0;
  for (const LongitudeTerm& term : kTerms) {
    const double argument = term.d * d + term.m * m + term.mPrime * mPrime + term.f * f;
    sum += term.coefficient * eFactor[term.m < 0 ? -term.m : term.m] * std::sin(argument);
  }
  sum += 3958 * std::sin(a1) + 1962 * std::sin(meanLongitude * kDegree - f) + 318 * std::sin(a2);
  return meanLongitude + sum / 1e6 + NutationInLongitude(t);
}

double MoonApparentLongitudeDegrees(double julianDayUT) {
  const double longitude = std::fmod(MoonUnwrappedLongitude(julianDayUT), 360.0);
  return longitude < 0 ? longitude + 360.0 : longitude;
}

}  // namespace tavilo
