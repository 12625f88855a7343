// Ending the user's session. A shutdown needs the shutdown privilege switched
// on in the program's own token on the NT family; a forced log-off does not.
// Everything goes through the platform seam, so tests record the final call
// instead of ending their own session.
#pragma once

#include <cstdint>
#include <optional>

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

// What the scheduler can have the computer do, in the order of its options;
// the numbers are kept in the settings.
enum class ScheduleAction { kSignOut, kShutDown, kRestart, kSleep, kHibernate, kLock };
inline constexpr int kScheduleActionCount = 6;

struct ScheduleActionTexts {
  const wchar_t* option;   // the option's caption, also the menu's verb
  const wchar_t* warning;  // what will happen, as the warning says it
  const wchar_t* failure;  // what did not happen, when the system refused it
};
const ScheduleActionTexts& TextsOf(ScheduleAction action);

// The system call an action comes down to.
struct ActionCall {
  enum class Kind { kExitWindows, kSuspend, kLock, kDisplayOffAndLock };
  Kind kind = Kind::kExitWindows;
  std::uint32_t flags = 0;   // ExitWindowsEx
  std::uint32_t reason = 0;  // ExitWindowsEx's second argument
  bool hibernate = false;    // SetSuspendState
  bool privilege = false;    // needs the shutdown privilege first
  bool operator==(const ActionCall&) const = default;
};

// Ending the session asks programs to close when `graceful` (EWX_FORCEIFHUNG:
// a program with unsaved work can stop it) and closes them regardless
// otherwise (EWX_FORCE). Where sleep is modern standby, which may hibernate
// or do nothing when asked by a program, sleep turns the display off and
// locks instead.
ActionCall CallFor(ScheduleAction action, bool graceful, bool modernStandby);

// Sign-out, shut-down and restart end the session; the others act once and
// the session goes on.
bool EndsSession(ScheduleAction action);

// Makes the call, the privilege first where it needs it; nothing when it was
// done, or the system's error code when it was refused.
std::optional<std::uint32_t> CarryOut(Platform& platform, const ActionCall& call,
                                      WindowHandle window);

}  // namespace tavilo
