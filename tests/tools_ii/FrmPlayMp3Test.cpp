// The song player with the real media control interface: the file chosen in
// the (scripted) dialog is really opened and played, then closed by Stop.
// play-generated-mp3.sh makes the MP3 under a Persian name in the folder it
// passes in TAVILO_TEST_MP3_DIR, and runs this under en-US, whose ANSI code
// page has no Persian letters: the name reaches the media service whole only
// through the wide-character call.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "RoutedPlatform.h"
#include "tools/FrmPlay.h"
#include "ui/Globals.h"

namespace tavilo {
namespace {

constexpr wchar_t kSongName[] = L"آهنگ آزمایشی.mp3";

std::wstring GeneratedSongPath() {
  wchar_t folder[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(L"TAVILO_TEST_MP3_DIR", folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return L"";
  return std::wstring(folder) + L"\\" + kSongName;
}

TEST(FrmPlayMp3, PlaysTheChosenFileAndStopClosesIt) {
  const std::wstring song = GeneratedSongPath();
  ASSERT_FALSE(song.empty()) << "run it through play-generated-mp3.sh";
  ASSERT_NE(GetFileAttributesW(song.c_str()), INVALID_FILE_ATTRIBUTES);
  BOOL lostInAnsi = FALSE;
  WideCharToMultiByte(CP_ACP, 0, kSongName, -1, nullptr, 0, nullptr, &lostInAnsi);
  ASSERT_TRUE(lostInAnsi) << "the system's ANSI code page can spell the name: run it in en-US";

  testing::RoutedPlatform platform;
  platform.realMedia = true;
  FrmPlay form{platform};
  form.Open();
  ASSERT_TRUE(form.IsOpen());
  platform.fake.openFileDialogResults.push_back(song);
  const HWND play = GetDlgItem(form.Handle(), FrmPlay::kCommand1 + FrmPlay::kPlay);
  const HWND stop = GetDlgItem(form.Handle(), FrmPlay::kCommand1 + FrmPlay::kStop);

  SendMessageW(play, BM_CLICK, 0, 0);

  ASSERT_EQ(SongFile, L"\"" + song + L"\"");
  std::wstring mode;
  EXPECT_EQ(platform.real.QueryMedia(L"status " + SongFile + L" mode", mode), 0u);
  EXPECT_EQ(mode, L"playing");

  SendMessageW(stop, BM_CLICK, 0, 0);

  EXPECT_FALSE(IsPlaying);
  // Closed: a second close finds no such device.
  EXPECT_EQ(platform.real.SendMediaCommand(L"close " + SongFile), kMciErrorInvalidDeviceName);
  SendMessageW(form.Handle(), WM_CLOSE, 0, 0);
}

}  // namespace
}  // namespace tavilo
