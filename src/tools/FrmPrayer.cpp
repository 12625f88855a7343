#include "tools/FrmPrayer.h"

#include <algorithm>
#include <string>

#include "calendar/Numbers.h"
#include "calendar/Places.h"
#include "tools/logic/PrayerChoice.h"
#include "tools/logic/PrayerText.h"
#include "ui/Midnight.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmPrayer";
constexpr wchar_t kCaption[] = L"اوقات شرعی";
constexpr wchar_t kNoMatch[] = L"مکانی با این نام پیدا نشد";
constexpr wchar_t kNoPlace[] = L"هنوز مکانی انتخاب نشده است";
constexpr wchar_t kChosen[] = L"مکان انتخاب‌شده: ";

// Two columns: where and how the times are computed at the right, where
// the eye starts; today's times they give, their reminders and the sound at
// the left. Low enough for a 144-DPI screen 800 pixels high.
constexpr float kClientWidth = 11040;
constexpr float kClientHeight = 6720;
constexpr float kRight = 5640;  // the right column's offset from the left one

constexpr DWORD kLabel = SS_RIGHT | SS_NOPREFIX;
constexpr DWORD kBox = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kBoxEx = WS_EX_CLIENTEDGE | kRightToLeftExStyle;
// Buttons tell when they take the focus, so that a scrolled window can
// bring them into view.
constexpr DWORD kButton = BS_PUSHBUTTON | BS_NOTIFY | WS_TABSTOP;
constexpr DWORD kDropDown = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

