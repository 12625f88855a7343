// The scheduler's controls as data, in twips, and its tooltips. Top to
// bottom: the instruction, the three modes, the chosen mode's boxes (running
// time as it always was, "after" and "at" in the same columns), the six
// actions in two rows of three, graceful closing, then the status beside the
// buttons.
#include "tools/FrmShutDown.h"

#include <commctrl.h>

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmShutDown";
constexpr wchar_t kCaption[] = L"مديريت زمان روشن بودن رايانه";

constexpr float kClientWidthTwips = 6660;
constexpr float kClientHeightTwips = 4035;

// Every control reads right to left and is right-aligned.
constexpr DWORD kLabelStyle = SS_RIGHT;
constexpr DWORD kBoxStyle = ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kBoxExStyle = kRightToLeftExStyle | WS_EX_CLIENTEDGE;
// The round button is drawn on the right of its caption.
constexpr DWORD kOptionStyle = BS_AUTORADIOBUTTON | BS_LEFTTEXT | BS_RIGHT;
constexpr DWORD kFirstOption = kOptionStyle | WS_GROUP | WS_TABSTOP;
constexpr DWORD kRtl = kRightToLeftExStyle;

// Three columns, right to left, the first wide enough for signing out, and
// the rows of options.
constexpr float kRight = 4140, kWide = 2400, kMiddle = 2130, kLeft = 120, kColumn = 1950;
constexpr float kModeTop = 660, kCaptionTop = 1140, kBoxTop = 1500, kRow = 375;
constexpr float kActionTop = 2040, kActionTop2 = 2460;
// The boxes' columns: hours, minutes, seconds (the running time's own).
constexpr float kHourLeft = 1500, kMinLeft = 2820, kSecLeft = 4260;

constexpr wchar_t kGracefulTip[] =
    L"روشن: از برنامه‌ها خواسته می‌شود بسته شوند، و برنامه‌ای با کار ذخیره‌نشده می‌تواند جلوی "
    L"خروج، خاموش شدن یا راه‌اندازی دوباره را بگیرد. خاموش: برنامه‌ها به اجبار بسته می‌شوند و "
    L"کار ذخیره‌نشده از دست می‌رود.";
constexpr wchar_t kNoSleepTip[] = L"این رایانه حالت خواب ندارد.";
constexpr wchar_t kNoHibernateTip[] =
    L"این رایانه خواب زمستانی ندارد، یا خواب زمستانی در آن خاموش است.";

using F = FrmShutDown;

