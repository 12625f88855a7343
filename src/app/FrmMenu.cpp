#include "app/FrmMenu.h"

#include <utility>

#include "../../assets/resource.h"
#include "app/Form1.h"
#include "ui/Globals.h"
#include "ui/Twips.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmMenu";

// Client area of the (never shown) host window, in twips.
constexpr float kClientWidth = 4680.0f;
constexpr float kClientHeight = 3090.0f;

struct MenuItem {
  int level;  // 0 is the menu bar's item; its items make up the popup
  const wchar_t* caption;
  UINT id;                   // 0 for an item that opens a submenu
  void (FrmMenu::*click)();  // null for an item that opens a submenu
};

// The menu tree in menu order. An item opens a submenu when the next item is
// one level deeper.
constexpr MenuItem kMenuTree[] = {
    {0, L"File", 0, nullptr},                                                // MnuFile
    {1, L"تقویم", FrmMenu::kMnuCalendar, &FrmMenu::mnuCalendar_Click},       // mnuCalendar
    {1, L"تنظيمات", 0, nullptr},                                             // mnuSetting
    {2, L"پخش آهنگ", FrmMenu::kMnuPlay, &FrmMenu::mnuPlay_Click},           // mnuPlay
    {2, L"خاموش کردن", FrmMenu::kMnuWarning, &FrmMenu::mnuWarning_Click},   // mnuWarning
    {2, L"مبدل تاريخ", FrmMenu::kMnuDate, &FrmMenu::mnuDate_Click},          // mnuDate
    {2, L"تغيير شفافيت", FrmMenu::kMnuTrans, &FrmMenu::mnuTrans_Click},      // mnuTrans
    {1, L"درباره ما ...", FrmMenu::kMnuAbout, &FrmMenu::MnuAbout_Click},     // MnuAbout
    {1, L"خروج", FrmMenu::kMnuExit, &FrmMenu::mnuExit_Click},                // mnuExit
};
constexpr size_t kMenuItemCount = std::size(kMenuTree);
constexpr int kDeepestLevel = 2;

// The menu bar holding the tree; the popup is the submenu of its one item.
HMENU BuildMenuBar() {
  HMENU parents[kDeepestLevel + 1] = {CreateMenu()};
  for (size_t index = 0; index < kMenuItemCount; ++index) {
    const MenuItem& item = kMenuTree[index];
    const bool opensSubmenu =
        index + 1 < kMenuItemCount && kMenuTree[index + 1].level == item.level + 1;
    if (opensSubmenu) {
      parents[item.level + 1] = CreatePopupMenu();
      AppendMenuW(parents[item.level], MF_STRING | MF_POPUP,
                  reinterpret_cast<UINT_PTR>(parents[item.level + 1]), item.caption);
    } else {
      AppendMenuW(parents[item.level], MF_STRING, item.id, item.caption);
    }
  }
  return parents[0];
}

}  // namespace

FrmMenu::FrmMenu(HINSTANCE instance, Platform& platform, ToolWindowRegistry& tools,
                 std::function<void()> endProgram)
    : instance_(instance), platform_(platform), tools_(tools), endProgram_(std::move(endProgram)) {}

FrmMenu::~FrmMenu() { Unload(); }

bool FrmMenu::Load() {
  if (hwnd_) return true;
  HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  if (!RegisterWindowClass(instance_, kClassName, &RoutedWindowProc<FrmMenu>, IDI_TAVILO,
                           background)) {
    return false;
  }
  CreateWindowExW(WS_EX_RTLREADING, kClassName, L"Form2", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance_, this);
  if (!hwnd_) return false;
  HMENU bar = BuildMenuBar();
  SetMenu(hwnd_, bar);  // destroyed with the window
  mnuFile_ = GetSubMenu(bar, 0);

  const unsigned dpi = platform_.WindowDpi(hwnd_);
  RECT frame = {0, 0, PixelsFromTwips(kClientWidth, dpi), PixelsFromTwips(kClientHeight, dpi)};
  AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, TRUE, WS_EX_RTLREADING);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return true;
}

void FrmMenu::Unload() {
  if (hwnd_) DestroyWindow(hwnd_);
}

HMENU FrmMenu::MnuFile() { return Load() ? mnuFile_ : nullptr; }

void FrmMenu::PopupMnuFile() {
  HMENU menu = MnuFile();
  if (!menu) return;
  POINT at;
  GetCursorPos(&at);
  // The owner must be the foreground window for the menu to close when the
  // user clicks elsewhere; the empty message afterwards lets it close at once.
  SetForegroundWindow(hwnd_);
  const UINT chosen = TrackPopupMenu(menu, TPM_LAYOUTRTL | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
                                     at.y, 0, hwnd_, nullptr);
  PostMessageW(hwnd_, WM_NULL, 0, 0);
  if (chosen) Form_Command(chosen);
}

LRESULT FrmMenu::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) == 0) {
        Form_Command(LOWORD(wparam));
        return 0;
      }
      break;
    case WM_CLOSE:
      // The host is never shown; it goes only with Exit.
      return 0;
    case WM_NCDESTROY:
      mnuFile_ = nullptr;  // destroyed with the window's menu bar
      return 0;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void FrmMenu::Form_Command(UINT id) {
  for (const MenuItem& item : kMenuTree) {
    if (item.click && item.id == id) {
      (this->*item.click)();
      return;
    }
  }
}

void FrmMenu::mnuCalendar_Click() { tools_.Show(ToolWindowKind::kFrmCalendar); }

void FrmMenu::mnuPlay_Click() { tools_.Show(ToolWindowKind::kFrmPlay); }

void FrmMenu::mnuWarning_Click() { tools_.Show(ToolWindowKind::kFrmShutDown); }

void FrmMenu::mnuDate_Click() { tools_.Show(ToolWindowKind::kDateConvert); }

void FrmMenu::mnuTrans_Click() { tools_.Show(ToolWindowKind::kFrmTrans); }

void FrmMenu::MnuAbout_Click() { tools_.Show(ToolWindowKind::kFrmAbout); }

void FrmMenu::mnuExit_Click() {
  Unload();
  if (mainWindow_) mainWindow_->Unload();  // closes an open song
  // The song gets a second close; it fails harmlessly.
  if (IsPlaying) platform_.SendMediaCommand(L"close " + SongFile);
  endProgram_();
}

}  // namespace tavilo
