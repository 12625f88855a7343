// "enter leave" lines of MoonInScorpioPeriods(argv[1], argv[2]) for moon-scorpio-vs-astronomy-engine.mjs.
#include <cstdio>
#include <cstdlib>

#include "calendar/MoonScorpio.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  for (const auto& p : tavilo::MoonInScorpioPeriods(std::atoll(argv[1]), std::atoll(argv[2])))
    std::printf("%lld %lld\n", static_cast<long long>(p.enterUnixSeconds), static_cast<long long>(p.leaveUnixSeconds));
  return 0;
}
