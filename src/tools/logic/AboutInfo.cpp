#include "tools/logic/AboutInfo.h"

#include "platform/RegistryText.h"

namespace tavilo {

namespace {

std::optional<std::wstring> SysInfoPath(Platform& platform) {
  if (auto path = GetKeyValue(platform, kSysInfoKey, kSysInfoValue)) return path;
  const auto folder = GetKeyValue(platform, kSysInfoLocationKey, kSysInfoLocationValue);
  if (!folder) return std::nullopt;
  // Joined with one backslash whatever the folder ends with.
  std::wstring path = *folder + kSysInfoFileName;
  if (!platform.FileExists(path)) return std::nullopt;
  return path;
}

// A path with blanks must reach the program starter as one argument.
std::wstring Quoted(const std::wstring& path) {
  if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') return path;
  return L"\"" + path + L"\"";
}

}  // namespace

std::wstring AboutCaption() { return std::wstring(L"About ") + kApplicationTitle; }

std::wstring VersionCaption(int major, int minor, int revision) {
  return L"Version " + std::to_wstring(major) + L"." + std::to_wstring(minor) + L"." +
         std::to_wstring(revision);
}

std::wstring CreditsText() {
  return std::wstring(L"ساخته شده توسط  : ") + kAuthorName + std::wstring(25, L' ') +
         L"وبلاگ : " + kWebLogAddress + std::wstring(31, L' ') + L"ايميل : " + kAuthorEmail +
         std::wstring(116, L' ') + L"منتظر انتقادات و پيشنهادات شما هستيم... .";
}

std::wstring CreditsLines(const std::wstring& credits) {
  // Longer than any gap inside a part ("توسط  :" has two spaces).
  constexpr std::size_t kLineGap = 8;
  std::wstring lines;
  std::size_t at = 0;
  while (at < credits.size()) {
    const std::size_t gap = credits.find(std::wstring(kLineGap, L' '), at);
    if (gap == std::wstring::npos) {
      lines.append(credits, at);
      break;
    }
    lines.append(credits, at, gap - at);
    at = credits.find_first_not_of(L' ', gap);
    if (at == std::wstring::npos) break;
    lines += L'\n';
  }
  return lines;
}

std::optional<std::wstring> GetKeyValue(Platform& platform, const std::wstring& KeyName,
                                        const std::wstring& SubKeyRef) {
  auto KeyVal = ReadRegistryString(platform, RegistryRoot::LocalMachine, KeyName, SubKeyRef);
  // A value holding only its terminating zero names nothing.
  if (KeyVal && KeyVal->empty()) return std::nullopt;
  return KeyVal;
}

void StartSysInfo(Platform& platform, WindowHandle owner) {
  const auto path = SysInfoPath(platform);
  if (path && platform.StartProgram(Quoted(*path), kSwShowNormal)) return;
  platform.ShowMessageBox(owner, kSysInfoUnavailableMessage, kApplicationTitle, kMbOk);
}

void OpenWebLog(Platform& platform) {
  platform.StartProgram(std::wstring(L"explorer ") + kWebLogUrl, kSwShowMinimized);
}

}  // namespace tavilo
