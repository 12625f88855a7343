// Prints the screen rectangle of the first visible top-level window of a
// window class, as "left top right bottom"; exits with 1 when there is none.
// The end-to-end script runs it beside the program in the same Wine session.
//   e2e_window_probe <class name>
#include <windows.h>

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: e2e_window_probe <class name>\n");
    return 2;
  }
  const std::string name = argv[1];
  const std::wstring className(name.begin(), name.end());
  for (HWND window = FindWindowExW(nullptr, nullptr, className.c_str(), nullptr); window;
       window = FindWindowExW(nullptr, window, className.c_str(), nullptr)) {
    if (!IsWindowVisible(window)) continue;
    RECT rect;
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
    return 0;
  }
  return 1;
}
