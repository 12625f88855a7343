// The hook e2e_tools_probe places on the thread of an open popup menu (see
// MenuItemsHook.h). Wine loads this library into the program to call it.
#include "MenuItemsHook.h"

#include <iterator>

namespace {

void WriteItems(HWND menuWindow, DWORD probeProcessId) {
  wchar_t name[64];
  e2e::MenuItemsTableName(probeProcessId, name);
  HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, name);
  if (!mapping) return;
  auto* table =
      static_cast<e2e::MenuItemTable*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0));
  if (table) {
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    const int count = menu ? GetMenuItemCount(menu) : -1;
    LONG written = 0;
    for (int position = 0; position < count && written < e2e::kMaxMenuItems; ++position) {
      e2e::MenuItemEntry& entry = table->items[written];
      entry.caption[0] = L'\0';
      GetMenuStringW(menu, position, entry.caption, static_cast<int>(std::size(entry.caption)),
                     MF_BYPOSITION);
      // A popup menu places its items itself: no window is needed.
      if (GetMenuItemRect(nullptr, menu, position, &entry.rect)) ++written;
    }
    table->count = written;
    UnmapViewOfFile(table);
  }
  CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK MenuItemsHookProc(int code, WPARAM wparam,
                                                                   LPARAM lparam) {
  static const UINT readMessage = RegisterWindowMessageW(e2e::kReadMenuItemsMessage);
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lparam);
  if (code == HC_ACTION && call->message == readMessage) {
    WriteItems(call->hwnd, static_cast<DWORD>(call->wParam));
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}
