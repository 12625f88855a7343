// The calendar export's seam calls: the save-file dialog and deleting a file.
#include <windows.h>
#include <commdlg.h>

#include "platform/win32/Win32Platform.h"

namespace tavilo {

std::optional<std::wstring> Win32Platform::ShowSaveFileDialog(
    WindowHandle owner, const std::vector<FileFilter>& filters, const std::wstring& suggestedName,
    const std::wstring& extension) {
  std::wstring filterList;
  for (const FileFilter& filter : filters)
    filterList.append(filter.description).append(1, L'\0').append(filter.pattern).append(1, L'\0');
  filterList += L'\0';
  std::wstring path = suggestedName;
  path.resize(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = static_cast<HWND>(owner);
  dialog.lpstrFilter = filterList.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  // OFN_NOCHANGEDIR: browsing must not move the program's current folder.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT |
                 OFN_PATHMUSTEXIST;
  if (!GetSaveFileNameW(&dialog)) return std::nullopt;
  path.resize(path.find(L'\0'));
  return path;
}

long Win32Platform::DeleteFileAt(const std::wstring& path) {
  return DeleteFileW(path.c_str()) ? ERROR_SUCCESS : static_cast<long>(GetLastError());
}

}  // namespace tavilo
