#include "tools/FrmPrayer.h"

#include <string>

#include "calendar/Places.h"
#include "tools/logic/PrayerChoice.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmPrayer";
constexpr wchar_t kCaption[] = L"اوقات شرعی";
constexpr wchar_t kNoMatch[] = L"مکانی با این نام پیدا نشد";
constexpr wchar_t kNoPlace[] = L"هنوز مکانی انتخاب نشده است";
constexpr wchar_t kChosen[] = L"مکان انتخاب‌شده: ";

constexpr float kClientWidth = 5400;
constexpr float kClientHeight = 9990;

constexpr DWORD kLabel = SS_RIGHT | SS_NOPREFIX;
constexpr DWORD kBox = ES_AUTOHSCROLL | WS_TABSTOP;
constexpr DWORD kBoxEx = WS_EX_CLIENTEDGE | kRightToLeftExStyle;
constexpr DWORD kButton = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kDropDown = CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;

// From the top right, as the eye reads; a combo box's height includes its
// dropped-down list.
constexpr ControlSpec kControls[] = {
    {FrmPrayer::kLblSearch, L"STATIC", L"نام شهر به فارسی یا لاتین", kLabel, kRightToLeftExStyle,
     120, 120, 5160, 270},
    {FrmPrayer::kTxtSearch, L"EDIT", L"", kBox, kBoxEx, 120, 420, 5160, 345},
    {FrmPrayer::kLstPlaces, L"LISTBOX", L"",
     LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, kBoxEx, 120, 840, 5160, 2100},
    {FrmPrayer::kLblSearchMessage, L"STATIC", L"", kLabel, kRightToLeftExStyle, 120, 3060, 3120,
     300},
    {FrmPrayer::kCmdChoose, L"BUTTON", L"انتخاب این مکان", kButton, WS_EX_RTLREADING, 3360, 3030,
     1920, 390},
    {FrmPrayer::kLblCoordinates, L"STATIC", L"یا مختصات به درجه، شمال و شرق مثبت", kLabel,
     kRightToLeftExStyle, 120, 3570, 5160, 270},
    {FrmPrayer::kLblLatitude, L"STATIC", L"عرض جغرافیایی", kLabel, kRightToLeftExStyle, 3720,
     3930, 1560, 300},
    {FrmPrayer::kTxtLatitude, L"EDIT", L"", kBox, kBoxEx, 2160, 3900, 1500, 345},
    {FrmPrayer::kLblLatitudeMessage, L"STATIC", L"", kLabel, kRightToLeftExStyle, 120, 3930, 1980,
     300},
    {FrmPrayer::kLblLongitude, L"STATIC", L"طول جغرافیایی", kLabel, kRightToLeftExStyle, 3720,
     4350, 1560, 300},
    {FrmPrayer::kTxtLongitude, L"EDIT", L"", kBox, kBoxEx, 2160, 4320, 1500, 345},
    {FrmPrayer::kLblLongitudeMessage, L"STATIC", L"", kLabel, kRightToLeftExStyle, 120, 4350, 1980,
     300},
    {FrmPrayer::kCmdUseCoordinates, L"BUTTON", L"ثبت مختصات", kButton, WS_EX_RTLREADING, 3360,
     4770, 1920, 390},
    {FrmPrayer::kLblMethod, L"STATIC", L"روش محاسبه", kLabel, kRightToLeftExStyle, 3720, 5340,
     1560, 300},
    {FrmPrayer::kCboMethod, L"COMBOBOX", L"", kDropDown, kRightToLeftExStyle, 120, 5310, 3540,
     2400},
    {FrmPrayer::kLblAsr, L"STATIC", L"اذان عصر", kLabel, kRightToLeftExStyle, 3720, 5760, 1560,
     300},
    {FrmPrayer::kCboAsr, L"COMBOBOX", L"", kDropDown, kRightToLeftExStyle, 120, 5730, 3540, 1200},
    {FrmPrayer::kChkAsrIsha, L"BUTTON", L"اذان عصر و عشا را هم نشان بده",
     BS_AUTOCHECKBOX | BS_LEFTTEXT | BS_RIGHT | WS_TABSTOP, kRightToLeftExStyle, 120, 6150, 5160,
     330},
    {FrmPrayer::kLblChosen, L"STATIC", L"", kLabel, kRightToLeftExStyle, 120, 6570, 5160, 300},
    // --- reminders ---: two times a row, the earlier at the right.
    {FrmPrayer::kLblReminders, L"STATIC", L"یادآوری", kLabel, kRightToLeftExStyle, 2940, 7020,
     2340, 300},
    {FrmPrayer::kCmdStarterReminders, L"BUTTON", L"صبح، ظهر و مغرب سر وقت", kButton,
     WS_EX_RTLREADING, 120, 6960, 2760, 390},
#define TAVILO_REMINDER_ROW(kind, top)                                                      \
  {FrmPrayer::kLblRemindFirst + 4 * (kind), L"STATIC", L"", kLabel | SS_CENTERIMAGE,          \
   kRightToLeftExStyle, 4140, (top) - 30, 1140, 420},                                         \
  {FrmPrayer::kCboRemindFirst + 4 * (kind), L"COMBOBOX", L"", kDropDown,                      \
   kRightToLeftExStyle, 2700, top, 1380, 2400},                                               \
  {FrmPrayer::kLblRemindFirst + 4 * (kind) + 2, L"STATIC", L"", kLabel | SS_CENTERIMAGE,      \
   kRightToLeftExStyle, 1380, (top) - 30, 1260, 420},                                         \
  {FrmPrayer::kCboRemindFirst + 4 * (kind) + 2, L"COMBOBOX", L"", kDropDown,                  \
   kRightToLeftExStyle, 120, top, 1230, 2400}
    TAVILO_REMINDER_ROW(0, 7440),
    TAVILO_REMINDER_ROW(1, 7860),
    TAVILO_REMINDER_ROW(2, 8280),
    TAVILO_REMINDER_ROW(3, 8700),
#undef TAVILO_REMINDER_ROW
    {FrmPrayer::kLblSound, L"STATIC", L"صدا", kLabel, kRightToLeftExStyle, 4140, 9150, 1140, 300},
    {FrmPrayer::kCboSound, L"COMBOBOX", L"", kDropDown, kRightToLeftExStyle, 2160, 9120, 1920,
     1200},
    {FrmPrayer::kCmdSoundFile, L"BUTTON", L"انتخاب پرونده صوتی", kButton, WS_EX_RTLREADING, 120,
     9075, 1980, 420},
    {FrmPrayer::kLblSoundFile, L"STATIC", L"", kLabel | SS_PATHELLIPSIS, kRightToLeftExStyle, 120,
     9570, 5160, 300},
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
    2400,          1500,      kClientWidth,     kClientHeight,       kControls,
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
  if (chosen && !chosen->known) {
    SetDlgItemTextW(hwnd_, kTxtLatitude, CoordinateText(settings.prayerLatitude).c_str());
    SetDlgItemTextW(hwnd_, kTxtLongitude, CoordinateText(settings.prayerLongitude).c_str());
  }
  FillPlaces();
  ShowChosenPlace();
  BuildReminders();
}

LRESULT FrmPrayer::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case kSettingsChanged:
      ShowChosenPlace();
      ShowReminders();
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
  }
  SetDlgItemTextW(hwnd_, kLblChosen, text.c_str());
}

// Stored, and every window that shows the times follows.
void FrmPrayer::ChangePrayerSetting(Setting setting, int value) {
  ChangeSetting(platform_, setting, value);
  BroadcastSettingsChanged();
}

}  // namespace tavilo
