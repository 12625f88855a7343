// Prints MoonInScorpioPeriods(from, to) for the Unix seconds given as
// arguments, one "enter leave" pair a line, for the comparison with an
// independent implementation (moon-scorpio-vs-astronomy-engine.mjs).
#include <cstdio>
#include <cstdlib>

#include "calendar/MoonScorpio.h"

int main(int argc, char** argv) {
  if (argc != 3) return 2;
  for (const tavilo::MoonScorpioPeriod& p :
       tavilo::MoonInScorpioPeriods(std::strtoll(argv[1], nullptr, 10), std::strtoll(argv[2], nullptr, 10))) {
    std::printf("%lld %lld\n", static_cast<long long>(p.enterUnixSeconds), static_cast<long long>(p.leaveUnixSeconds));
  }
  return 0;
}
