#include "tools/shared/SessionEnd.h"

#include <optional>

namespace tavilo {

namespace {

constexpr ScheduleActionTexts kActionTexts[kScheduleActionCount] = {
    {L"خروج از حساب کاربری", L"خروج از حساب کاربری", L"خروج از حساب کاربری انجام نشد."},
    {L"خاموش کردن", L"خاموش شدن رایانه", L"رایانه خاموش نشد."},
    {L"راه‌اندازی دوباره", L"راه‌اندازی دوباره رایانه", L"رایانه دوباره راه‌اندازی نشد."},
    {L"خواب", L"رایانه به خواب می‌رود", L"رایانه به خواب نرفت."},
    {L"خواب زمستانی", L"رایانه به خواب زمستانی می‌رود", L"رایانه به خواب زمستانی نرفت."},
    {L"قفل کردن", L"قفل شدن رایانه", L"رایانه قفل نشد."},
};
}  // namespace

const ScheduleActionTexts& TextsOf(ScheduleAction action) {
  return kActionTexts[static_cast<int>(action)];
}

bool EndsSession(ScheduleAction action) {
  return action == ScheduleAction::kSignOut || action == ScheduleAction::kShutDown ||
         action == ScheduleAction::kRestart;
}

ActionCall CallFor(ScheduleAction action, bool graceful, bool modernStandby) {
  using Kind = ActionCall::Kind;
  const std::uint32_t force = graceful ? kEwxForceIfHung : kEwxForce;
  switch (action) {
    case ScheduleAction::kSignOut:
      return {Kind::kExitWindows, kEwxLogoff | force, kForcedLogOffReason, false, false};
    case ScheduleAction::kShutDown:
      return {Kind::kExitWindows, kEwxShutdown | force, 0, false, true};
    case ScheduleAction::kRestart:
      return {Kind::kExitWindows, kEwxReboot | force, 0, false, true};
    case ScheduleAction::kSleep:
      if (modernStandby) return {Kind::kDisplayOffAndLock};
      return {Kind::kSuspend, 0, 0, false, true};
    case ScheduleAction::kHibernate:
      return {Kind::kSuspend, 0, 0, true, true};
    case ScheduleAction::kLock:
      return {Kind::kLock};
  }
  return {};
}

std::optional<std::uint32_t> CarryOut(Platform& platform, const ActionCall& call,
                                      WindowHandle window) {
  if (call.privilege && IsWindowsNT(platform)) EnableShutdownPrivilege(platform);
  bool done = false;
  switch (call.kind) {
    case ActionCall::Kind::kExitWindows:
      done = platform.ExitWindowsEx(call.flags, call.reason);
      break;
    case ActionCall::Kind::kSuspend:
      done = platform.SuspendSystem(call.hibernate);
      break;
    case ActionCall::Kind::kLock:
      done = platform.LockWorkStation();
      break;
    case ActionCall::Kind::kDisplayOffAndLock:
      // Locked first: the screen is never dark and open at once.
      done = platform.LockWorkStation();
      if (done) platform.TurnDisplayOff(window);
      break;
  }
  if (done) return std::nullopt;
  return platform.LastError();
}

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
