// Calls back each time a window anywhere on the desktop comes to the
// foreground. The hook is out of context: the call arrives through this
// thread's message loop, as a message would, and costs nothing in between.
#pragma once

#include <windows.h>

#include <functional>

namespace tavilo {

class ForegroundWatch {
 public:
  ForegroundWatch() = default;
  ~ForegroundWatch() { Stop(); }
  ForegroundWatch(const ForegroundWatch&) = delete;
  ForegroundWatch& operator=(const ForegroundWatch&) = delete;

  // Replaces a watch already running. Should the system refuse the hook,
  // nothing is called.
  void Start(std::function<void()> changed);
  void Stop();

 private:
  static void CALLBACK OnForeground(HWINEVENTHOOK hook, DWORD event, HWND window, LONG object,
                                    LONG child, DWORD thread, DWORD time);

  HWINEVENTHOOK hook_ = nullptr;
  std::function<void()> changed_;
};

}  // namespace tavilo
