#include "app/FrmMenu.h"

#include <algorithm>
#include <utility>

#include "../../assets/resource.h"
#include "app/Form1.h"
#include "calendar/Occasions.h"
#include "tools/FrmShutDown.h"
#include "tools/FrmEvent.h"
#include "tools/logic/ShutdownSchedule.h"
#include "platform/DataFolder.h"
#include "ui/ApplicationTitle.h"
#include "ui/Globals.h"
#include "ui/PersianDigits.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"
#include "ui/StartWithWindows.h"
#include "ui/Twips.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmMenu";
constexpr wchar_t kWarningCaption[] = L"خاموش کردن";
constexpr wchar_t kStartWithWindowsPortable[] =
    L"شروع با ویندوز (در نسخه\u0654 قابل\u200Cحمل ممکن نیست)";

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
    {2, kWarningCaption, FrmMenu::kMnuWarning, &FrmMenu::mnuWarning_Click},  // mnuWarning
    {2, L"مبدل تاريخ", FrmMenu::kMnuDate, &FrmMenu::mnuDate_Click},          // mnuDate
    {2, L"تغيير شفافيت", FrmMenu::kMnuTrans, &FrmMenu::mnuTrans_Click},      // mnuTrans
    {2, L"شروع با ویندوز", FrmMenu::kMnuStartWithWindows, &FrmMenu::mnuStartWithWindows_Click},
    {2, L"ارقام فارسی", FrmMenu::kMnuPersianDigits, &FrmMenu::mnuPersianDigits_Click},
    {2, L"نماد در ناحیه اعلان", FrmMenu::kMnuNotificationIcon,
     &FrmMenu::mnuNotificationIcon_Click},
    {2, L"تصحیح تاریخ قمری", 0, nullptr},
    {3, L"۲ روز کمتر", FrmMenu::kMnuLunarCorrection0 - 2, nullptr},
    {3, L"۱ روز کمتر", FrmMenu::kMnuLunarCorrection0 - 1, nullptr},
    {3, L"بدون تصحیح", FrmMenu::kMnuLunarCorrection0, nullptr},
    {3, L"۱ روز بیشتر", FrmMenu::kMnuLunarCorrection0 + 1, nullptr},
    {3, L"۲ روز بیشتر", FrmMenu::kMnuLunarCorrection0 + 2, nullptr},
    {2, L"مناسبت‌ها", 0, nullptr},
    {3, L"ملی", FrmMenu::kMnuOccasionKind0 + 0, nullptr},  // OccasionKind's order
    {3, L"مذهبی", FrmMenu::kMnuOccasionKind0 + 1, nullptr},
    {3, L"بین‌المللی", FrmMenu::kMnuOccasionKind0 + 2, nullptr},
    {3, L"باستانی", FrmMenu::kMnuOccasionKind0 + 3, nullptr},
    {3, L"قمر در عقرب", FrmMenu::kMnuMoonInScorpio, nullptr},
    {2, L"اوقات شرعی", FrmMenu::kMnuPrayer, &FrmMenu::mnuPrayer_Click},
    {2, L"خاموش کردن پس از ۱۵ دقیقه", FrmMenu::kMnuScheduleIn15, nullptr},  // captions: the
    {2, L"خاموش کردن پس از ۳۰ دقیقه", FrmMenu::kMnuScheduleIn15 + 1, nullptr},  // last action
    {2, L"خاموش کردن پس از ۶۰ دقیقه", FrmMenu::kMnuScheduleIn15 + 2, nullptr},
    {2, L"خاموش کردن پس از ۹۰ دقیقه", FrmMenu::kMnuScheduleIn15 + 3, nullptr},
    {2, L"لغو زمان‌بندی", FrmMenu::kMnuCancelSchedule, &FrmMenu::mnuCancelSchedule_Click},
    {1, L"درباره ما ...", FrmMenu::kMnuAbout, &FrmMenu::MnuAbout_Click},     // MnuAbout
    {1, L"خروج", FrmMenu::kMnuExit, &FrmMenu::mnuExit_Click},          // mnuExit
};
constexpr size_t kMenuItemCount = std::size(kMenuTree);
constexpr int kDeepestLevel = 3;
constexpr int kQuickMinutes[] = {15, 30, 60, 90};
constexpr UINT kLastQuickItem = FrmMenu::kMnuScheduleIn15 + std::size(kQuickMinutes) - 1;

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

