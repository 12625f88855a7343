// When the local date changes next: what keeps every shown date current.
#pragma once

#include <cstdint>

namespace tavilo {

// Milliseconds from the date value `now` to the next local midnight, 1 to
// 86 400 000, to the nearest millisecond: a timer that fires a moment early
// finds the old date still current and is simply aimed again.
uint32_t MillisecondsToNextMidnight(double now);

}  // namespace tavilo
