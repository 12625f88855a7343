#include "tools/logic/NumericInput.h"

#include <cmath>

namespace tavilo {

std::optional<std::int16_t> RoundToInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  // Exact for every double: value - floor(value) loses no bits.
  const double below = std::floor(value);
  const double fraction = value - below;
  double rounded = below;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(below, 2.0) != 0.0)) rounded = below + 1;
  if (rounded < INT16_MIN || rounded > INT16_MAX) return std::nullopt;
  return static_cast<std::int16_t>(rounded);
}

}  // namespace tavilo
