// Drives a running tavilo.exe from beside it in the same Wine session, for
// soak.sh: slide cycles of the strip (a mouse move brings it down, a click
// sends it up, the motion timers' ticks are sent rather than waited for) and
// open/close cycles of every tool window through the menu host's commands.
// Prints what the process holds after a warm-up and at the end:
//   gdi      live GDI objects, read from the process's GDI handle table
//            (GetGuiResources is a stub under Wine; the table's address is
//            in the process's PEB, as on Windows);
//   windows  windows the process owns, top-level and children.
//
//   soak_driver <slide cycles> <tool-window cycles>
#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr wchar_t kStripClass[] = L"TaviloForm1";
constexpr wchar_t kMenuHostClass[] = L"TaviloFrmMenu";
// The strip's timers and the menu's command ids (Form1::Timer,
// FrmMenu::Command).
constexpr WPARAM kSlideDownTimer = 1;
constexpr WPARAM kSlideUpTimer = 2;
struct ToolCommand {
  WPARAM id;
  const wchar_t* windowClass;
};
constexpr ToolCommand kTools[] = {{1007, L"TaviloFrmCalendar"},
                                  {1001, L"TaviloFrmPlay"},
                                  {1002, L"TaviloFrmShutDown"},
                                  {1003, L"TaviloDateConvert"},
                                  {1004, L"TaviloFrmTrans"},
                                  {1005, L"TaviloFrmAbout"}};
constexpr SIZE_T kPebGdiHandleTable = 0xF8;  // PEB64.GdiSharedHandleTable
constexpr size_t kGdiHandleCount = 0x10000;

// One entry of the GDI handle table (GDI_HANDLE_ENTRY).
struct GdiHandleEntry {
  UINT64 object;
  ULONG owner;
  USHORT unique;  // 7 bits extended type, stock flag, generation
  UCHAR type;     // 0: free
  UCHAR flags;
  UINT64 userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);

int LiveGdiObjects(HANDLE process) {
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic,
                                nullptr) != 0) {
    return -1;
  }
  UINT64 table = 0;
  if (!ReadProcessMemory(process, reinterpret_cast<BYTE*>(basic.PebBaseAddress) + kPebGdiHandleTable,
                         &table, sizeof table, nullptr) ||
      !table) {
    return -1;
  }
  std::vector<GdiHandleEntry> entries(kGdiHandleCount);
  SIZE_T read = 0;
  ReadProcessMemory(process, reinterpret_cast<void*>(table), entries.data(),
                    entries.size() * sizeof(GdiHandleEntry), &read);
  int live = 0;
  for (size_t i = 0; i < read / sizeof(GdiHandleEntry); ++i) {
    const bool stock = entries[i].unique & 0x80;
    if (entries[i].type != 0 && !stock) ++live;
  }
  return live;
}

int OwnedWindows(DWORD processId) {
  struct Count {
    DWORD processId;
    int windows;
  } count{processId, 0};
  EnumWindows(
      [](HWND window, LPARAM counter) -> BOOL {
        auto& count = *reinterpret_cast<Count*>(counter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != count.processId) return TRUE;
        ++count.windows;
        EnumChildWindows(
            window,
            [](HWND, LPARAM inner) -> BOOL {
              ++reinterpret_cast<Count*>(inner)->windows;
              return TRUE;
            },
            counter);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count.windows;
}

HWND FindShown(const wchar_t* windowClass) {
  HWND window = FindWindowW(windowClass, nullptr);
  return window && IsWindowVisible(window) ? window : nullptr;
}

// Waits up to 30 s for `done`; false when it never came.
template <class Done>
bool WaitFor(Done done) {
  for (int waited = 0; waited < 30000; waited += 5) {
    if (done()) return true;
    Sleep(5);
  }
  return false;
}

// Down and up again; more ticks than a slide takes (a tick after the
// arrival only stops its timer).
bool SlideCycle(HWND strip) {
  RECT rect;
  SendMessageW(strip, WM_MOUSEMOVE, 0, MAKELPARAM(5, 130));
  for (int tick = 0; tick < 200; ++tick) SendMessageW(strip, WM_TIMER, kSlideDownTimer, 0);
  GetWindowRect(strip, &rect);
  if (rect.top < -10) return false;
  SendMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 70));
  SendMessageW(strip, WM_LBUTTONUP, 0, MAKELPARAM(5, 70));
  for (int tick = 0; tick < 200; ++tick) SendMessageW(strip, WM_TIMER, kSlideUpTimer, 0);
  GetWindowRect(strip, &rect);
  return rect.bottom <= 10;
}

bool ToolCycle(HWND menuHost) {
  for (const ToolCommand& tool : kTools) {
    PostMessageW(menuHost, WM_COMMAND, tool.id, 0);
    HWND window = nullptr;
    if (!WaitFor([&] { return (window = FindShown(tool.windowClass)) != nullptr; })) return false;
    PostMessageW(window, WM_CLOSE, 0, 0);
    if (!WaitFor([&] { return !IsWindow(window); })) return false;
  }
  return true;
}

void Report(const char* when, HANDLE process, DWORD processId) {
  std::printf("%s gdi=%d windows=%d\n", when, LiveGdiObjects(process), OwnedWindows(processId));
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: soak_driver <slide cycles> <tool-window cycles>\n");
    return 2;
  }
  const int slides = std::atoi(argv[1]);
  const int toolCycles = std::atoi(argv[2]);
  HWND strip = nullptr;
  if (!WaitFor([&] { return (strip = FindWindowW(kStripClass, nullptr)) != nullptr; })) return 1;
  DWORD processId = 0;
  GetWindowThreadProcessId(strip, &processId);
  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
  if (!process) return 1;
  // The menu host is created when the menu first opens; Esc, read by the
  // menu's own loop from the thread's queue, closes it again.
  PostMessageW(strip, WM_RBUTTONDOWN, 0, MAKELPARAM(5, 70));
  HWND menuHost = nullptr;
  if (!WaitFor([&] { return (menuHost = FindWindowW(kMenuHostClass, nullptr)) != nullptr; }) ||
      !WaitFor([] { return FindShown(L"#32768") != nullptr; })) {
    return 1;
  }
  PostMessageW(menuHost, WM_KEYDOWN, VK_ESCAPE, 0);
  if (!WaitFor([] { return FindShown(L"#32768") == nullptr; })) return 1;

  // Warm-up: caches, fonts and the first load of every window.
  for (int cycle = 0; cycle < 10; ++cycle) SlideCycle(strip);
  if (!ToolCycle(menuHost) || !ToolCycle(menuHost)) return 1;
  Report("start", process, processId);
  for (int cycle = 0; cycle < slides; ++cycle) {
    if (!SlideCycle(strip)) {
      std::fprintf(stderr, "slide cycle %d did not complete\n", cycle);
      return 1;
    }
  }
  for (int cycle = 0; cycle < toolCycles; ++cycle) {
    if (!ToolCycle(menuHost)) {
      std::fprintf(stderr, "tool-window cycle %d did not complete\n", cycle);
      return 1;
    }
  }
  Report("end", process, processId);
  CloseHandle(process);
  return 0;
}
