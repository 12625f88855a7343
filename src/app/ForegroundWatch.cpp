#include "app/ForegroundWatch.h"

#include <map>
#include <utility>

#include "ui/FailureGuard.h"

namespace tavilo {

namespace {

// The hook's callback is told only its hook: this finds the watch. Hooks and
// their calls stay on the thread that set them, so no lock is needed.
std::map<HWINEVENTHOOK, ForegroundWatch*>& Watches() {
  static std::map<HWINEVENTHOOK, ForegroundWatch*> watches;
  return watches;
}

}  // namespace

void ForegroundWatch::Start(std::function<void()> changed) {
  Stop();
  hook_ = SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr, &OnForeground,
                          0, 0, WINEVENT_OUTOFCONTEXT);
  if (!hook_) return;
  changed_ = std::move(changed);
  Watches()[hook_] = this;
}

void ForegroundWatch::Stop() {
  if (!hook_) return;
  UnhookWinEvent(hook_);
  Watches().erase(hook_);
  hook_ = nullptr;
  changed_ = nullptr;
}

// An event already queued when the hook went finds no watch.
void CALLBACK ForegroundWatch::OnForeground(HWINEVENTHOOK hook, DWORD, HWND, LONG, LONG, DWORD,
                                            DWORD) {
  const auto found = Watches().find(hook);
  if (found == Watches().end()) return;
  Guarded([&] {  // no exception may leave a callback of the system
    found->second->changed_();
    return LRESULT{0};
  });
}

}  // namespace tavilo
