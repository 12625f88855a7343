#include "platform/DataFolder.h"

namespace tavilo {
namespace {

bool portableMode = false;

}  // namespace

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::wstring PortableIniPath(Platform& platform) {
  const std::wstring folder = FolderOf(platform.ProgramPath());
  return folder.empty() ? folder : folder + L'\\' + kPortableIniName;
}

bool ChoosePortableMode(Platform& platform) {
  const std::wstring ini = PortableIniPath(platform);
  portableMode = !ini.empty() && platform.FileExists(ini);
  return portableMode;
}

bool IsPortableMode() { return portableMode; }

void SetPortableMode(bool portable) { portableMode = portable; }

std::wstring UserDataFolder(Platform& platform) {
  if (portableMode) return FolderOf(platform.ProgramPath());
  const std::wstring appData = platform.AppDataFolder();
  return appData.empty() ? appData : appData + L"\\Tavilo";
}

}  // namespace tavilo
