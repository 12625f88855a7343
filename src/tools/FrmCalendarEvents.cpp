// The month calendar's column of the user's events: the selected day's list
// (the system list box, subclassed so that it keeps its class for screen
// readers, taking Enter, Delete and Insert), the new-event button and the
// status line with the whole of its text in a tooltip.
#include "tools/FrmCalendar.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "tools/logic/CalendarDataFiles.h"
#include "tools/logic/EventForm.h"
#include "tools/logic/UserEvents.h"
#include "ui/ApplicationTitle.h"
#include "ui/FailureGuard.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"

namespace tavilo {

namespace {

constexpr int kToolTipWidth = 360;  // at 96 DPI

}  // namespace

void FrmCalendar::BuildEventControls() {
  HWND list = GetDlgItem(hwnd_, kLstEvents);
  SetWindowSubclass(list, &FrmCalendar::EventListProc, 0, reinterpret_cast<DWORD_PTR>(this));
  statusToolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND | TTF_RTLREADING;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(hwnd_, kLblEventsStatus));
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(statusToolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(statusToolTip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  SendMessageW(statusToolTip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(kToolTipWidth, static_cast<int>(dpi_), 96));
}

// The selected day's events, the one chosen before staying chosen where it
// can (the next one after a delete).
void FrmCalendar::ShowEvents() {
  HWND list = GetDlgItem(hwnd_, kLstEvents);
  const auto chosen = static_cast<size_t>(std::max<LRESULT>(SendMessageW(list, LB_GETCURSEL, 0, 0), 0));
  SendMessageW(list, LB_RESETCONTENT, 0, 0);
  listed_ = ProgramEvents().OnDay(selected_, ProgramSettings().lunarCorrection);
  for (size_t position : listed_) {
    const std::wstring line = EventListLine(ProgramEvents().Events()[position], selected_,
                                            ProgramSettings().lunarCorrection);
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  }
  if (!listed_.empty()) SendMessageW(list, LB_SETCURSEL, std::min(chosen, listed_.size() - 1), 0);
  // A file that may not be written takes no new event; the status line
  // says why.
  EnableWindow(GetDlgItem(hwnd_, kCmdNewEvent), ProgramEvents().WhyUnchangeable().empty());
  // The status line: the last export, calendar data files not used, then the
  // events file's news.
  std::wstring status = exportNotice_;
  for (const std::wstring& line : {CalendarDataNotice(), ProgramEvents().StatusText()})
    if (!line.empty()) status += (status.empty() ? L"" : L"\n") + line;
  SetDlgItemTextW(hwnd_, kLblEventsStatus, status.c_str());
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd_;
  tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(hwnd_, kLblEventsStatus));
  tool.lpszText = status.data();
  SendMessageW(statusToolTip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FrmCalendar::ExportDone(const std::wstring& notice) {
  exportNotice_ = notice;
  if (hwnd_) ShowEvents();
}

void FrmCalendar::NewEvent() {
  if (const std::wstring why = ProgramEvents().WhyUnchangeable(); !why.empty()) {
    platform_.ShowMessageBox(hwnd_, why, kApplicationTitle, kMbOk | kMbRight | kMbRtlReading);
    return;
  }
  editor_.EditNew(selected_);
}

void FrmCalendar::EditListedEvent() {
  const LRESULT chosen = SendDlgItemMessageW(hwnd_, kLstEvents, LB_GETCURSEL, 0, 0);
  if (chosen >= 0 && static_cast<size_t>(chosen) < listed_.size())
    editor_.EditEvent(listed_[static_cast<size_t>(chosen)]);
}

void FrmCalendar::DeleteListedEvent() {
  const LRESULT chosen = SendDlgItemMessageW(hwnd_, kLstEvents, LB_GETCURSEL, 0, 0);
  if (chosen < 0 || static_cast<size_t>(chosen) >= listed_.size()) return;
  const size_t position = listed_[static_cast<size_t>(chosen)];
  const std::wstring question = DeleteQuestion(ProgramEvents().Events()[position]);
  if (platform_.ShowMessageBox(hwnd_, question, kApplicationTitle,
                               kMbYesNo | kMbIconQuestion | kMbDefButton2 | kMbRight |
                                   kMbRtlReading) != kIdYes) {
    return;
  }
  const EventChange change = ProgramEvents().Remove(position);
  if (change.applied) {
    editor_.EventRemoved(position);
    BroadcastEventsChanged();
  }
  if (!change.message.empty())
    platform_.ShowMessageBox(hwnd_, change.message, kApplicationTitle, kMbOk | kMbRight | kMbRtlReading);
}

LRESULT CALLBACK FrmCalendar::EventListProc(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR, DWORD_PTR data) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(list, &FrmCalendar::EventListProc, 0);
  if (message != WM_GETDLGCODE && message != WM_KEYDOWN)
    return DefSubclassProc(list, message, wparam, lparam);
  return GuardedMessage(list, message, wparam, lparam, [&] {
    return reinterpret_cast<FrmCalendar*>(data)->EventListMessage(list, message, wparam, lparam);
  });
}

// The list claims Enter, so that the dialog keys do not press another button.
LRESULT FrmCalendar::EventListMessage(HWND list, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_GETDLGCODE) {
    const auto* key = reinterpret_cast<const MSG*>(lparam);
    const bool enter = key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN;
    return DefSubclassProc(list, message, wparam, lparam) | (enter ? DLGC_WANTMESSAGE : 0);
  }
  switch (wparam) {
    case VK_RETURN: EditListedEvent(); return 0;
    case VK_DELETE: DeleteListedEvent(); return 0;
    case VK_INSERT: NewEvent(); return 0;
  }
  return DefSubclassProc(list, message, wparam, lparam);
}

}  // namespace tavilo
