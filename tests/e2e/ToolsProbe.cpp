// Looks at the program's windows from beside it in the same Wine session,
// for the end-to-end script of the tool windows.
//   e2e_tools_probe rects <class>   every visible top-level window of the
//                                   class, one "left top right bottom" a line
//   e2e_tools_probe watch <class>   follows the first visible one until it is
//                                   gone: each new position as a line, then
//                                   "gone"; exits 1 when there was none or it
//                                   was still there after 60 s
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HWND FindVisible(const std::wstring& className, HWND after = nullptr) {
  for (HWND window = FindWindowExW(nullptr, after, className.c_str(), nullptr); window;
       window = FindWindowExW(nullptr, window, className.c_str(), nullptr)) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

void Print(const RECT& rect) {
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  std::fflush(stdout);
}

int Rects(const std::wstring& className) {
  int count = 0;
  for (HWND window = FindVisible(className); window; window = FindVisible(className, window)) {
    RECT rect;
    GetWindowRect(window, &rect);
    Print(rect);
    ++count;
  }
  return count > 0 ? 0 : 1;
}

int Watch(const std::wstring& className) {
  HWND window = FindVisible(className);
  if (!window) return 1;
  RECT last{};
  const ULONGLONG end = GetTickCount64() + 60000;
  while (GetTickCount64() < end) {
    RECT rect;
    if (!IsWindow(window) || !IsWindowVisible(window) || !GetWindowRect(window, &rect)) {
      std::printf("gone\n");
      return 0;
    }
    if (!EqualRect(&rect, &last)) {
      Print(rect);
      last = rect;
    }
    Sleep(1);
  }
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: e2e_tools_probe rects|watch <class name>\n");
    return 2;
  }
  const std::string command = argv[1];
  const std::string name = argv[2];
  const std::wstring className(name.begin(), name.end());
  if (command == "rects") return Rects(className);
  if (command == "watch") return Watch(className);
  std::fprintf(stderr, "unknown command %s\n", command.c_str());
  return 2;
}
