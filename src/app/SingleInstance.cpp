#include "app/SingleInstance.h"

#include "app/Form1.h"
#include "ui/ProgramMessages.h"

namespace tavilo {
namespace {

// Local\: one name a session, so each user logged on keeps a strip.
constexpr wchar_t kInstanceName[] = L"Local\\Tavilo.SingleInstance";
constexpr ULONGLONG kHandOverWaitMs = 5000;
constexpr DWORD kStepMs = 100;
// A strip that does not answer within this is taken for one that is ending.
constexpr UINT kAnswerWaitMs = 1000;

}  // namespace

SingleInstance::SingleInstance() {
  const ULONGLONG deadline = GetTickCount64() + kHandOverWaitMs;
  if (Claim(0)) {
    first_ = true;
    return;
  }
  while (!ShowRunningStrip() && GetTickCount64() < deadline) {
    // Starting (no strip yet) or ending (the strip refused or gone): the
    // name comes free when an ending program's process does.
    if (Claim(kStepMs)) {
      first_ = true;
      return;
    }
  }
}

SingleInstance::~SingleInstance() {
  if (!mutex_) return;
  if (first_) ReleaseMutex(mutex_);
  CloseHandle(mutex_);
}

bool SingleInstance::Claim(DWORD waitMs) {
  if (!mutex_) {
    mutex_ = CreateMutexW(nullptr, TRUE, kInstanceName);
    // Access denied: the name is held by the same user at another
    // integrity; that program can only be asked to show its strip.
    if (!mutex_) {
      Sleep(waitMs);
      return false;
    }
    if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
  }
  const DWORD waited = WaitForSingleObject(mutex_, waitMs);
  // Abandoned: the holder's process ended without letting go.
  return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

bool SingleInstance::ShowRunningStrip() {
  HWND strip = FindWindowW(Form1::kClassName, nullptr);
  DWORD_PTR answer = 0;
  return strip &&
         SendMessageTimeoutW(strip, kSlideDownRequest, 0, 0, SMTO_ABORTIFHUNG, kAnswerWaitMs,
                             &answer) &&
         answer == static_cast<DWORD_PTR>(kSlideDownAccepted);
}

}  // namespace tavilo
