// What the scheduler waits for: the programs with windows, a process's end
// (a registered wait on its handle, so nothing polls) and the last input.
#include <windows.h>

#include <algorithm>
#include <set>

#include "platform/win32/Win32Platform.h"

namespace tavilo {

namespace {

// One registered wait: what to post, and the handles to let go.
struct ProcessWaiter {
  HWND window;
  UINT message;
  DWORD processId;
  HANDLE process = nullptr;
  HANDLE wait = nullptr;
};

void CALLBACK ProcessEnded(void* context, BOOLEAN) {
  const auto* waiter = static_cast<ProcessWaiter*>(context);
  PostMessageW(waiter->window, waiter->message, waiter->processId, 0);
}

std::wstring FileOfProcess(DWORD processId) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (!process) return {};
  wchar_t path[MAX_PATH * 2];
  DWORD size = static_cast<DWORD>(std::size(path));
  std::wstring file;
  if (QueryFullProcessImageNameW(process, 0, path, &size)) {
    file.assign(path, size);
    file.erase(0, file.find_last_of(L"\\/") + 1);
  }
  CloseHandle(process);
  return file;
}

struct ProgramList {
  std::vector<RunningProgram> programs;
  std::set<DWORD> seen;
};

BOOL CALLBACK AddProgramOfWindow(HWND window, LPARAM list) {
  auto& found = *reinterpret_cast<ProgramList*>(list);
  if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) ||
      (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW)) {
    return TRUE;
  }
  const int length = GetWindowTextLengthW(window);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (length == 0 || processId == GetCurrentProcessId() || !found.seen.insert(processId).second) {
    return TRUE;
  }
  std::wstring title(static_cast<std::size_t>(length) + 1, L'\0');
  title.resize(static_cast<std::size_t>(GetWindowTextW(window, title.data(), length + 1)));
  found.programs.push_back({processId, title, FileOfProcess(processId)});
  return TRUE;
}

}  // namespace

std::vector<RunningProgram> Win32Platform::RunningPrograms() {
  ProgramList list;
  EnumWindows(&AddProgramOfWindow, reinterpret_cast<LPARAM>(&list));
  std::sort(list.programs.begin(), list.programs.end(),
            [](const RunningProgram& a, const RunningProgram& b) { return a.title < b.title; });
  return list.programs;
}

ProcessWatch Win32Platform::WatchProcessEnd(std::uint32_t processId, WindowHandle window,
                                            std::uint32_t message) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  if (!process) return {0, GetLastError()};
  if (WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {  // ended, still held by someone
    CloseHandle(process);
    return {0, kErrorInvalidParameter};
  }
  auto* waiter = new ProcessWaiter{static_cast<HWND>(window), message, processId, process};
  if (!RegisterWaitForSingleObject(&waiter->wait, process, &ProcessEnded, waiter, INFINITE,
                                   WT_EXECUTEONLYONCE)) {
    const DWORD error = GetLastError();
    CloseHandle(process);
    delete waiter;
    return {0, error};
  }
  return {reinterpret_cast<std::uintptr_t>(waiter), 0};
}

void Win32Platform::StopWatchingProcess(std::uintptr_t watch) {
  auto* waiter = reinterpret_cast<ProcessWaiter*>(watch);
  if (!waiter) return;
  UnregisterWaitEx(waiter->wait, INVALID_HANDLE_VALUE);  // a callback under way finishes first
  CloseHandle(waiter->process);
  delete waiter;
}

std::uint32_t Win32Platform::LastInputTick() {
  LASTINPUTINFO info{sizeof info, 0};
  return GetLastInputInfo(&info) ? info.dwTime : GetTickCount();
}

}  // namespace tavilo
