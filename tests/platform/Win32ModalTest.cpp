// The real modal message box and open-file dialog, driven from a watcher
// thread the way a user would: what they show, and what the seam returns.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <string>

#include "ModalWatcher.h"
#include "platform/win32/Win32Platform.h"

namespace tavilo {
namespace {

using testing::ControlText;
using testing::ModalWatcher;

constexpr int kMessageTextControl = 0xFFFF;

std::wstring WindowText(HWND window) {
  wchar_t text[256] = {};
  GetWindowTextW(window, text, ARRAYSIZE(text));
  return text;
}

TEST(Win32MessageBox, ShowsPersianTextUnchangedAndReturnsTheButtonPressed) {
  const std::wstring text = L"فقط بايد عدد وارد کنيد";
  Win32Platform platform;
  std::wstring shownText;
  std::wstring shownCaption;
  ModalWatcher watcher([&](HWND dialog) {
    shownText = ControlText(dialog, kMessageTextControl);
    shownCaption = WindowText(dialog);
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });

  int result = platform.ShowMessageBox(nullptr, text, L"Tavilo", MB_OKCANCEL | kMbIconError);

  ASSERT_TRUE(watcher.Finish());
  EXPECT_EQ(result, kIdCancel);
  EXPECT_EQ(shownText, text);
  EXPECT_EQ(shownCaption, L"Tavilo");
}

// The file the dialog is asked for: in the temporary folder, with a space in
// its name.
class Win32OpenFileDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    song_ = std::wstring(folder) + L"song one.mp3";
    HANDLE file = CreateFileW(song_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
  }
  void TearDown() override { DeleteFileW(song_.c_str()); }

  const std::vector<FileFilter> filters_{{L"MP3 Files", L"*.mp3"}};
  std::wstring song_;
  Win32Platform platform_;
};

TEST_F(Win32OpenFileDialog, CancelGivesNothingAndTheFilterIsOffered) {
  std::wstring firstFilter;
  ModalWatcher watcher([&](HWND dialog) {
    wchar_t text[256] = {};
    SendDlgItemMessageW(dialog, cmb1, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    firstFilter = text;
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
  });

  std::optional<std::wstring> chosen = platform_.ShowOpenFileDialog(nullptr, filters_);

  ASSERT_TRUE(watcher.Finish());
  EXPECT_EQ(chosen, std::nullopt);
  EXPECT_EQ(firstFilter, L"MP3 Files");
}

TEST_F(Win32OpenFileDialog, ChosenFileComesBackAsItsFullPath) {
  ModalWatcher watcher([&](HWND dialog) {
    SetDlgItemTextW(dialog, cmb13, song_.c_str());
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  });

  std::optional<std::wstring> chosen = platform_.ShowOpenFileDialog(nullptr, filters_);

  ASSERT_TRUE(watcher.Finish());
  EXPECT_EQ(chosen, song_);
}

}  // namespace
}  // namespace tavilo
