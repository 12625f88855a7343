#include "tools/FrmTimetable.h"

#include <algorithm>

#include "calendar/Numbers.h"
#include "calendar/ShamsiArithmetic.h"
#include "tools/TimetablePage.h"
#include "tools/logic/ICalendarExport.h"
#include "ui/PersianDigits.h"
#include "ui/Settings.h"
#include "ui/WindowTheme.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmTimetable";
constexpr wchar_t kCaption[] = L"جدول ماه";

// Client area in twips: 620 x 310 pixels at 96 DPI, which a 1280 x 720
// screen's work area holds with the frame at 192 DPI too.
constexpr float kClientWidth = 9300;
constexpr float kClientHeight = 4650;

constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kLabelStyle = SS_RIGHT | SS_NOPREFIX;

constexpr ControlSpec kControls[] = {
    {FrmTimetable::kLstDays, WC_LISTVIEWW, L"",
     LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | WS_TABSTOP,
     WS_EX_CLIENTEDGE, 120, 780, 9060, 3270},
    {FrmTimetable::kCmdPrevious, L"BUTTON", L"ماه قبل", kButtonStyle, WS_EX_RTLREADING, 8100,
     4170, 1080, 390},
    {FrmTimetable::kCmdNext, L"BUTTON", L"ماه بعد", kButtonStyle, WS_EX_RTLREADING, 6900, 4170,
     1080, 390},
    {FrmTimetable::kCmdSave, L"BUTTON", L"ذخیره…", kButtonStyle, WS_EX_RTLREADING, 1320, 4170, 1080,
     390},
    {FrmTimetable::kCmdPrint, L"BUTTON", L"چاپ…", kButtonStyle, WS_EX_RTLREADING, 120, 4170, 1080,
     390},
    {FrmTimetable::kLblHeading, L"STATIC", L"", kLabelStyle, kRightToLeftExStyle, 120, 90, 9060,
     330},
    {FrmTimetable::kLblMonths, L"STATIC", L"", kLabelStyle, kRightToLeftExStyle, 120, 450, 9060,
     300},
    {FrmTimetable::kLblMessage, L"STATIC", L"", kLabelStyle, kRightToLeftExStyle, 2520, 4200, 4260,
     360},
};

const std::vector<FileFilter> kFilters = {{L"صفحهٔ وب (*.html)", L"*.html"},
                                          {L"CSV برای صفحه‌گسترده (*.csv)", L"*.csv"}};

constexpr wchar_t kNoPlace[] = L"برای جدول، مکان اوقات شرعی را در تقویم انتخاب کنید.";
constexpr wchar_t kNoPrinter[] =
    L"چاپگری نصب نیست. جدول را با «ذخیره…» به صفحهٔ وب ببرید و از مرورگر چاپ کنید.";
constexpr wchar_t kSent[] = L"جدول به چاپگر فرستاده شد.";

std::wstring Number(long value) { return PersianDigits(std::to_wstring(value)); }

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  if (text.size() < end.size()) return false;
  return std::equal(end.rbegin(), end.rend(), text.rbegin(),
                    [](wchar_t a, wchar_t b) { return towlower(a) == towlower(b); });
}

}  // namespace

const ToolWindowDesign FrmTimetable::kDesign{
    kClassName,    kCaption, kToolWindowStyle, kRightToLeftExStyle, Origin::kKeepPosition,
    0,             0,        kClientWidth,     kClientHeight,       kControls,
    kTahomaPoints, kLstDays, kCmdPrint};

FrmTimetable::FrmTimetable(Platform& platform) : ToolWindowBase(platform) {}

void FrmTimetable::ShowMonth(ShamsiMonth month) {
  month_ = month;
  if (!hwnd_) {
    Open();
    return;
  }
  Fill();
}

void FrmTimetable::Refresh() {
  if (hwnd_) Fill();
}

