// Reads the month calendar's grid as a screen reader does, from another
// process of the same Wine session (MSAA).
//   e2e_grid_reader cells   the grid's role and child count, then one line a
//                           cell: id role state left top width height, the
//                           cell hit at its centre, name
//   e2e_grid_reader events  "ready", then "focus <id>" and "selection <id>"
//                           for the grid's first such events; exit 1
//                           without both in 20 s
#include <windows.h>
#include <oleacc.h>

#include <cstdio>
#include <cwchar>

namespace {

HWND Grid() {
  return FindWindowExW(FindWindowW(L"TaviloFrmCalendar", nullptr), nullptr, L"TaviloMonthGrid",
                       nullptr);
}

long Number(VARIANT value) { return value.vt == VT_I4 ? value.lVal : -1; }
VARIANT Child(long id) {
  VARIANT child{};
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

int Cells() {
  IAccessible* grid = nullptr;
  if (FAILED(AccessibleObjectFromWindow(Grid(), OBJID_CLIENT, IID_IAccessible,
                                        reinterpret_cast<void**>(&grid))))
    return 1;
  VARIANT role{};
  long count = 0;
  grid->get_accRole(Child(CHILDID_SELF), &role);
  grid->get_accChildCount(&count);
  std::printf("%ld %ld\n", Number(role), count);
  for (long id = 1; id <= count; ++id) {
    const VARIANT child = Child(id);
    VARIANT state{}, hit{};
    BSTR name = nullptr;
    long x = 0, y = 0, width = 0, height = 0;
    grid->get_accRole(child, &role);
    grid->get_accState(child, &state);
    grid->accLocation(&x, &y, &width, &height, child);
    grid->get_accName(child, &name);
    grid->accHitTest(x + width / 2, y + height / 2, &hit);
    char utf8[1024] = "";
    if (name) WideCharToMultiByte(CP_UTF8, 0, name, -1, utf8, sizeof utf8, nullptr, nullptr);
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld %s\n", id, Number(role), Number(state), x, y,
                width, height, Number(hit), utf8);
    SysFreeString(name);
  }
  grid->Release();
  return 0;
}

bool focusSeen = false, selectionSeen = false;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD,
                      DWORD) {
  wchar_t name[32] = L"";
  GetClassNameW(window, name, 32);
  bool& seen = event == EVENT_OBJECT_FOCUS ? focusSeen : selectionSeen;
  if (seen || object != OBJID_CLIENT || std::wcscmp(name, L"TaviloMonthGrid") != 0) return;
  seen = true;
  std::printf("%s %ld\n", event == EVENT_OBJECT_FOCUS ? "focus" : "selection", child);
  std::fflush(stdout);
}

int Events() {
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr,
                                       OnEvent, 0, 0, WINEVENT_OUTOFCONTEXT);
  if (!hook) return 1;
  std::printf("ready\n");
  std::fflush(stdout);
  const ULONGLONG end = GetTickCount64() + 20000;
  while (!(focusSeen && selectionSeen) && GetTickCount64() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  UnhookWinEvent(hook);
  return focusSeen && selectionSeen ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {  // cells | events
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  return argc == 2 && std::wcscmp(argv[1], L"cells") == 0 ? Cells() : Events();
}
