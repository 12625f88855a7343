#include "tools/shared/SessionEnd.h"

#include <optional>

namespace tavilo {

bool IsWindowsNT(Platform& platform) { return platform.PlatformId() == kVerPlatformWin32Nt; }

void EnableShutdownPrivilege(Platform& platform) {
  const std::optional<TokenHandle> token =
      platform.OpenProcessToken(kTokenAdjustPrivileges | kTokenQuery);
  if (!token) return;
  if (const auto luid = platform.LookupPrivilegeId(kShutdownPrivilegeName)) {
    platform.AdjustTokenPrivilege(*token, *luid, kSePrivilegeEnabled);
  }
  platform.CloseToken(*token);
}

void ShutdownSystem(Platform& platform, bool bForce) {
  const std::uint32_t flags = bForce ? kEwxShutdown | kEwxForce : kEwxShutdown;
  if (IsWindowsNT(platform)) EnableShutdownPrivilege(platform);
  platform.ExitWindowsEx(flags, 0);
}

}  // namespace tavilo
