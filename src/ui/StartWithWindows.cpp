#include "ui/StartWithWindows.h"

#include <algorithm>

#include "platform/DataFolder.h"
#include "platform/RegistryText.h"

namespace tavilo {
namespace {

// Paths compare as Windows compares them: without regard to ASCII case.
bool SamePath(const std::wstring& a, const std::wstring& b) {
  const auto lower = [](wchar_t ch) {
    return (ch >= L'A' && ch <= L'Z') ? static_cast<wchar_t>(ch - L'A' + L'a') : ch;
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](wchar_t x, wchar_t y) { return lower(x) == lower(y); });
}

}  // namespace

std::wstring RunCommand(const std::wstring& programPath) { return L"\"" + programPath + L"\""; }

bool StartsWithWindows(Platform& platform) {
  const std::wstring path = platform.ProgramPath();
  if (path.empty()) return false;
  const std::optional<std::wstring> command =
      ReadRegistryString(platform, RegistryRoot::CurrentUser, kRunKey, kRunValueName);
  return command && SamePath(*command, RunCommand(path));
}

bool SetStartWithWindows(Platform& platform, bool start) {
  if (IsPortableMode()) return false;  // the Run value would be a trace
  const std::wstring path = platform.ProgramPath();
  if (start && path.empty()) return false;
  RegistryKey key = 0;
  if (platform.CreateRegistryKey(RegistryRoot::CurrentUser, kRunKey, kKeySetValue, key) !=
      kErrorSuccess) {
    return false;
  }
  const long status =
      start ? platform.WriteRegistryValue(key, kRunValueName, kRegSz,
                                          ToRegistryBytes(RunCommand(path)))
            : platform.DeleteRegistryValue(key, kRunValueName);
  platform.CloseRegistryKey(key);
  return status == kErrorSuccess || (!start && status == kErrorFileNotFound);
}

}  // namespace tavilo
