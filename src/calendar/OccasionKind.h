// The kinds of occasion the official calendar lists, which a user may hide
// one by one (holidays always show).
#pragma once

#include <string_view>

namespace tavilo {

enum class OccasionKind { kNational, kReligious, kInternational, kAncient };
inline constexpr int kOccasionKindCount = 4;

// The bit of a kind in a set of kinds.
constexpr unsigned KindBit(OccasionKind kind) { return 1u << static_cast<unsigned>(kind); }

// Its Persian name: "ملی", "مذهبی", "بین‌المللی", "باستانی".
constexpr std::wstring_view OccasionKindName(OccasionKind kind) {
  switch (kind) {
    case OccasionKind::kNational: return L"ملی";
    case OccasionKind::kReligious: return L"مذهبی";
    case OccasionKind::kInternational: return L"بین\u200Cالمللی";
    case OccasionKind::kAncient: return L"باستانی";
  }
  return {};
}

}  // namespace tavilo
