// Looks at the program's windows from beside it in the same Wine session,
// for the end-to-end scripts. Rectangles are screen pixels, printed as
// "left top right bottom".
//   e2e_tools_probe rects <class>   every visible top-level window of the
//                                   class, one rectangle a line
//   e2e_tools_probe rest <class> <ms>
//                                   waits until the first visible one has
//                                   kept its place and whether it takes input
//                                   for <ms> milliseconds, then prints its
//                                   rectangle and 1 (takes input) or 0; exits
//                                   1, printing the last, after 10 s
//   e2e_tools_probe watch <class>   follows the first visible one until it is
//                                   gone: each new position as a line, then
//                                   "gone"; exits 1 when there was none or it
//                                   was still there after 60 s
//   e2e_tools_probe item <caption>  the rectangle of the item of an open
//                                   popup menu whose caption is exactly this
//                                   (exit 2 when e2e_menu_items_hook.dll
//                                   cannot be loaded)
//   e2e_tools_probe layered <class> the layered-window flags and alpha of the
//                                   first visible window of the class
//   e2e_tools_probe text <class> <control id>
//                                   the text of a control of the first
//                                   visible window of the class, in UTF-8
//   e2e_tools_probe cover <seconds> a window covering the whole screen is
//                                   brought in front, as a full-screen
//                                   program's, and kept there; prints
//                                   "covering" once it is in front
//   e2e_tools_probe children <title>
//                                   every visible child window of the visible
//                                   top-level window with this title (the
//                                   icons of Wine's system tray), one
//                                   rectangle a line
// Exits 1 when the window, item or control is not there. Built with -municode:
// the arguments arrive as the wide strings the command line was made from
// (Persian captions included).
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <iterator>
#include <string>

#include "MenuItemsHook.h"

namespace {

HWND FindVisible(const wchar_t* className, HWND after = nullptr) {
  for (HWND window = FindWindowExW(nullptr, after, className, nullptr); window;
       window = FindWindowExW(nullptr, window, className, nullptr)) {
    if (IsWindowVisible(window)) return window;
  }
  return nullptr;
}

void Print(const RECT& rect) {
  std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right, rect.bottom);
  std::fflush(stdout);
}

int Rects(const wchar_t* className) {
  int count = 0;
  for (HWND window = FindVisible(className); window; window = FindVisible(className, window)) {
    RECT rect;
    GetWindowRect(window, &rect);
    Print(rect);
    ++count;
  }
  return count > 0 ? 0 : 1;
}

// The window's rectangle and whether it takes input.
struct WindowState {
  RECT rect{};
  bool enabled = false;

  bool Read(HWND window) {
    enabled = IsWindowEnabled(window);
    return IsWindow(window) && GetWindowRect(window, &rect);
  }
  bool operator==(const WindowState& other) const {
    return EqualRect(&rect, &other.rect) && enabled == other.enabled;
  }
  void Print() const {
    std::printf("%ld %ld %ld %ld %d\n", rect.left, rect.top, rect.right, rect.bottom,
                enabled ? 1 : 0);
  }
};

// Waits, looking every millisecond, until the window has kept one state for
// `steadyMs`; prints it. After 10 s prints the last state and exits 1.
int Rest(const wchar_t* className, const wchar_t* steadyMs) {
  HWND window = FindVisible(className);
  WindowState last;
  if (!window || !last.Read(window)) return 1;
  const ULONGLONG steady = std::wcstoul(steadyMs, nullptr, 10);
  ULONGLONG since = GetTickCount64();
  const ULONGLONG end = since + 10000;
  for (ULONGLONG now = since; now < end; now = GetTickCount64()) {
    Sleep(1);
    WindowState state;
    if (!state.Read(window)) return 1;
    if (!(state == last)) {
      last = state;
      since = now;
    } else if (now - since >= steady) {
      state.Print();
      return 0;
    }
  }
  last.Print();
  return 1;
}

