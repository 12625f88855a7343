// Holds the Wine desktop open for a whole test session.
//
// Wine closes its desktop process one second after the last program using it
// ends, and the next program that opens a window starts a new one. That
// desktop process inherits the test's output pipe, so every test would wait
// a second for it. This program does nothing but stay attached to the
// desktop until the session ends it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  GetDesktopWindow();  // attaches this process to the desktop
  Sleep(INFINITE);
  return 0;
}
