// Drives a modal dialog of this process from a second thread: waits for a
// visible dialog-class window (#32770) to appear, then hands it to an action
// that reads it and dismisses it.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

namespace tavilo::testing {

class ModalWatcher {
 public:
  // `action` runs on the watcher thread with the dialog's handle.
  explicit ModalWatcher(std::function<void(HWND dialog)> action);
  ~ModalWatcher();
  ModalWatcher(const ModalWatcher&) = delete;
  ModalWatcher& operator=(const ModalWatcher&) = delete;

  // Waits for the watcher to finish; true when a dialog was found in time.
  bool Finish();

 private:
  void Watch();

  std::function<void(HWND)> action_;
  std::atomic<bool> found_{false};
  std::thread thread_;
};

// The text of a child control, e.g. a message box's text (id 0xFFFF).
std::wstring ControlText(HWND dialog, int controlId);

}  // namespace tavilo::testing
