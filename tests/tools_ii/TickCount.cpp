// Prints Windows' millisecond tick count, the clock the running time is made
// from, so that an end-to-end script can pick a target in that time base.
#include <windows.h>

#include <cstdio>

int main() {
  std::printf("%llu\n", static_cast<unsigned long long>(GetTickCount64()));
  return 0;
}
