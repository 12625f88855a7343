// Iran's public holidays and a few widely kept occasions
// (data/iran-holidays.txt, compiled in through OccasionTable.generated.h):
// solar ones fall on a Solar Hijri month and day, lunar ones on a day of the
// official lunar calendar (Qamari.h), and move with its correction. One that
// a law or decree brought in is there from the Shamsi year it was first kept;
// religious and ancient ones are there in every year.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavilo {

struct Occasion {
  std::wstring name;
  bool dayOff;  // a public holiday, rather than an occasion on a working day
  bool estimated = false;  // on an estimated lunar date (Qamari.h)

  bool operator==(const Occasion&) const = default;
};

// The occasions of a day (a day number within the date range, 1 January 100
// to 31 December 9999): the solar ones first, then the lunar ones (none
// before the Hijra), each in the data file's order; empty, and nothing
// allocated, when there are none.
std::vector<Occasion> OccasionsOn(int32_t day, int correctionDays = 0);

// Whether a day is a Friday or has an occasion that is a day off.
bool IsDayOff(int32_t day, int correctionDays = 0);

}  // namespace tavilo