void FrmTimetable::BuildWindow() {
  HWND list = GetDlgItem(hwnd_, kLstDays);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
               LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  SetWindowSubclass(list, &FrmTimetable::ListKeys, 0, reinterpret_cast<DWORD_PTR>(this));
  CentreOverActiveWindow();  // the calendar it was asked from
  Fill();
}

LRESULT CALLBACK FrmTimetable::ListKeys(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR, DWORD_PTR self) {
  // Page Up / Page Down turn the month, as in the calendar's grid.
  if (message == WM_KEYDOWN && (wparam == VK_PRIOR || wparam == VK_NEXT)) {
    auto& window = *reinterpret_cast<FrmTimetable*>(self);
    window.ShowMonth(AddMonths(window.month_, wparam == VK_NEXT ? 1 : -1));
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(list, &FrmTimetable::ListKeys, 0);
  return DefSubclassProc(list, message, wparam, lparam);
}

LRESULT FrmTimetable::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wparam) != BN_CLICKED) break;
      switch (LOWORD(wparam)) {
        case kCmdPrevious: ShowMonth(AddMonths(month_, -1)); return 0;
        case kCmdNext: ShowMonth(AddMonths(month_, 1)); return 0;
        case kCmdPrint: Print(); return 0;
        case kCmdSave: Save(); return 0;
      }
      break;
    case WM_NOTIFY: {
      auto& header = *reinterpret_cast<NMHDR*>(lparam);
      if (header.idFrom == kLstDays && header.code == NM_CUSTOMDRAW) {
        return List_CustomDraw(*reinterpret_cast<NMLVCUSTOMDRAW*>(lparam));
      }
      break;
    }
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

// Days off in the calendar's holiday colour, today shaded.
LRESULT FrmTimetable::List_CustomDraw(NMLVCUSTOMDRAW& draw) const {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage != CDDS_ITEMPREPAINT || !table_) return CDRF_DODEFAULT;
  const auto index = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
  if (index >= table_->rows.size()) return CDRF_DODEFAULT;
  const TimetableRow& row = table_->rows[index];
  const Palette& palette = ActivePalette();
  if (row.dayOff) draw.clrText = ColorOf(palette.onPanel.dayOff);
  if (row.today) draw.clrTextBk = ColorOf(palette.selection);
  return CDRF_DODEFAULT;
}

