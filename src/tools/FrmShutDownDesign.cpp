// The scheduler's controls as data, in twips, and its tooltips. Top to
// bottom: the instruction, the six modes in two rows of three, the chosen
// mode's controls (running time as it always was, the other boxes in the
// same columns, the program list, the week days), the six actions in two
// rows of three, graceful closing, then the status beside the buttons.
#include "tools/FrmShutDown.h"

#include <commctrl.h>

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmShutDown";
constexpr wchar_t kCaption[] = L"مديريت زمان روشن بودن رايانه";

constexpr float kClientWidthTwips = 6660;
constexpr float kClientHeightTwips = 5475;

// Every control reads right to left and is right-aligned.
constexpr DWORD kLabelStyle = SS_RIGHT;
constexpr DWORD kBoxStyle = ES_RIGHT | ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kBoxExStyle = kRightToLeftExStyle | WS_EX_CLIENTEDGE;
// The round button is drawn on the right of its caption.
constexpr DWORD kOptionStyle = BS_AUTORADIOBUTTON | BS_LEFTTEXT | BS_RIGHT;
constexpr DWORD kFirstOption = kOptionStyle | WS_GROUP | WS_TABSTOP;
constexpr DWORD kRtl = kRightToLeftExStyle;
constexpr DWORD kDayStyle = BS_AUTOCHECKBOX | BS_LEFTTEXT | BS_RIGHT | WS_TABSTOP;

// Three columns, right to left, the first wide enough for signing out, and
// the rows of options.
constexpr float kRight = 4140, kWide = 2400, kMiddle = 2130, kLeft = 120, kColumn = 1950;
constexpr float kModeTop = 660, kModeTop2 = 1035, kCaptionTop = 1500, kBoxTop = 1860, kRow = 375;
constexpr float kDayTop = 2340, kDayTop2 = 2700, kDay = 1560, kHintTop = 3060;
constexpr float kActionTop = 3480, kActionTop2 = 3900, kGracefulTop = 4320, kButtonTop = 4860;
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
    // The longest caption takes room from the short one beside it.
    {F::kOptProgram, L"BUTTON", L"پس از بسته شدن برنامه", kOptionStyle, kRtl, 3780, kModeTop2,
     2760, kRow},
    {F::kOptIdle, L"BUTTON", L"پس از بیکاری", kOptionStyle, kRtl, kMiddle, kModeTop2, 1590, kRow},
    {F::kOptNightly, L"BUTTON", L"هر روز در ساعت", kOptionStyle, kRtl, kLeft, kModeTop2, kColumn,
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
    // After a program closes: one item a program with a window.
    {F::kLstPrograms, L"LISTBOX", L"",
     LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_BORDER | WS_GROUP | WS_TABSTOP, kRtl,
     1320, kCaptionTop, 5220, 1860},
    {F::kCmdRefresh, L"BUTTON", L"تازه کردن", BS_PUSHBUTTON | WS_TABSTOP, kRtl, 120, kCaptionTop,
     1080, 435},
    // After N minutes without input.
    {F::kLblIdleMin, L"STATIC", L"دقیقه بیکاری (۱ تا ۹۹۹)", kLabelStyle | WS_GROUP, kRtl, 1320,
     kCaptionTop, 2475, 255},
    {F::kTxtIdleMin, L"EDIT", L"", kBoxStyle, kBoxExStyle, kMinLeft, kBoxTop, 975, 375},
    // Every chosen week day at a clock time; Saturday first, right to left.
    {F::kLblNightlyHour, L"STATIC", L"ساعت", kLabelStyle | WS_GROUP, kRtl, 1380, kCaptionTop,
     975, 255},
    {F::kLblNightlyMin, L"STATIC", L"دقیقه", kLabelStyle, kRtl, 2820, kCaptionTop, 975, 255},
    {F::kTxtNightlyMin, L"EDIT", L"", kBoxStyle, kBoxExStyle, kMinLeft, kBoxTop, 975, 375},
    {F::kTxtNightlyHour, L"EDIT", L"", kBoxStyle, kBoxExStyle, kHourLeft, kBoxTop, 855, 375},
    {F::kChkDay0, L"BUTTON", L"شنبه", kDayStyle | WS_GROUP, kRtl, 6540 - kDay, kDayTop, kDay, kRow},
    {F::kChkDay0 + 1, L"BUTTON", L"یکشنبه", kDayStyle, kRtl, 6540 - 2 * kDay, kDayTop, kDay, kRow},
    {F::kChkDay0 + 2, L"BUTTON", L"دوشنبه", kDayStyle, kRtl, 6540 - 3 * kDay, kDayTop, kDay, kRow},
    {F::kChkDay0 + 3, L"BUTTON", L"سه‌شنبه", kDayStyle, kRtl, 6540 - 4 * kDay, kDayTop, kDay, kRow},
    {F::kChkDay0 + 4, L"BUTTON", L"چهارشنبه", kDayStyle, kRtl, 6540 - kDay, kDayTop2, kDay, kRow},
    {F::kChkDay0 + 5, L"BUTTON", L"پنجشنبه", kDayStyle, kRtl, 6540 - 2 * kDay, kDayTop2, kDay,
     kRow},
    {F::kChkDay0 + 6, L"BUTTON", L"جمعه", kDayStyle, kRtl, 6540 - 3 * kDay, kDayTop2, kDay, kRow},
    {F::kLblStartHint, L"STATIC",
     L"باید Tavilo در آن ساعت باز باشد: «شروع با ویندوز» را در منو روشن کنید.",
     kLabelStyle | SS_NOPREFIX, kRtl, 120, kHintTop, 6420, 375},
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
     BS_AUTOCHECKBOX | BS_LEFTTEXT | BS_RIGHT | WS_GROUP | WS_TABSTOP, kRtl, 3540, kGracefulTop,
     3000, kRow},
    {F::kCmdOk, L"BUTTON", L"تاييد", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP | WS_DISABLED, kRtl,
     1320, kButtonTop, 1215, 495},
    // What is armed and the time left, or why a target was refused; the
    // cancel button shows only while a schedule is armed.
    {F::kLblStatus, L"STATIC", L"", kLabelStyle | SS_NOPREFIX, kRtl, 2655, kButtonTop - 120, 3885,
     720},
    {F::kCmdCancel, L"BUTTON", L"لغو", BS_PUSHBUTTON | WS_TABSTOP, kRtl, 120, kButtonTop, 1080,
     495},
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