// The submenu holding the item `id`, and the item's position in it.
std::pair<HMENU, int> PlaceOfItem(HMENU menu, UINT id) {
  for (int position = 0; position < GetMenuItemCount(menu); ++position) {
    if (GetMenuItemID(menu, position) == id) return {menu, position};
    if (HMENU submenu = GetSubMenu(menu, position)) {
      const auto place = PlaceOfItem(submenu, id);
      if (place.first) return place;
    }
  }
  return {nullptr, -1};
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
  RefreshScheduleItems();

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
  RefreshItems();
  // The strip stays down while its menu is open.
  if (mainWindow_) mainWindow_->HoldStrip(false);
  const UINT chosen = TrackPopupMenu(menu, TPM_LAYOUTRTL | TPM_RETURNCMD | TPM_NONOTIFY, at.x,
                                     at.y, 0, hwnd_, nullptr);
  if (mainWindow_) mainWindow_->ReleaseStrip();
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

void FrmMenu::RefreshItems() {
  // "Turn off" names an armed schedule's action and its time left.
  std::wstring warning = kWarningCaption;
  if (const ArmedSchedule& schedule = ProgramSchedule(); schedule.IsArmed()) {
    warning = schedule.Summary(RunningSecond(platform_.TickCount()));
    if (schedule.Verb().empty()) warning.insert(0, kWarningCaption);
  }
  ModifyMenuW(mnuFile_, kMnuWarning, MF_BYCOMMAND | MF_STRING, kMnuWarning, warning.c_str());

  RefreshScheduleItems();

  const auto check = [this](UINT id, bool checked) {
    CheckMenuItem(mnuFile_, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  };
  const Settings& settings = ProgramSettings();
  check(kMnuStartWithWindows, StartsWithWindows(platform_));
  check(kMnuPersianDigits, settings.persianDigits);
  check(kMnuNotificationIcon, settings.notificationIcon);
  // --- Portable mode: no Run value, which would be a trace ---
  if (IsPortableMode()) {
    ModifyMenuW(mnuFile_, kMnuStartWithWindows, MF_BYCOMMAND | MF_STRING | MF_GRAYED,
                kMnuStartWithWindows, kStartWithWindowsPortable);
  }
  const SettingRule& lunar = RuleOf(Setting::kLunarCorrection);
  CheckMenuRadioItem(mnuFile_, kMnuLunarCorrection0 + lunar.minimum,
                     kMnuLunarCorrection0 + lunar.maximum,
                     kMnuLunarCorrection0 + settings.lunarCorrection, MF_BYCOMMAND);
  for (UINT bit = 0; kMnuOccasionKind0 + bit <= kMnuMoonInScorpio; ++bit)
    check(kMnuOccasionKind0 + bit, (settings.hiddenOccasions & (1 << bit)) == 0);
}

void FrmMenu::RefreshScheduleItems() {
  const std::wstring action = TextsOf(FrmShutDown::QuickAction()).option;
  for (UINT index = 0; index < std::size(kQuickMinutes); ++index) {
    const std::wstring caption = action + L" پس از " +
                                 PersianDigits(std::to_wstring(kQuickMinutes[index])) + L" دقیقه";
    ModifyMenuW(mnuFile_, kMnuScheduleIn15 + index, MF_BYCOMMAND | MF_STRING,
                kMnuScheduleIn15 + index, caption.c_str());
  }
  const bool shown = PlaceOfItem(mnuFile_, kMnuCancelSchedule).first != nullptr;
  if (shown && !ProgramSchedule().IsArmed()) {
    DeleteMenu(mnuFile_, kMnuCancelSchedule, MF_BYCOMMAND);
  }
  if (!ProgramSchedule().IsArmed()) return;
  // Cancel says when it turns a nightly schedule off.
  const MenuItem& cancel =
      *std::find_if(std::begin(kMenuTree), std::end(kMenuTree),
                    [](const MenuItem& item) { return item.id == kMnuCancelSchedule; });
  const std::wstring caption = std::wstring(cancel.caption) +
                               (ProgramSettings().scheduleNightlyArmed ? L" هر روز" : L"");
  if (shown) {
    ModifyMenuW(mnuFile_, kMnuCancelSchedule, MF_BYCOMMAND | MF_STRING, kMnuCancelSchedule,
                caption.c_str());
    return;
  }
  const auto [menu, position] = PlaceOfItem(mnuFile_, kLastQuickItem);
  InsertMenuW(menu, static_cast<UINT>(position + 1), MF_BYPOSITION | MF_STRING,
              kMnuCancelSchedule, caption.c_str());
}

void FrmMenu::Form_Command(UINT id) {
  if (id >= kMnuScheduleIn15 && id <= kLastQuickItem) {
    mnuScheduleIn_Click(kQuickMinutes[id - kMnuScheduleIn15]);
    return;
  }
  if (id >= kMnuOccasionKind0 && id <= kMnuMoonInScorpio) {
    mnuOccasions_Click(1 << (id - kMnuOccasionKind0));
    return;
  }
  const SettingRule& lunar = RuleOf(Setting::kLunarCorrection);
  const int lunarDays = static_cast<int>(id) - static_cast<int>(kMnuLunarCorrection0);
  if (lunarDays >= lunar.minimum && lunarDays <= lunar.maximum) {
    mnuLunarCorrection_Click(lunarDays);
    return;
  }
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

void FrmMenu::mnuPrayer_Click() { tools_.Show(ToolWindowKind::kFrmPrayer); }

void FrmMenu::MnuAbout_Click() { tools_.Show(ToolWindowKind::kFrmAbout); }

// Checking it again rewrites the path, so a moved program is started from
// where it is now.
void FrmMenu::mnuStartWithWindows_Click() {
  SetStartWithWindows(platform_, !StartsWithWindows(platform_));
}

void FrmMenu::mnuPersianDigits_Click() {
  ChangeSetting(platform_, Setting::kPersianDigits, !ProgramSettings().persianDigits);
  BroadcastSettingsChanged();
}

void FrmMenu::mnuNotificationIcon_Click() {
  ChangeSetting(platform_, Setting::kNotificationIcon, !ProgramSettings().notificationIcon);
  BroadcastSettingsChanged();
}

void FrmMenu::mnuLunarCorrection_Click(int days) {
  ChangeSetting(platform_, Setting::kLunarCorrection, days);
  BroadcastSettingsChanged();
}

void FrmMenu::mnuOccasions_Click(int hiddenBit) {
  ChangeSetting(platform_, Setting::kHiddenOccasions, ProgramSettings().hiddenOccasions ^ hiddenBit);
  HideOccasionKinds(HiddenOccasionKinds(ProgramSettings()));
  BroadcastSettingsChanged();
}

void FrmMenu::mnuScheduleIn_Click(int minutes) {
  if (auto* scheduler = dynamic_cast<FrmShutDown*>(tools_.Find(ToolWindowKind::kFrmShutDown))) {
    scheduler->ArmAfterMinutes(minutes);
  }
}

void FrmMenu::mnuCancelSchedule_Click() {
  if (auto* scheduler = dynamic_cast<FrmShutDown*>(tools_.Find(ToolWindowKind::kFrmShutDown))) {
    scheduler->CancelSchedule();
  }
}

// An armed schedule goes with the program: the user says whether to leave.
bool FrmMenu::ScheduleAllowsExit() {
  const ArmedSchedule& schedule = ProgramSchedule();
  if (!schedule.IsArmed()) return true;
  std::wstring summary = schedule.Summary(RunningSecond(platform_.TickCount()));
  if (schedule.Verb().empty()) summary.insert(0, kWarningCaption);
  // A nightly schedule is kept in the settings and comes back at the next start.
  const std::wstring text =
      ProgramSettings().scheduleNightlyArmed
          ? L"زمان‌بندی «" + summary + L"» تا شروع دوباره " + kApplicationTitle +
                L" کار نمی‌کند و با شروع بعدی دوباره برقرار می‌شود.\nخارج می‌شوید؟"
          : L"زمان‌بندی «" + summary + L"» با خروج از " + kApplicationTitle +
                L" لغو می‌شود.\nخارج می‌شوید؟";
  return platform_.ShowMessageBox(hwnd_, text, kApplicationTitle,
                                  kMbYesNo | kMbIconQuestion | kMbDefButton2 | kMbRtlReading |
                                      kMbRight) == kIdYes;
}

// The menu's Exit: the one way out that may ask first.
void FrmMenu::mnuExit_Click() {
  if (!ScheduleAllowsExit() || !EventsAllowExit()) return;
  ExitProgram();
}

// Events that could not be saved are tried once more; if they still fail,
// the user chooses whether to leave.
bool FrmMenu::EventsAllowExit() {
  KeepEventDraftOnExit();
  return LeaveDespiteUnsavedEvents(platform_, mainWindow_ ? mainWindow_->Handle() : nullptr);
}

void FrmMenu::ExitProgram() {
  KeepEventDraftOnExit();
  Unload();
  if (mainWindow_) mainWindow_->Unload();  // closes an open song
  // The song gets a second close; it fails harmlessly.
  if (IsPlaying) platform_.SendMediaCommand(L"close " + SongFile);
  endProgram_();
}

}  // namespace tavilo