void FrmTimetable::Fill() {
  HWND list = GetDlgItem(hwnd_, kLstDays);
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(list);
  while (ListView_DeleteColumn(list, 0)) {
  }
  const Settings& settings = ProgramSettings();
  const int32_t first = DayFromShamsi({month_.year, month_.month, 1});
  const std::optional<PrayerSource> source = ChosenPrayerSource(settings);
  const std::optional<DayPrayers> prayers = ChosenDayPrayers(first, settings);
  table_.reset();
  if (source && prayers) {
    table_ = BuildTimetable(platform_, month_, *source, *prayers, settings.lunarCorrection,
                            DayOfDate(platform_.Now()), PersianGregorianMonthNames(platform_));
  }
  const auto digits = [&settings](const std::wstring& text) {
    return settings.persianDigits ? text : LatinDigits(text);
  };
  SetDlgItemTextW(hwnd_, kLblHeading, table_ ? digits(table_->heading).c_str() : kNoPlace);
  SetDlgItemTextW(hwnd_, kLblMonths, table_ ? digits(table_->subheading).c_str() : L"");
  SetDlgItemTextW(hwnd_, kLblMessage, L"");
  EnableWindow(GetDlgItem(hwnd_, kCmdPrint), table_.has_value());
  EnableWindow(GetDlgItem(hwnd_, kCmdSave), table_.has_value());
  if (table_) {
    // Right to left: the day's column, first to read, stands at the right,
    // inserted last. (Mirroring the control, or reordering its columns,
    // garbles or blanks its rows under some systems.)
    const std::vector<std::wstring> header = TimetableHeaderCells(*table_);
    const std::size_t count = header.size();
    for (std::size_t column = 0; column < count; ++column) {
      LVCOLUMNW heading{};
      heading.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
      heading.fmt = LVCFMT_RIGHT;
      heading.cx = MulDiv(50, static_cast<int>(dpi_), 96);
      heading.pszText = const_cast<wchar_t*>(header[count - 1 - column].c_str());
      ListView_InsertColumn(list, static_cast<int>(column), &heading);
    }
    for (std::size_t index = 0; index < table_->rows.size(); ++index) {
      const TimetableRow& row = table_->rows[index];
      std::vector<std::wstring> cells = TimetableRowCells(row, settings.persianDigits);
      // A right-to-left mark keeps "۲۱ آوریل" in its reading order.
      for (std::wstring& cell : cells) cell.insert(0, 1, L'\u200F');
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = static_cast<int>(index);
      item.pszText = const_cast<wchar_t*>(cells[count - 1].c_str());
      ListView_InsertItem(list, &item);
      for (std::size_t column = 1; column < count; ++column) {
        ListView_SetItemText(list, static_cast<int>(index), static_cast<int>(column),
                             const_cast<wchar_t*>(cells[count - 1 - column].c_str()));
      }
      if (row.today) {
        ListView_SetItemState(list, static_cast<int>(index), LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
      }
    }
    // As wide as the widest of the cells and the heading, with room to spare.
    for (std::size_t column = 0; column < header.size(); ++column) {
      const int at = static_cast<int>(column);
      ListView_SetColumnWidth(list, at, LVSCW_AUTOSIZE);
      const int cellsWidth = ListView_GetColumnWidth(list, at);
      ListView_SetColumnWidth(list, at, LVSCW_AUTOSIZE_USEHEADER);
      const int width = std::max(cellsWidth, ListView_GetColumnWidth(list, at));
      ListView_SetColumnWidth(list, at, width + MulDiv(10, static_cast<int>(dpi_), 96));
    }
  }
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  if (table_) {
    ListView_Scroll(list, 0x7FFF, 0);  // to the right, where the day stands
    const int today = ListView_GetNextItem(list, -1, LVNI_SELECTED);
    if (today >= 0) ListView_EnsureVisible(list, today, FALSE);
  }
  InvalidateRect(list, nullptr, TRUE);
}

void FrmTimetable::Say(const std::wstring& text) { SetDlgItemTextW(hwnd_, kLblMessage, text.c_str()); }

void FrmTimetable::Print() {
  if (!hwnd_ || !table_) return;
  const bool persianDigits = ProgramSettings().persianDigits;
  const Timetable& table = *table_;
  const PrintResult result =
      platform_.PrintOnePage(hwnd_, table.heading, [&table, persianDigits](const PrintPage& page) {
        DrawTimetablePage(static_cast<HDC>(page.dc), table, persianDigits, page.width, page.height,
                          page.dpiY);
      });
  switch (result.outcome) {
    case PrintOutcome::kPrinted: Say(kSent); break;
    case PrintOutcome::kCancelled: Say(L""); break;
    case PrintOutcome::kNoPrinter: Say(kNoPrinter); break;
    case PrintOutcome::kFailed: {
      std::wstring reason = platform_.ErrorText(result.error);
      if (reason.empty()) reason = L"خطای " + Number(result.error);
      Say(L"چاپ نشد: " + reason);
      break;
    }
  }
}

void FrmTimetable::Save() {
  if (!hwnd_ || !table_) return;
  const std::wstring name = L"اوقات شرعی " + std::to_wstring(month_.year) + L"-" +
                            (month_.month < 10 ? L"0" : L"") + std::to_wstring(month_.month);
  const std::optional<std::wstring> path =
      platform_.ShowSaveFileDialog(hwnd_, kFilters, name, L"html");
  if (!path) return;
  const std::string bytes = EndsWith(*path, L".csv")
                                ? TimetableCsv(*table_)
                                : TimetableHtml(*table_, ProgramSettings().persianDigits);
  const std::wstring failure = SaveExportFile(platform_, *path, bytes);
  Say(failure.empty() ? L"ذخیره شد: " + *path : failure);
}

}  // namespace tavilo