// In tab order (creation order is tab order). Each mode's first control
// starts a group, so the arrows keep to the options of a group.
constexpr ControlSpec kLayout[] = {
    {F::kLabel1, L"STATIC", L"زمان و کاری را که رایانه باید انجام دهد، در زیر انتخاب کنید.",
     kLabelStyle, kRtl, 120, 120, 6420, 480},
    {F::kOptAfter, L"BUTTON", L"پس از", kFirstOption, kRtl, kRight, kModeTop, kWide, kRow},
    {F::kOptAt, L"BUTTON", L"در ساعت", kOptionStyle, kRtl, kMiddle, kModeTop, kColumn, kRow},
    {F::kOptRunningTime, L"BUTTON", L"زمان کارکرد", kOptionStyle, kRtl, kLeft, kModeTop, kColumn,
     kRow},
    // Running time, as the boxes have always been: seconds first.
    {F::kLabel2, L"STATIC", L"ساعت", kLabelStyle | WS_GROUP, kRtl, 1380, kCaptionTop, 735, 255},
    {F::kLabel3, L"STATIC", L"دقيقه", kLabelStyle, kRtl, 2940, kCaptionTop, 615, 255},
    {F::kLabel4, L"STATIC", L"ثانيه", kLabelStyle, kRtl, 4140, kCaptionTop, 735, 255},
    {F::kTxtSec, L"EDIT", L"", kBoxStyle, kBoxExStyle, kSecLeft, kBoxTop, 855, 375},
    {F::kTxtMin, L"EDIT", L"", kBoxStyle, kBoxExStyle, kMinLeft, kBoxTop, 975, 375},
    {F::kTxtHour, L"EDIT", L"", kBoxStyle, kBoxExStyle, kHourLeft, kBoxTop, 855, 375},
    // After: hours (0-99) and minutes (0-999) from now.
    {F::kLblAfterHour, L"STATIC", L"ساعت", kLabelStyle | WS_GROUP, kRtl, 1380, kCaptionTop, 975,
     255},
    {F::kLblAfterMin, L"STATIC", L"دقیقه", kLabelStyle, kRtl, 2820, kCaptionTop, 975, 255},
    {F::kTxtAfterMin, L"EDIT", L"", kBoxStyle, kBoxExStyle, kMinLeft, kBoxTop, 975, 375},
    {F::kTxtAfterHour, L"EDIT", L"", kBoxStyle, kBoxExStyle, kHourLeft, kBoxTop, 855, 375},
    // At: a clock time and the day it falls on.
    {F::kLblAtHour, L"STATIC", L"ساعت", kLabelStyle | WS_GROUP, kRtl, 1380, kCaptionTop, 975,
     255},
    {F::kLblAtMin, L"STATIC", L"دقیقه", kLabelStyle, kRtl, 2820, kCaptionTop, 975, 255},
    {F::kLblAtDay, L"STATIC", L"", kLabelStyle | SS_NOPREFIX, kRtl, 3900, kBoxTop + 60, 1215, 255},
    {F::kTxtAtMin, L"EDIT", L"", kBoxStyle, kBoxExStyle, kMinLeft, kBoxTop, 975, 375},
    {F::kTxtAtHour, L"EDIT", L"", kBoxStyle, kBoxExStyle, kHourLeft, kBoxTop, 855, 375},
    // The actions, in ScheduleAction order.
    {F::kOptLog, L"BUTTON", L"خروج از حساب کاربری", kFirstOption, kRtl, kRight, kActionTop,
     kWide, kRow},
    {F::kOptShut, L"BUTTON", L"خاموش کردن", kOptionStyle, kRtl, kMiddle, kActionTop, kColumn,
     kRow},
    {F::kOptRestart, L"BUTTON", L"راه‌اندازی دوباره", kOptionStyle, kRtl, kLeft, kActionTop,
     kColumn, kRow},
    {F::kOptSleep, L"BUTTON", L"خواب", kOptionStyle, kRtl, kRight, kActionTop2, kWide, kRow},
    {F::kOptHibernate, L"BUTTON", L"خواب زمستانی", kOptionStyle, kRtl, kMiddle, kActionTop2,
     kColumn, kRow},
    {F::kOptLock, L"BUTTON", L"قفل کردن", kOptionStyle, kRtl, kLeft, kActionTop2, kColumn, kRow},
    {F::kChkGraceful, L"BUTTON", L"بستن برنامه‌ها بدون اجبار",
     BS_AUTOCHECKBOX | BS_LEFTTEXT | BS_RIGHT | WS_GROUP | WS_TABSTOP, kRtl, 3540, 2880, 3000,
     kRow},
    {F::kCmdOk, L"BUTTON", L"تاييد", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP | WS_DISABLED, kRtl,
     1320, 3420, 1215, 495},
    // What is armed and the time left, or why a target was refused; the
    // cancel button shows only while a schedule is armed.
    {F::kLblStatus, L"STATIC", L"", kLabelStyle | SS_NOPREFIX, kRtl, 2655, 3300, 3885, 720},
    {F::kCmdCancel, L"BUTTON", L"لغو", BS_PUSHBUTTON | WS_TABSTOP, kRtl, 120, 3420, 1080, 495},
};

}  // namespace

// The window opens where the system places new windows.
const ToolWindowDesign FrmShutDown::kDesign{
    kClassName, kCaption, kToolWindowStyle, kRightToLeftExStyle, Origin::kKeepPosition,
    0,          0,        kClientWidthTwips, kClientHeightTwips, kLayout,
    kTahomaPoints, FrmShutDown::kTxtSec, FrmShutDown::kCmdOk};

void FrmShutDown::AddToolTips() {
  toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  const auto add = [this](Control control, const wchar_t* text, bool overWindow) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_SUBCLASS | TTF_RTLREADING | (overWindow ? 0 : TTF_IDISHWND);
    tool.hwnd = hwnd_;
    tool.uId = overWindow ? static_cast<UINT_PTR>(control)
                          : reinterpret_cast<UINT_PTR>(GetDlgItem(hwnd_, control));
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(toolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  };
  add(kChkGraceful, kGracefulTip, false);
  if (!IsWindowEnabled(GetDlgItem(hwnd_, kOptSleep))) add(kOptSleep, kNoSleepTip, true);
  if (!IsWindowEnabled(GetDlgItem(hwnd_, kOptHibernate))) add(kOptHibernate, kNoHibernateTip, true);
  PlaceToolTips();
}

// The tips over disabled options follow the buttons' rectangles at each DPI.
void FrmShutDown::PlaceToolTips() {
  if (!toolTip_) return;
  SendMessageW(toolTip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(toolTip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(320, static_cast<int>(dpi_), 96));
  for (Control option : {kOptSleep, kOptHibernate}) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = hwnd_;
    tool.uId = static_cast<UINT_PTR>(option);
    HWND button = GetDlgItem(hwnd_, option);
    GetWindowRect(button, &tool.rect);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&tool.rect), 2);
    SendMessageW(toolTip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
}

}  // namespace tavilo
