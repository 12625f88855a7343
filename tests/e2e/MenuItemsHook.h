// What e2e_tools_probe and its hook library share. Under Wine a menu handle
// means something only inside the process that made it: another process gets
// nothing from GetMenuItemCount or GetMenuItemRect. So the probe hooks the
// thread that owns an open popup menu (WH_CALLWNDPROC, with this library),
// sends the menu window kReadMenuItemsMessage with its own process id, and
// the hook, running inside the program, writes the menu's items into the
// probe's shared table.
#pragma once

#include <windows.h>

namespace e2e {

inline constexpr wchar_t kReadMenuItemsMessage[] = L"TaviloE2eReadMenuItems";
inline constexpr char kMenuItemsHookProc[] = "MenuItemsHookProc";
inline constexpr wchar_t kMenuItemsHookLibrary[] = L"e2e_menu_items_hook.dll";

// "TaviloE2eMenuItems.<probe's process id>"
inline void MenuItemsTableName(DWORD probeProcessId, wchar_t (&name)[64]) {
  wsprintfW(name, L"TaviloE2eMenuItems.%lu", probeProcessId);
}

struct MenuItemEntry {
  wchar_t caption[128];
  RECT rect;  // screen pixels
};

inline constexpr LONG kMaxMenuItems = 64;

struct MenuItemTable {
  LONG count;  // -1 until the hook has answered
  MenuItemEntry items[kMaxMenuItems];
};

}  // namespace e2e
