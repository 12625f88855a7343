// The song player as a real window under Wine, with the open-file dialog
// answered by a script and the media commands recorded.
#include "tools/FrmPlay.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RoutedPlatform.h"
#include "WindowTestSupport.h"
#include "ui/Globals.h"

namespace tavilo {
namespace {

using testing::ChildRect;
using testing::ClientSize;
using testing::RoutedPlatform;
using testing::WindowText;
using Commands = std::vector<std::wstring>;

class FrmPlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    IsPlaying = false;
    SongFile.clear();
    form.Open();
    ASSERT_TRUE(form.IsOpen());
  }

  HWND Button(int index) const { return GetDlgItem(form.Handle(), FrmPlay::kCommand1 + index); }
  void Click(int index) { SendMessageW(Button(index), BM_CLICK, 0, 0); }
  // The next dialog returns `path`; nothing means the user cancels it.
  void Choose(std::optional<std::wstring> path) {
    platform.fake.openFileDialogResults.push_back(std::move(path));
  }
  const Commands& MediaCommands() const { return platform.fake.mediaCommands; }

  RoutedPlatform platform;
  FrmPlay form{platform};
};

TEST_F(FrmPlayTest, OpensWithItsDesignedLayout) {
  HWND window = form.Handle();
  EXPECT_EQ(WindowText(window), L"پخش آهنگ");
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_RTLREADING);
  const LONG style = GetWindowLongW(window, GWL_STYLE);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, 669);  // 10080 twips, moved onto the 1024-pixel screen
  EXPECT_EQ(frame.top, 177);   // 2655 twips
  const SIZE client = ClientSize(window);
  EXPECT_EQ(client.cx, 349);
  EXPECT_EQ(client.cy, 139);

  const RECT play = ChildRect(Button(FrmPlay::kPlay));
  const RECT stop = ChildRect(Button(FrmPlay::kStop));
  EXPECT_EQ(WindowText(Button(FrmPlay::kPlay)), L"پخش");
  EXPECT_EQ(WindowText(Button(FrmPlay::kStop)), L"توقف");
  EXPECT_EQ((std::vector<LONG>{play.left, play.top, play.right, play.bottom}),
            (std::vector<LONG>{160, 32, 241, 65}));
  EXPECT_EQ((std::vector<LONG>{stop.left, stop.top, stop.right, stop.bottom}),
            (std::vector<LONG>{160, 80, 241, 113}));
  for (int index : {FrmPlay::kPlay, FrmPlay::kStop}) {
    const LOGFONTW font = testing::FontOf(Button(index));
    EXPECT_STREQ(font.lfFaceName, L"Tahoma");
    EXPECT_EQ(font.lfHeight, -12);  // 9 pt
    EXPECT_EQ(font.lfCharSet, ARABIC_CHARSET);
  }
  EXPECT_EQ(testing::TabStops(window),
            (std::vector<int>{FrmPlay::kCommand1 + FrmPlay::kPlay,
                              FrmPlay::kCommand1 + FrmPlay::kStop}));
}

TEST_F(FrmPlayTest, PlayAsksForAnMp3AndPlaysItUnderItsQuotedName) {
  Choose(L"C:\\My Music\\first song.mp3");
  Click(FrmPlay::kPlay);

  ASSERT_EQ(platform.fake.openFileDialogs.size(), 1u);
  EXPECT_EQ(platform.fake.openFileDialogs[0].owner, form.Handle());
  EXPECT_EQ(platform.fake.openFileDialogs[0].filters,
            (std::vector<FileFilter>{{L"MP3 Files", L"*.mp3"}}));
  EXPECT_EQ(MediaCommands(), (Commands{L"close ", L"open \"C:\\My Music\\first song.mp3\"",
                                       L"play \"C:\\My Music\\first song.mp3\""}));
  EXPECT_TRUE(IsPlaying);
  EXPECT_EQ(SongFile, L"\"C:\\My Music\\first song.mp3\"");
}

TEST_F(FrmPlayTest, PlayingASecondFileClosesTheFirstBeforeOpeningIt) {
  Choose(L"C:\\a.mp3");
  Click(FrmPlay::kPlay);
  Choose(L"C:\\b.mp3");
  Click(FrmPlay::kPlay);

  EXPECT_EQ(MediaCommands(),
            (Commands{L"close ", L"open \"C:\\a.mp3\"", L"play \"C:\\a.mp3\"",
                      L"close \"C:\\a.mp3\"", L"open \"C:\\b.mp3\"", L"play \"C:\\b.mp3\""}));
  EXPECT_EQ(SongFile, L"\"C:\\b.mp3\"");
}

TEST_F(FrmPlayTest, StopBeforeAnyPlaySendsABareClose) {
  Click(FrmPlay::kStop);

  EXPECT_EQ(MediaCommands(), Commands{L"close "});
  EXPECT_FALSE(IsPlaying);
  EXPECT_TRUE(platform.fake.openFileDialogs.empty());
}

TEST_F(FrmPlayTest, StopClosesThePlayingSong) {
  Choose(L"C:\\a.mp3");
  Click(FrmPlay::kPlay);
  Click(FrmPlay::kStop);

  EXPECT_EQ(MediaCommands().back(), L"close \"C:\\a.mp3\"");
  EXPECT_FALSE(IsPlaying);
}

TEST_F(FrmPlayTest, CancellingTheDialogChangesNothing) {
  Choose(std::nullopt);
  Click(FrmPlay::kPlay);
  EXPECT_TRUE(MediaCommands().empty());
  EXPECT_FALSE(IsPlaying);
  EXPECT_EQ(SongFile, L"");

  Choose(L"C:\\a.mp3");
  Click(FrmPlay::kPlay);
  Choose(std::nullopt);
  Click(FrmPlay::kPlay);
  EXPECT_EQ(MediaCommands().size(), 3u);  // only the first Play's commands
  EXPECT_TRUE(IsPlaying);
  EXPECT_EQ(SongFile, L"\"C:\\a.mp3\"");

  Click(FrmPlay::kStop);
  Choose(std::nullopt);
  Click(FrmPlay::kPlay);
  EXPECT_EQ(MediaCommands().size(), 4u);
  EXPECT_FALSE(IsPlaying);
}

TEST_F(FrmPlayTest, TheSongPlaysOnAfterTheWindowCloses) {
  Choose(L"C:\\a.mp3");
  Click(FrmPlay::kPlay);
  SendMessageW(form.Handle(), WM_CLOSE, 0, 0);

  EXPECT_FALSE(form.IsOpen());
  EXPECT_EQ(MediaCommands().size(), 3u);
  EXPECT_TRUE(IsPlaying);
  EXPECT_EQ(SongFile, L"\"C:\\a.mp3\"");

  // A new window works on the same song.
  form.Open();
  Click(FrmPlay::kStop);
  EXPECT_EQ(MediaCommands().back(), L"close \"C:\\a.mp3\"");
  EXPECT_FALSE(IsPlaying);
}

}  // namespace
}  // namespace tavilo
