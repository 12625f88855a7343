#include "tools/logic/PlayerCommands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"

namespace tavilo {
namespace {

using Commands = std::vector<std::wstring>;

TEST(QuotedSongName, TrimsSpacesAndQuotes) {
  EXPECT_EQ(QuotedSongName(L"C:\\Music\\song.mp3"), L"\"C:\\Music\\song.mp3\"");
  EXPECT_EQ(QuotedSongName(L"  C:\\My Music\\a b.mp3 "), L"\"C:\\My Music\\a b.mp3\"");
  EXPECT_EQ(QuotedSongName(L""), L"\"\"");
  EXPECT_EQ(QuotedSongName(L"   "), L"\"\"");
}

class SongPlayerTest : public ::testing::Test {
 protected:
  FakePlatform platform;
  bool isPlaying = false;
  std::wstring songFile;
  SongState song{isPlaying, songFile};
};

TEST_F(SongPlayerTest, FirstPlayClosesTheEmptyNameThenOpensAndPlaysTheQuotedFile) {
  PlayChosenSong(platform, song, L"C:\\My Music\\first song.mp3");

  EXPECT_EQ(platform.mediaCommands, (Commands{L"close ",
                                              L"open \"C:\\My Music\\first song.mp3\"",
                                              L"play \"C:\\My Music\\first song.mp3\""}));
  EXPECT_TRUE(isPlaying);
  EXPECT_EQ(songFile, L"\"C:\\My Music\\first song.mp3\"");
}

TEST_F(SongPlayerTest, SecondPlayClosesTheFirstSongBeforeOpeningTheSecond) {
  PlayChosenSong(platform, song, L"C:\\a.mp3");
  platform.mediaCommands.clear();

  PlayChosenSong(platform, song, L"C:\\b.mp3");

  EXPECT_EQ(platform.mediaCommands,
            (Commands{L"close \"C:\\a.mp3\"", L"open \"C:\\b.mp3\"", L"play \"C:\\b.mp3\""}));
  EXPECT_EQ(songFile, L"\"C:\\b.mp3\"");
  EXPECT_TRUE(isPlaying);
}

TEST_F(SongPlayerTest, StopBeforeAnyPlayClosesNothingNamed) {
  StopSong(platform, song);

  EXPECT_EQ(platform.mediaCommands, Commands{L"close "});
  EXPECT_FALSE(isPlaying);
  EXPECT_EQ(songFile, L"");
}

TEST_F(SongPlayerTest, StopClosesTheSongAndKeepsItsName) {
  PlayChosenSong(platform, song, L"C:\\a.mp3");
  platform.mediaCommands.clear();

  StopSong(platform, song);

  EXPECT_EQ(platform.mediaCommands, Commands{L"close \"C:\\a.mp3\""});
  EXPECT_FALSE(isPlaying);
  EXPECT_EQ(songFile, L"\"C:\\a.mp3\"");
}

TEST_F(SongPlayerTest, PersianFileNamesPassUnchanged) {
  const std::wstring path = L"C:\\موسیقی\\آهنگ شاد.mp3";
  PlayChosenSong(platform, song, path);

  EXPECT_EQ(platform.mediaCommands.at(1), L"open \"" + path + L"\"");
  EXPECT_EQ(platform.mediaCommands.at(2), L"play \"" + path + L"\"");
}

TEST_F(SongPlayerTest, AFileThatCannotBeOpenedStillCountsAsPlaying) {
  platform.mediaResponder = [](const std::wstring& command) {
    return MediaReply{command.starts_with(L"close") ? kMciErrorInvalidDeviceName : 277u, {}};
  };
  PlayChosenSong(platform, song, L"C:\\missing.mp3");

  EXPECT_EQ(platform.mediaCommands.size(), 3u);
  EXPECT_TRUE(isPlaying);
}

}  // namespace
}  // namespace tavilo
