#include "app/SingleInstance.h"

#include "app/Form1.h"
#include "ui/ProgramMessages.h"

namespace tavilo {
namespace {

// Local\: one name a session, so each user logged on keeps a strip.
constexpr wchar_t kInstanceName[] = L"Local\\Tavilo.SingleInstance";
constexpr int kWindowWaitSteps = 50;
constexpr DWORD kWindowWaitStepMs = 100;

}  // namespace

SingleInstance::SingleInstance() {
  mutex_ = CreateMutexW(nullptr, FALSE, kInstanceName);
  const DWORD error = GetLastError();
  // Access denied: the name is held by the same user at another integrity.
  first_ = !(error == ERROR_ALREADY_EXISTS || (!mutex_ && error == ERROR_ACCESS_DENIED));
}

SingleInstance::~SingleInstance() {
  if (mutex_) CloseHandle(mutex_);
}

void SingleInstance::ShowRunningStrip() {
  for (int step = 0; step < kWindowWaitSteps; ++step) {
    if (HWND strip = FindWindowW(Form1::kClassName, nullptr)) {
      PostMessageW(strip, kSlideDownRequest, 0, 0);
      return;
    }
    Sleep(kWindowWaitStepMs);
  }
}

}  // namespace tavilo