// From the top right, as the eye reads; a combo box's height includes its
// dropped-down list.
constexpr ControlSpec kControls[] = {
    {FrmPrayer::kLblSearch, L"STATIC", L"نام شهر به فارسی یا لاتین", kLabel, kRightToLeftExStyle,
     kRight + 120, 120, 5160, 270},
    {FrmPrayer::kTxtSearch, L"EDIT", L"", kBox, kBoxEx, kRight + 120, 420, 5160, 345},
    {FrmPrayer::kLstPlaces, L"LISTBOX", L"",
     LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, kBoxEx, kRight + 120, 840, 5160,
     1800},
    {FrmPrayer::kLblSearchMessage, L"STATIC", L"", kLabel, kRightToLeftExStyle, kRight + 120, 2760,
     3120, 300},
    {FrmPrayer::kCmdChoose, L"BUTTON", L"انتخاب این مکان", kButton, WS_EX_RTLREADING,
     kRight + 3360, 2730, 1920, 390},
    {FrmPrayer::kLblCoordinates, L"STATIC", L"یا مختصات به درجه، شمال و شرق مثبت", kLabel,
     kRightToLeftExStyle, kRight + 120, 3240, 5160, 270},
    // A message beside a box takes two lines: it shows an example.
    {FrmPrayer::kLblLatitude, L"STATIC", L"عرض جغرافیایی", kLabel, kRightToLeftExStyle,
     kRight + 3720, 3600, 1560, 300},
    {FrmPrayer::kTxtLatitude, L"EDIT", L"", kBox, kBoxEx, kRight + 2460, 3570, 1200, 345},
    {FrmPrayer::kLblLatitudeMessage, L"STATIC", L"", kLabel, kRightToLeftExStyle, kRight + 120,
     3600, 2280, 420},
    {FrmPrayer::kLblLongitude, L"STATIC", L"طول جغرافیایی", kLabel, kRightToLeftExStyle,
     kRight + 3720, 4080, 1560, 300},
    {FrmPrayer::kTxtLongitude, L"EDIT", L"", kBox, kBoxEx, kRight + 2460, 4050, 1200, 345},
    {FrmPrayer::kLblLongitudeMessage, L"STATIC", L"", kLabel, kRightToLeftExStyle, kRight + 120,
     4080, 2280, 420},
    {FrmPrayer::kCmdUseCoordinates, L"BUTTON", L"ثبت مختصات", kButton, WS_EX_RTLREADING,
     kRight + 3360, 4530, 1920, 390},
    {FrmPrayer::kLblMethod, L"STATIC", L"روش محاسبه", kLabel, kRightToLeftExStyle, kRight + 3720,
     5070, 1560, 300},
    {FrmPrayer::kCboMethod, L"COMBOBOX", L"", kDropDown, kRightToLeftExStyle, kRight + 120, 5040,
     3540, 2400},
    {FrmPrayer::kLblAsr, L"STATIC", L"اذان عصر", kLabel, kRightToLeftExStyle, kRight + 3720, 5490,
     1560, 300},
    {FrmPrayer::kCboAsr, L"COMBOBOX", L"", kDropDown, kRightToLeftExStyle, kRight + 120, 5460, 3540,
     1200},
    {FrmPrayer::kChkAsrIsha, L"BUTTON", L"اذان عصر و عشا را هم نشان بده",
     BS_AUTOCHECKBOX | BS_LEFTTEXT | BS_RIGHT | BS_NOTIFY | WS_TABSTOP, kRightToLeftExStyle,
     kRight + 120, 5880, 5160, 330},
    {FrmPrayer::kLblChosen, L"STATIC", L"", kLabel, kRightToLeftExStyle, kRight + 120, 6300, 5160,
     300},
    // --- the left column ---
    {FrmPrayer::kLblToday, L"STATIC", L"اوقات امروز", kLabel, kRightToLeftExStyle, 120, 120, 5160,
     270},
    {FrmPrayer::kTxtToday, L"EDIT", L"", ES_MULTILINE | ES_READONLY | ES_RIGHT | WS_TABSTOP,
     WS_EX_CLIENTEDGE | WS_EX_RTLREADING, 120, 420, 5160, 1380},
    // --- reminders ---: two times a row, the earlier at the right.
    {FrmPrayer::kLblReminders, L"STATIC", L"یادآوری", kLabel, kRightToLeftExStyle, 2940, 1980,
     2340, 300},
    {FrmPrayer::kCmdStarterReminders, L"BUTTON", L"صبح، ظهر و مغرب سر وقت", kButton,
     WS_EX_RTLREADING, 120, 1920, 2760, 390},
#define TAVILO_REMINDER_ROW(kind, top)                                                      \
  {FrmPrayer::kLblRemindFirst + 4 * (kind), L"STATIC", L"", kLabel | SS_CENTERIMAGE,          \
   kRightToLeftExStyle, 4140, (top) - 30, 1140, 420},                                         \
  {FrmPrayer::kCboRemindFirst + 4 * (kind), L"COMBOBOX", L"", kDropDown,                      \
   kRightToLeftExStyle, 2700, top, 1380, 2400},                                               \
  {FrmPrayer::kLblRemindFirst + 4 * (kind) + 2, L"STATIC", L"", kLabel | SS_CENTERIMAGE,      \
   kRightToLeftExStyle, 1380, (top) - 30, 1260, 420},                                         \
  {FrmPrayer::kCboRemindFirst + 4 * (kind) + 2, L"COMBOBOX", L"", kDropDown,                  \
   kRightToLeftExStyle, 120, top, 1230, 2400}
    TAVILO_REMINDER_ROW(0, 2400),
    TAVILO_REMINDER_ROW(1, 2820),
    TAVILO_REMINDER_ROW(2, 3240),
    TAVILO_REMINDER_ROW(3, 3660),
#undef TAVILO_REMINDER_ROW
    {FrmPrayer::kLblSound, L"STATIC", L"صدا", kLabel, kRightToLeftExStyle, 4140, 4110, 1140, 300},
    {FrmPrayer::kCboSound, L"COMBOBOX", L"", kDropDown, kRightToLeftExStyle, 2160, 4080, 1920,
     1200},
    {FrmPrayer::kCmdSoundFile, L"BUTTON", L"انتخاب پرونده صوتی", kButton, WS_EX_RTLREADING, 120,
     4035, 1980, 420},
    {FrmPrayer::kLblSoundFile, L"STATIC", L"", kLabel | SS_PATHELLIPSIS, kRightToLeftExStyle, 120,
     4530, 5160, 300},
};

