#include "tools/FrmCalendarExport.h"

#include <string>
#include <utility>

#include "tools/logic/ICalendarExport.h"
#include "tools/logic/UserEvents.h"
#include "ui/PersianDigits.h"
#include "ui/Settings.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmCalendarExport";
constexpr wchar_t kCaption[] = L"خروجی iCalendar";

// Client area in twips: 340 x 186 pixels at 96 DPI.
constexpr float kClientWidth = 5100;
constexpr float kClientHeight = 2790;

constexpr DWORD kLabelStyle = SS_RIGHT | SS_NOPREFIX;
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;

constexpr ControlSpec kControls[] = {
    {FrmCalendarExport::kTxtYear, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP,
     kRightToLeftExStyle | WS_EX_CLIENTEDGE, 2760, 120, 960, 360},
    {FrmCalendarExport::kChkUserEvents, L"BUTTON", L"رویدادهای من را هم بیاور",
     BS_AUTOCHECKBOX | BS_LEFTTEXT | BS_RIGHT | WS_TABSTOP, kRightToLeftExStyle, 120, 600, 4860,
     330},
    {FrmCalendarExport::kCmdSave, L"BUTTON", L"ذخیره…", kButtonStyle, WS_EX_RTLREADING, 1320,
     2280, 1080, 390},
    {FrmCalendarExport::kCmdCancel, L"BUTTON", L"انصراف", kButtonStyle, WS_EX_RTLREADING, 120,
     2280, 1080, 390},
    {FrmCalendarExport::kLblYear, L"STATIC", L"سال شمسی", kLabelStyle, kRightToLeftExStyle, 3780,
     150, 1200, 300},
    {FrmCalendarExport::kLblYearMessage, L"STATIC", L"", kLabelStyle, kRightToLeftExStyle, 120,
     150, 2580, 300},
    {FrmCalendarExport::kLblContents, L"STATIC",
     L"تعطیلات رسمی و مناسبت‌های ایران در آن سال، هر یک رویدادی یک‌روزه در تاریخ "
     L"میلادی‌اش، در پرونده‌ای که برنامه‌های تقویم دیگر می‌خوانند",
     kLabelStyle, kRightToLeftExStyle, 120, 1020, 4860, 660},
    {FrmCalendarExport::kLblMessage, L"STATIC", L"", kLabelStyle, kRightToLeftExStyle, 120, 1740,
     4860, 480},
};

const std::vector<FileFilter> kFilters = {{L"iCalendar (*.ics)", L"*.ics"}};

std::wstring ItemText(HWND window, int id) {
  HWND box = GetDlgItem(window, id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(box)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(box, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

const ToolWindowDesign FrmCalendarExport::kDesign{
    kClassName,    kCaption,  kToolWindowStyle, kRightToLeftExStyle, Origin::kKeepPosition,
    0,             0,         kClientWidth,     kClientHeight,       kControls,
    kTahomaPoints, kTxtYear,  kCmdSave};

FrmCalendarExport::FrmCalendarExport(Platform& platform,
                                     std::function<void(const std::wstring&)> saved)
    : ToolWindowBase(platform), saved_(std::move(saved)) {}

void FrmCalendarExport::Open(int year) {
  if (hwnd_) {
    BringToFront();
    return;
  }
  year_ = year;
  Open();
}

void FrmCalendarExport::BuildWindow() {
  SetDlgItemTextW(hwnd_, kTxtYear, PersianDigits(std::to_wstring(year_)).c_str());
  CheckDlgButton(hwnd_, kChkUserEvents, BST_CHECKED);
  CentreOverActiveWindow();  // the calendar it was asked from
}

LRESULT FrmCalendarExport::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND && HIWORD(wparam) == BN_CLICKED) {
    switch (LOWORD(wparam)) {
      case kCmdSave: Save(); return 0;
      case kCmdCancel: PostMessageW(hwnd_, WM_CLOSE, 0, 0); return 0;
    }
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

bool FrmCalendarExport::Save() {
  if (!hwnd_) return false;
  const ExportYearAnswer year = ReadExportYear(ItemText(hwnd_, kTxtYear));
  SetDlgItemTextW(hwnd_, kLblYearMessage, year.message.c_str());
  SetDlgItemTextW(hwnd_, kLblMessage, L"");
  if (!year.year) {
    HWND box = GetDlgItem(hwnd_, kTxtYear);
    SetFocus(box);
    SendMessageW(box, EM_SETSEL, 0, -1);
    return false;
  }
  const std::optional<std::wstring> path =
      platform_.ShowSaveFileDialog(hwnd_, kFilters, ExportFileName(*year.year), L"ics");
  if (!path) return false;
  const bool userEvents = IsDlgButtonChecked(hwnd_, kChkUserEvents) == BST_CHECKED;
  const std::string text = ICalendarText(
      {*year.year, ProgramSettings().lunarCorrection, userEvents, platform_.UnixTimeNow()},
      ProgramEvents().Events());
  const std::wstring failure = SaveExportFile(platform_, *path, text);
  SetDlgItemTextW(hwnd_, kLblMessage, failure.c_str());
  if (!failure.empty()) return false;
  if (saved_) saved_(ExportSavedText(*year.year, text, *path));
  PostMessageW(hwnd_, WM_CLOSE, 0, 0);
  return true;
}

}  // namespace tavilo
