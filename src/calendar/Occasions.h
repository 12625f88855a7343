// Iran's official calendar: its public holidays and the occasions of its days
// (data/iran-holidays.txt, compiled in through OccasionTable.generated.h):
// solar ones fall on a Solar Hijri month and day, lunar ones on a day of the
// official lunar calendar (Qamari.h), and move with its correction;
// international ones on their Gregorian date. One that a law or decree
// brought in is there from the Shamsi year it was first kept; religious and
// ancient ones are there in every year.
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <optional>
#include <vector>

#include "calendar/OccasionKind.h"

namespace tavilo {

struct Occasion {
  std::wstring name;
  bool dayOff;  // a public holiday, rather than an occasion on a working day
  bool estimated = false;  // on an estimated lunar date (Qamari.h)
  OccasionKind kind = OccasionKind::kNational;

  bool operator==(const Occasion&) const = default;
};

// The occasions of a day (a day number within the date range, 1 January 100
// to 31 December 9999): the solar ones first, then the lunar ones (none
// before the Hijra), then the Gregorian ones, each in the data file's order;
// empty, and nothing allocated, when there are none. Occasions of a hidden
// kind are left out unless they are days off.
std::vector<Occasion> OccasionsOn(int32_t day, int correctionDays = 0);

// Whether a day is a Friday or has an occasion that is a day off.
bool IsDayOff(int32_t day, int correctionDays = 0);

// The kinds OccasionsOn leaves out (KindBit of each), none at first. Call it
// on the thread that shows dates.
void HideOccasionKinds(unsigned kinds);

// --- Holidays announced after the compiled list ---
// One line of a user's iran-holidays.txt (CalendarDataText.h reads it).
inline constexpr int kLastDayOfLunarMonth = 0;
inline constexpr int kKeptAlways = INT_MIN;  // an occasion older than any law naming it
enum class OccasionCalendar { kShamsi, kQamari, kGregorian };
struct HolidayLine {
  OccasionCalendar calendar;
  int month;
  int day;  // or kLastDayOfLunarMonth
  bool dayOff;
  int firstYear;  // the first Shamsi year it was kept, or kKeptAlways
  std::wstring name;
  // Nothing for a line of the older five fields: the compiled occasion's
  // kind, or national on a solar date, religious on a lunar one and
  // international on a Gregorian one.
  std::optional<OccasionKind> kind;

  bool operator==(const HolidayLine&) const = default;
};

// Puts a user's holiday list in force over the compiled one: a line with the
// calendar, month, day and name (or former name) of a compiled occasion
// replaces it (whether it is a day off, since when it is kept, its kind when
// the line gives one); every other line is added after the compiled ones, in
// its order. An empty list brings back the compiled
// list alone. Call it on the thread that shows dates.
void UseAnnouncedOccasions(std::vector<HolidayLine> lines);

}  // namespace tavilo
