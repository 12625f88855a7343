#include "ModalWatcher.h"

#include <chrono>
#include <string>

namespace tavilo::testing {
namespace {

constexpr auto kGiveUpAfter = std::chrono::seconds(20);

struct Search {
  DWORD process;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  wchar_t className[16] = {};
  GetClassNameW(window, className, ARRAYSIZE(className));
  if (process == search->process && IsWindowVisible(window) &&
      std::wstring(className) == L"#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

ModalWatcher::ModalWatcher(std::function<void(HWND)> action)
    : action_(std::move(action)), thread_([this] { Watch(); }) {}

ModalWatcher::~ModalWatcher() { Finish(); }

bool ModalWatcher::Finish() {
  if (thread_.joinable()) thread_.join();
  return found_;
}

void ModalWatcher::Watch() {
  const auto deadline = std::chrono::steady_clock::now() + kGiveUpAfter;
  while (std::chrono::steady_clock::now() < deadline) {
    Search search{GetCurrentProcessId(), nullptr};
    EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      // Let the dialog finish initialising its controls before it is read.
      Sleep(300);
      found_ = true;
      action_(search.found);
      return;
    }
    Sleep(50);
  }
}

std::wstring ControlText(HWND dialog, int controlId) {
  wchar_t text[1024] = {};
  GetDlgItemTextW(dialog, controlId, text, ARRAYSIZE(text));
  return text;
}

}  // namespace tavilo::testing
