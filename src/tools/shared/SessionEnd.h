// Ending the user's session. A shutdown needs the shutdown privilege switched
// on in the program's own token on the NT family; a forced log-off does not.
// Everything goes through the platform seam, so tests record the final call
// instead of ending their own session.
#pragma once

#include <cstdint>

#include "platform/Platform.h"

namespace tavilo {

// Flags and second argument of the forced log-off the scheduler offers.
inline constexpr std::uint32_t kForcedLogOffFlags = kEwxLogoff | kEwxForce;
inline constexpr std::uint32_t kForcedLogOffReason = 0xFFFFFFFF;

// True when the system's platform identifier is VER_PLATFORM_WIN32_NT; false
// also when the version cannot be read.
bool IsWindowsNT(Platform& platform);

// Enables "SeShutdownPrivilege" in this process's token (access
// TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY). Failures are silent: the session
// end that follows is simply refused by the system.
void EnableShutdownPrivilege(Platform& platform);

// Shuts the system down (flags EWX_SHUTDOWN, plus EWX_FORCE when `bForce`),
// enabling the privilege first on the NT family.
void ShutdownSystem(Platform& platform, bool bForce);

}  // namespace tavilo