std::wstring ItemText(HWND window, int control) {
  HWND box = GetDlgItem(window, control);
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

const ToolWindowDesign FrmPrayer::kDesign{
    kClassName,    kCaption,  kToolWindowStyle, kRightToLeftExStyle, Origin::kClientArea,
    1200,          600,       kClientWidth,     kClientHeight,       kControls,
    kTahomaPoints, kTxtSearch, kCmdChoose};

FrmPrayer::FrmPrayer(Platform& platform) : ToolWindowBase(platform) {}

void FrmPrayer::BuildWindow() {
  for (int method = 0; method < kPrayerMethodCount; ++method) {
    const std::wstring name(PrayerMethodName(static_cast<PrayerMethod>(method)));
    SendDlgItemMessageW(hwnd_, kCboMethod, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  for (int shadow = 0; shadow < kAsrShadowCount; ++shadow) {
    const std::wstring name(AsrShadowName(static_cast<AsrShadow>(shadow)));
    SendDlgItemMessageW(hwnd_, kCboAsr, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  const Settings& settings = ProgramSettings();
  SendDlgItemMessageW(hwnd_, kCboMethod, CB_SETCURSEL, static_cast<WPARAM>(settings.prayerMethod), 0);
  SendDlgItemMessageW(hwnd_, kCboAsr, CB_SETCURSEL, static_cast<WPARAM>(settings.asrShadow), 0);
  CheckDlgButton(hwnd_, kChkAsrIsha, settings.prayerAsrIsha ? BST_CHECKED : BST_UNCHECKED);
  const std::optional<PrayerPlaceChoice> chosen = ChosenPrayerPlace(settings);
  listedFor_ = chosen && chosen->known ? chosen->known->geonamesId : 0;
  FillPlaces();
  ShowChosenPlace();
  ShowToday();
  BuildReminders();
}

LRESULT FrmPrayer::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case kSettingsChanged:
      ShowChosenPlace();
      ShowToday();
      ShowReminders();
      return 0;
    case WM_TIMER:
      if (wparam == kTodayTimer) ShowToday();
      return 0;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void FrmPrayer::OnCommand(int control, int notification) {
  if (OnReminderCommand(control, notification)) return;
  switch (control) {
    case kTxtSearch:
      if (notification == EN_CHANGE) FillPlaces();
      return;
    case kLstPlaces:
      if (notification == LBN_DBLCLK) ChooseListedPlace();
      return;
    case kCmdChoose: {
      if (notification != BN_CLICKED) return;
      // Enter in a coordinate box presses the main button: the coordinates.
      const int focus = GetDlgCtrlID(GetFocus());
      if (focus == kTxtLatitude || focus == kTxtLongitude) {
        UseCoordinates();
      } else {
        ChooseListedPlace();
      }
      return;
    }
    case kCmdUseCoordinates:
      if (notification == BN_CLICKED) UseCoordinates();
      return;
    case kCboMethod:
    case kCboAsr:
      if (notification != CBN_SELCHANGE) return;
      ChangePrayerSetting(control == kCboMethod ? Setting::kPrayerMethod : Setting::kAsrShadow,
                          static_cast<int>(SendDlgItemMessageW(hwnd_, control, CB_GETCURSEL, 0, 0)));
      return;
    case kChkAsrIsha:
      if (notification == BN_CLICKED) {
        ChangePrayerSetting(Setting::kPrayerAsrIsha,
                            IsDlgButtonChecked(hwnd_, kChkAsrIsha) == BST_CHECKED);
      }
      return;
  }
}

void FrmPrayer::FillPlaces() {
  HWND list = GetDlgItem(hwnd_, kLstPlaces);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  int selected = 0;
  for (const KnownPlace* place : SearchPlaces(ItemText(hwnd_, kTxtSearch))) {
    const std::wstring line = L"\u200F" + std::wstring(place->persianName) + L" – " +
                              std::wstring(place->latinName);
    const LRESULT index = SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), place->geonamesId);
    if (place->geonamesId == listedFor_) selected = static_cast<int>(index);
  }
  const bool none = SendMessageW(list, LB_GETCOUNT, 0, 0) == 0;
  if (!none) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
  SetDlgItemTextW(hwnd_, kLblSearchMessage, none ? kNoMatch : L"");
  EnableWindow(GetDlgItem(hwnd_, kCmdChoose), !none);
}

void FrmPrayer::ChooseListedPlace() {
  HWND list = GetDlgItem(hwnd_, kLstPlaces);
  const LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
  if (index == LB_ERR) return;
  listedFor_ = static_cast<int32_t>(SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0));
  ChangePrayerSetting(Setting::kPrayerPlace, listedFor_);
}

void FrmPrayer::UseCoordinates() {
  const TypedCoordinates typed =
      ReadCoordinates(ItemText(hwnd_, kTxtLatitude), ItemText(hwnd_, kTxtLongitude));
  SetDlgItemTextW(hwnd_, kLblLatitudeMessage, std::wstring(typed.latitudeMessage).c_str());
  SetDlgItemTextW(hwnd_, kLblLongitudeMessage, std::wstring(typed.longitudeMessage).c_str());
  if (!typed.Valid()) return;
  ChangeSetting(platform_, Setting::kPrayerLatitude, *typed.latitude);
  ChangeSetting(platform_, Setting::kPrayerLongitude, *typed.longitude);
  listedFor_ = 0;
  ChangePrayerSetting(Setting::kPrayerPlace, 0);
}

void FrmPrayer::ShowChosenPlace() {
  const Settings& settings = ProgramSettings();
  const std::optional<PrayerPlaceChoice> chosen = ChosenPrayerPlace(settings);
  std::wstring text = kNoPlace;
  if (chosen) {
    text = kChosen + (chosen->known ? std::wstring(chosen->known->persianName)
                                    : CoordinatesName(settings.prayerLatitude,
                                                      settings.prayerLongitude));
    // Only a new place replaces what the boxes hold: another setting's
    // change leaves coordinates being typed alone.
    const std::pair<int32_t, int32_t> coordinates =
        chosen->known ? std::pair(chosen->known->latitude, chosen->known->longitude)
                      : std::pair(settings.prayerLatitude, settings.prayerLongitude);
    if (boxesShow_ != coordinates) {
      boxesShow_ = coordinates;
      SetDlgItemTextW(hwnd_, kTxtLatitude, CoordinateText(coordinates.first).c_str());
      SetDlgItemTextW(hwnd_, kTxtLongitude, CoordinateText(coordinates.second).c_str());
      SetDlgItemTextW(hwnd_, kLblLatitudeMessage, L"");
      SetDlgItemTextW(hwnd_, kLblLongitudeMessage, L"");
    }
  }
  SetDlgItemTextW(hwnd_, kLblChosen, text.c_str());
}

void FrmPrayer::ShowToday() {
  const int64_t now = platform_.UnixTimeNow();
  const int32_t today = DayOfDate(platform_.Now());
  const std::optional<DayPrayers> prayers = ChosenDayPrayers(today, ProgramSettings());
  if (!prayers) {
    KillTimer(hwnd_, kTodayTimer);
    SetDlgItemTextW(hwnd_, kTxtToday, kNoPlace);
    return;
  }
  const std::optional<UpcomingTime> next = NextTimeOfDay(now, *prayers);
  uint32_t wait = MillisecondsToNextMidnight(platform_.Now());
  if (next) wait = std::min(wait, MillisecondsUntilPassed(now, *next));
  SetDlgItemTextW(hwnd_, kTxtToday,
                  PrayerDayText(platform_, today, *prayers,
                                next ? std::optional(next->kind) : std::nullopt)
                      .c_str());
  SetTimer(hwnd_, kTodayTimer, wait, nullptr);
}

// Stored, and every window that shows the times follows.
void FrmPrayer::ChangePrayerSetting(Setting setting, int value) {
  ChangeSetting(platform_, setting, value);
  BroadcastSettingsChanged();
}

}  // namespace tavilo