int Watch(const wchar_t* className) {
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

// Reads the items of open popup menus from inside the program (see
// MenuItemsHook.h).
class MenuReader {
 public:
  MenuReader() {
    wchar_t name[64];
    e2e::MenuItemsTableName(GetCurrentProcessId(), name);
    mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                  sizeof(e2e::MenuItemTable), name);
    if (mapping_) {
      table_ = static_cast<e2e::MenuItemTable*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, 0));
    }
    // The library lies beside this program.
    wchar_t path[MAX_PATH];
    std::wstring library(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
    library.replace(library.find_last_of(L"\\/") + 1, std::wstring::npos,
                    e2e::kMenuItemsHookLibrary);
    library_ = LoadLibraryW(library.c_str());
    if (library_) {
      // Through void (*)(), the one function type every other converts to.
      hookProc_ = reinterpret_cast<HOOKPROC>(
          reinterpret_cast<void (*)()>(GetProcAddress(library_, e2e::kMenuItemsHookProc)));
    }
  }
  ~MenuReader() {
    if (table_) UnmapViewOfFile(table_);
    if (mapping_) CloseHandle(mapping_);
    if (library_) FreeLibrary(library_);
  }
  MenuReader(const MenuReader&) = delete;
  MenuReader& operator=(const MenuReader&) = delete;

  bool Usable() const { return table_ && hookProc_; }

  // The items of the menu shown in `popup`; null when the program did not
  // answer.
  const e2e::MenuItemTable* Read(HWND popup) {
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, hookProc_, library_,
                                   GetWindowThreadProcessId(popup, nullptr));
    if (!hook) return nullptr;
    table_->count = -1;
    DWORD_PTR ignored;
    SendMessageTimeoutW(popup, RegisterWindowMessageW(e2e::kReadMenuItemsMessage),
                        GetCurrentProcessId(), 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    UnhookWindowsHookEx(hook);
    return table_->count >= 0 ? table_ : nullptr;
  }

 private:
  HANDLE mapping_ = nullptr;
  e2e::MenuItemTable* table_ = nullptr;
  HMODULE library_ = nullptr;
  HOOKPROC hookProc_ = nullptr;
};

// Every open popup menu (a submenu is a window of its own) is searched; the
// item's rectangle comes from the menu itself, so separators, submenu arrows
// and items of other heights are placed as the menu placed them.
int Item(const wchar_t* caption) {
  MenuReader reader;
  if (!reader.Usable()) {
    std::fprintf(stderr, "e2e_tools_probe: cannot load %ls\n", e2e::kMenuItemsHookLibrary);
    return 2;
  }
  bool answered = false;
  for (HWND popup = FindVisible(L"#32768"); popup; popup = FindVisible(L"#32768", popup)) {
    const e2e::MenuItemTable* table = reader.Read(popup);
    if (!table) continue;
    answered = true;
    for (LONG index = 0; index < table->count; ++index) {
      if (std::wcscmp(table->items[index].caption, caption) != 0) continue;
      Print(table->items[index].rect);
      return 0;
    }
  }
  if (!answered) std::fprintf(stderr, "e2e_tools_probe: no open popup menu answered\n");
  return 1;
}

int Text(const wchar_t* className, const wchar_t* controlId) {
  HWND window = FindVisible(className);
  HWND control = window ? GetDlgItem(window, static_cast<int>(std::wcstol(controlId, nullptr, 10)))
                        : nullptr;
  if (!control) return 1;
  wchar_t text[512] = L"";
  DWORD_PTR length = 0;
  // Asked of the control itself: an edit box keeps its text to itself.
  if (!SendMessageTimeoutW(control, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text),
                           SMTO_ABORTIFHUNG, 5000, &length)) {
    return 1;
  }
  char utf8[2048];
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), utf8,
                                        sizeof(utf8), nullptr, nullptr);
  std::fwrite(utf8, 1, static_cast<size_t>(bytes), stdout);
  std::printf("\n");
  return 0;
}

int Layered(const wchar_t* className) {
  HWND window = FindVisible(className);
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!window || !GetLayeredWindowAttributes(window, &key, &alpha, &flags)) return 1;
  std::printf("%lu %u\n", static_cast<unsigned long>(flags), static_cast<unsigned>(alpha));
  return 0;
}

int Cover(const wchar_t* seconds) {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
  ShowWindow(window, SW_SHOW);
  if (!window || !SetForegroundWindow(window)) return 1;
  std::printf("covering\n");
  std::fflush(stdout);
  const ULONGLONG end = GetTickCount64() + 1000 * std::wcstoul(seconds, nullptr, 10);
  while (GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  DestroyWindow(window);
  return 0;
}

BOOL CALLBACK PrintVisibleChild(HWND child, LPARAM count) {
  RECT rect;
  if (!IsWindowVisible(child) || !GetWindowRect(child, &rect)) return TRUE;
  Print(rect);
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int Children(const wchar_t* title) {
  HWND window = FindWindowW(nullptr, title);
  if (!window || !IsWindowVisible(window)) return 1;
  int count = 0;
  EnumChildWindows(window, PrintVisibleChild, reinterpret_cast<LPARAM>(&count));
  return count > 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (argc == 3 && command == L"rects") return Rects(argv[2]);
  if (argc == 4 && command == L"rest") return Rest(argv[2], argv[3]);
  if (argc == 3 && command == L"watch") return Watch(argv[2]);
  if (argc == 3 && command == L"item") return Item(argv[2]);
  if (argc == 4 && command == L"text") return Text(argv[2], argv[3]);
  if (argc == 3 && command == L"layered") return Layered(argv[2]);
  if (argc == 3 && command == L"cover") return Cover(argv[2]);
  if (argc == 3 && command == L"children") return Children(argv[2]);
  std::fprintf(stderr,
               "usage: e2e_tools_probe rects|watch <class> | rest <class> <ms> |"
               " item <caption> | text <class> <control id> | layered <class> |"
               " cover <seconds> | children <title>\n");
  return 2;
}
