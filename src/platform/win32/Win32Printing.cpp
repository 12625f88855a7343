// Printing one page: the default printer asked for first, then the print
// dialog, then one document of one page on the chosen printer.
#include <windows.h>
#include <commdlg.h>

#include "platform/win32/Win32Platform.h"

namespace tavilo {

namespace {

// Frees what the print dialog hands back.
struct PrintDialog : PRINTDLGW {
  PrintDialog(HWND owner, DWORD flags) : PRINTDLGW{} {
    lStructSize = sizeof(PRINTDLGW);
    hwndOwner = owner;
    Flags = flags;
  }
  ~PrintDialog() {
    if (hDC) DeleteDC(hDC);
    if (hDevMode) GlobalFree(hDevMode);
    if (hDevNames) GlobalFree(hDevNames);
  }
  PrintDialog(const PrintDialog&) = delete;
  PrintDialog& operator=(const PrintDialog&) = delete;
};

PrintResult Failed(long error) { return {PrintOutcome::kFailed, error}; }

}  // namespace

PrintResult Win32Platform::PrintOnePage(WindowHandle owner, const std::wstring& document,
                                        const DrawPageFn& draw) {
  const HWND window = static_cast<HWND>(owner);
  {
    // With no printer the dialog itself may only look like a cancel: ask
    // for the default first, without showing anything.
    PrintDialog probe(window, PD_RETURNDEFAULT);
    if (!PrintDlgW(&probe)) {
      const DWORD error = CommDlgExtendedError();
      if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) return {PrintOutcome::kNoPrinter};
      if (error != 0) return Failed(static_cast<long>(error));
    }
  }
  PrintDialog dialog(window, PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION |
                                 PD_USEDEVMODECOPIESANDCOLLATE);
  if (!PrintDlgW(&dialog)) {
    const DWORD error = CommDlgExtendedError();
    if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES) return {PrintOutcome::kNoPrinter};
    return error == 0 ? PrintResult{PrintOutcome::kCancelled} : Failed(static_cast<long>(error));
  }
  if (!dialog.hDC) return Failed(static_cast<long>(CommDlgExtendedError()));
  DOCINFOW info{};
  info.cbSize = sizeof info;
  info.lpszDocName = document.c_str();
  if (StartDocW(dialog.hDC, &info) <= 0) return Failed(static_cast<long>(GetLastError()));
  if (StartPage(dialog.hDC) <= 0) {
    const long error = static_cast<long>(GetLastError());
    AbortDoc(dialog.hDC);
    return Failed(error);
  }
  draw({dialog.hDC, GetDeviceCaps(dialog.hDC, HORZRES), GetDeviceCaps(dialog.hDC, VERTRES),
        GetDeviceCaps(dialog.hDC, LOGPIXELSX), GetDeviceCaps(dialog.hDC, LOGPIXELSY)});
  if (EndPage(dialog.hDC) <= 0) {
    const long error = static_cast<long>(GetLastError());
    AbortDoc(dialog.hDC);
    return Failed(error);
  }
  if (EndDoc(dialog.hDC) <= 0) return Failed(static_cast<long>(GetLastError()));
  return {PrintOutcome::kPrinted};
}

}  // namespace tavilo
