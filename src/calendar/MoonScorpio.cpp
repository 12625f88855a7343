#include "calendar/MoonScorpio.h"

#include <algorithm>
#include <cmath>

#include "calendar/Numbers.h"
#include "calendar/PrayerTimes.h"
#include "calendar/ShamsiArithmetic.h"
#include "calendar/ZoneTime.h"

namespace tavilo {
namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kJulianDayOfUnixEpoch = 2440587.5;
constexpr double kScorpioStart = 210.0;
constexpr double kSignWidth = 30.0;
// Degrees a day: the Moon's mean motion, and bounds on its true motion (it
// keeps between about 11.8 and 15.4), which make sure brackets hold a root.
constexpr double kMeanMotion = 13.176;
constexpr double kMeanSecondsPerDegree = kSecondsPerDay / kMeanMotion;
constexpr double kSlowest = 11.0;
constexpr double kFastest = 16.5;
constexpr double kPrecisionSeconds = 0.5;

const int64_t kFirstMoment = UnixSecondsOfDay(static_cast<int32_t>(kMinDateValue));
const int64_t kLastMoment = UnixSecondsOfDay(static_cast<int32_t>(kMaxDateValue) + 1);

double LongitudeAt(double unixSeconds) {
  return MoonUnwrappedLongitude(kJulianDayOfUnixEpoch + unixSeconds / kSecondsPerDay);
}

// The moment the unwrapped longitude reaches `target`, from a guess: secant
// steps kept inside a bracket that the bounds on the Moon's speed give from
// every evaluation, halving the bracket when a step would leave it.
double MomentOfLongitude(double target, double guess) {
  double lo = -INFINITY, hi = INFINITY;
  double x = guess, fx = LongitudeAt(x) - target;
  double previous = NAN, fPrevious = NAN;
  for (int step = 0; step < 60; ++step) {
    // f degrees short of the target (or past it, f < 0), the root is
    // between f/fastest and f/slowest days away.
    const double bySlowest = x - fx / kSlowest * kSecondsPerDay;
    const double byFastest = x - fx / kFastest * kSecondsPerDay;
    lo = std::max(lo, std::min(bySlowest, byFastest));
    hi = std::min(hi, std::max(bySlowest, byFastest));
    if (hi - lo < kPrecisionSeconds) break;
    double next = std::isnan(previous) || fx == fPrevious
                      ? x - fx * kMeanSecondsPerDegree
                      : x - fx * (x - previous) / (fx - fPrevious);
    if (!(next > lo && next < hi)) next = (lo + hi) / 2;
    if (std::abs(next - x) < kPrecisionSeconds / 4) return next;
    previous = x;
    fPrevious = fx;
    x = next;
    fx = LongitudeAt(x) - target;
  }
  return (lo + hi) / 2;
}

int64_t NearestMinute(double unixSeconds) {
  return static_cast<int64_t>(std::floor(unixSeconds / 60.0 + 0.5)) * 60;
}

// "hh:mm" of a moment on Iran's clock.
std::wstring IranClockText(int64_t utc, bool persianDigits) {
  const int64_t local = IranTimeFromUtc(utc);
  const int64_t minuteOfDay = ((local % 86400) + 86400) % 86400 / 60;
  const int digits[] = {static_cast<int>(minuteOfDay / 600), static_cast<int>(minuteOfDay / 60 % 10),
                        static_cast<int>(minuteOfDay % 60 / 10), static_cast<int>(minuteOfDay % 10)};
  const wchar_t zero = persianDigits ? L'\x06F0' : L'0';
  std::wstring text;
  for (int i = 0; i < 4; ++i) {
    if (i == 2) text += L':';
    text += static_cast<wchar_t>(zero + digits[i]);
  }
  return text;
}

}  // namespace

std::vector<MoonScorpioPeriod> MoonInScorpioPeriods(int64_t fromUnixSeconds, int64_t toUnixSeconds) {
  const int64_t from = std::max(fromUnixSeconds, kFirstMoment);
  const int64_t to = std::min(toUnixSeconds, kLastMoment);
  std::vector<MoonScorpioPeriod> periods;
  if (from >= to) return periods;
  // Begin with the last entry into Scorpio at or before `from`.
  const double longitude = LongitudeAt(static_cast<double>(from));
  double entryLongitude = kScorpioStart + 360.0 * std::floor((longitude - kScorpioStart) / 360.0);
  double guess = static_cast<double>(from) - (longitude - entryLongitude) * kMeanSecondsPerDegree;
  for (;;) {
    const double enter = MomentOfLongitude(entryLongitude, guess);
    const int64_t enterMinute = NearestMinute(enter);
    if (enterMinute >= to) break;
    const double leave = MomentOfLongitude(entryLongitude + kSignWidth, enter + kSignWidth * kMeanSecondsPerDegree);
    const int64_t leaveMinute = NearestMinute(leave);
    if (leaveMinute > from) periods.push_back({enterMinute, leaveMinute});
    entryLongitude += 360.0;
    guess = leave + (360.0 - kSignWidth) * kMeanSecondsPerDegree;
  }
  return periods;
}

std::wstring MoonInScorpioDayText(int shamsiYear, int shamsiMonth, int shamsiDay, bool persianDigits,
                                  bool withIranTimeNote) {
  // Shamsi -522 to 9378 hold the date range; outside, the day arithmetic would overflow.
  if (shamsiYear < -522 || shamsiYear > 9378 || shamsiMonth < 1 || shamsiMonth > 12 || shamsiDay < 1 ||
      shamsiDay > MonthLength(shamsiYear, shamsiMonth)) {
    return {};
  }
  const int32_t day = DayFromShamsi({shamsiYear, shamsiMonth, shamsiDay});
  if (day < kMinDateValue || day > kMaxDateValue) return {};
  const int64_t dayStart = IranDayStartUtc(day);
  const int64_t dayEnd = IranDayStartUtc(day + 1);
  std::wstring text;
  for (const MoonScorpioPeriod& period : MoonInScorpioPeriods(dayStart, dayEnd)) {
    text += text.empty() ? L"قمر در عقرب از " : L" و از ";
    const bool fromStart = period.enterUnixSeconds <= dayStart;
    const bool toEnd = period.leaveUnixSeconds >= dayEnd;
    if (fromStart && toEnd) {
      text += L"آغاز تا پایان روز";
      continue;
    }
    text += fromStart ? L"آغاز روز" : IranClockText(period.enterUnixSeconds, persianDigits);
    text += L" تا ";
    text += toEnd ? L"پایان روز" : IranClockText(period.leaveUnixSeconds, persianDigits);
  }
  if (!text.empty() && withIranTimeNote) text += L" به وقت ایران";
  return text;
}

}  // namespace tavilo
