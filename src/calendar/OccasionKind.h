// The kinds of occasion the official calendar lists, which a user may hide
// one by one (holidays always show).
#pragma once

namespace tavilo {

enum class OccasionKind { kNational, kReligious, kInternational, kAncient };
inline constexpr int kOccasionKindCount = 4;

// The bit of a kind in a set of kinds.
constexpr unsigned KindBit(OccasionKind kind) { return 1u << static_cast<unsigned>(kind); }

}  // namespace tavilo
