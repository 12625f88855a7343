// The shutdown warning and the keyboard, when another program is in front:
// where the foreground and the focus are once it appears, and whether Esc
// with the pointer on it (under Wine's bare X server keys go to the window
// under the pointer) cancels through the program's own message loop.
#include <gtest/gtest.h>

#include <chrono>

#include "RoutedPlatform.h"
#include "WindowTestSupport.h"
#include "tools/FrmWarning.h"
#include "tools/shared/DialogKeys.h"

namespace tavilo {
namespace {

using namespace std::chrono_literals;

bool PumpProgramMessagesUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!done() && std::chrono::steady_clock::now() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchProgramMessage(message);
    Sleep(10);
  }
  return done();
}

TEST(FrmWarningFocus, InFrontOfAnotherProgramItTakesTheKeyboardAndEscCancels) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION other{};
  wchar_t command[] = L"notepad.exe";
  ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &other));
  HWND notepad = nullptr;
  PumpProgramMessagesUntil([&] { return (notepad = FindWindowW(L"Notepad", nullptr)) != nullptr; },
                           10s);
  ASSERT_NE(notepad, nullptr);
  SetForegroundWindow(notepad);
  RECT over;
  GetWindowRect(notepad, &over);
  SetCursorPos((over.left + over.right) / 2, (over.top + over.bottom) / 2);
  ASSERT_TRUE(PumpProgramMessagesUntil([&] { return GetForegroundWindow() == notepad; }, 5s));

  testing::RoutedPlatform platform;
  int cancels = 0;
  FrmWarning warning(platform, {[&] { ++cancels; }, [] {}, [] {}});
  warning.Warn(L"خاموش شدن رایانه", 60);
  ASSERT_TRUE(warning.IsOpen());
  HWND cancel = GetDlgItem(warning.Handle(), FrmWarning::kCmdCancel);
  EXPECT_EQ(GetForegroundWindow(), warning.Handle());
  EXPECT_EQ(GetFocus(), cancel);

  RECT frame;
  GetWindowRect(warning.Handle(), &frame);
  SetCursorPos((frame.left + frame.right) / 2, frame.top + 8);
  INPUT keys[2] = {};
  for (INPUT& key : keys) {
    key.type = INPUT_KEYBOARD;
    key.ki.wVk = VK_ESCAPE;
  }
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  EXPECT_EQ(SendInput(2, keys, sizeof(INPUT)), 2u);
  EXPECT_TRUE(PumpProgramMessagesUntil([&] { return cancels > 0; }, 3s));
  EXPECT_EQ(cancels, 1);

  TerminateProcess(other.hProcess, 0);
  WaitForSingleObject(other.hProcess, 5000);
  CloseHandle(other.hProcess);
  CloseHandle(other.hThread);
}

}  // namespace
}  // namespace tavilo
