// Holds the Wine desktop open for a whole test session.
//
// Wine closes its desktop process one second after the last program using it
// ends, and the next program that opens a window starts a new one. That
// desktop process inherits the test's output pipe, so every test would wait
// a second for it (and forever if this keeper attached to it meanwhile).
// This program attaches to the desktop, says "ready" once the desktop
// exists, and stays until the session ends it.
#include <windows.h>

#include <cstdio>

int main() {
  GetDesktopWindow();  // starts the desktop process if there is none yet
  std::puts("ready");
  std::fflush(stdout);
  Sleep(INFINITE);
  return 0;
}
