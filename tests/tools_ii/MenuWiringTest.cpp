// The scheduler and the player reached from the real menu host, with the
// drop-down strip's unload and the Exit command closing an open song.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "RoutedPlatform.h"
#include "app/Form1.h"
#include "app/FrmMenu.h"
#include "tools/FrmPlay.h"
#include "tools/FrmShutDown.h"
#include "ui/Globals.h"
#include "ui/Settings.h"
#include "ui/ToolWindows.h"

namespace tavilo {
namespace {

using Commands = std::vector<std::wstring>;

class MenuWiringTest : public ::testing::Test {
 protected:
  void SetUp() override {
    IsPlaying = false;
    SongFile.clear();
    auto player = std::make_unique<FrmPlay>(platform);
    auto scheduler = std::make_unique<FrmShutDown>(platform);
    this->player = player.get();
    this->scheduler = scheduler.get();
    tools.Register(ToolWindowKind::kFrmPlay, std::move(player));
    tools.Register(ToolWindowKind::kFrmShutDown, std::move(scheduler));
    menu.AttachMainWindow(form1);
    ASSERT_TRUE(form1.Create());
  }

  void PlaySong(const wchar_t* path) {
    platform.fake.openFileDialogResults.push_back(path);
    SendDlgItemMessageW(player->Handle(), FrmPlay::kCommand1 + FrmPlay::kPlay, BM_CLICK, 0, 0);
  }

  testing::RoutedPlatform platform;
  ToolWindowRegistry tools;
  FrmPlay* player = nullptr;
  FrmShutDown* scheduler = nullptr;
  bool programEnded = false;
  FrmMenu menu{GetModuleHandleW(nullptr), platform, tools, [this] { programEnded = true; }};
  Form1 form1{GetModuleHandleW(nullptr), platform, menu};
};

TEST_F(MenuWiringTest, MenuCommandsOpenOneInstanceOfEachWindow) {
  menu.mnuWarning_Click();
  ASSERT_TRUE(scheduler->IsOpen());
  HWND first = scheduler->Handle();
  menu.mnuWarning_Click();
  EXPECT_EQ(scheduler->Handle(), first);

  menu.mnuPlay_Click();
  EXPECT_TRUE(player->IsOpen());
  EXPECT_TRUE(IsWindowVisible(player->Handle()));
}

TEST_F(MenuWiringTest, TheMenuShowsAHiddenArmedSchedulerAsItWasLeft) {
  menu.mnuWarning_Click();
  HWND window = scheduler->Handle();
  SetDlgItemTextW(window, FrmShutDown::kTxtHour, L"9");
  SetDlgItemTextW(window, FrmShutDown::kTxtMin, L"8");
  SetDlgItemTextW(window, FrmShutDown::kTxtSec, L"7");
  SendDlgItemMessageW(window, FrmShutDown::kCmdOk, BM_CLICK, 0, 0);
  ASSERT_FALSE(IsWindowVisible(window));

  menu.mnuWarning_Click();

  EXPECT_EQ(scheduler->Handle(), window);
  EXPECT_TRUE(IsWindowVisible(window));
  wchar_t hours[8] = {};
  GetDlgItemTextW(window, FrmShutDown::kTxtHour, hours, 8);
  EXPECT_STREQ(hours, L"9");
}

TEST_F(MenuWiringTest, ExitWhilePlayingClosesTheSongTwiceAndEndsTheProgram) {
  menu.mnuPlay_Click();
  PlaySong(L"C:\\My Music\\a b.mp3");
  platform.fake.mediaCommands.clear();

  menu.mnuExit_Click();

  EXPECT_EQ(platform.fake.mediaCommands,
            (Commands{L"close \"C:\\My Music\\a b.mp3\"", L"close \"C:\\My Music\\a b.mp3\""}));
  EXPECT_TRUE(programEnded);
}

TEST_F(MenuWiringTest, ExitAfterStopSendsNoMediaCommand) {
  menu.mnuPlay_Click();
  PlaySong(L"C:\\a.mp3");
  SendDlgItemMessageW(player->Handle(), FrmPlay::kCommand1 + FrmPlay::kStop, BM_CLICK, 0, 0);
  platform.fake.mediaCommands.clear();

  menu.mnuExit_Click();

  EXPECT_TRUE(platform.fake.mediaCommands.empty());
  EXPECT_TRUE(programEnded);
}

TEST_F(MenuWiringTest, ClosingThePlayerThenExitingStillClosesTheSong) {
  menu.mnuPlay_Click();
  PlaySong(L"C:\\a.mp3");
  SendMessageW(player->Handle(), WM_CLOSE, 0, 0);
  ASSERT_FALSE(player->IsOpen());
  platform.fake.mediaCommands.clear();

  menu.mnuExit_Click();

  EXPECT_EQ(platform.fake.mediaCommands,
            (Commands{L"close \"C:\\a.mp3\"", L"close \"C:\\a.mp3\""}));
}

// A new user's quick item shuts down after 30 minutes, the scheduler loaded
// but never shown; cancel disarms.
TEST_F(MenuWiringTest, AQuickItemArmsTheLastActionWithTheWindowHidden) {
  ProgramSettings() = Settings{};
  platform.fake.tickCount = 10'500;
  menu.MnuFile();
  SendMessageW(menu.Handle(), WM_COMMAND, FrmMenu::kMnuScheduleIn15 + 1, 0);
  ASSERT_TRUE(scheduler->IsOpen());
  EXPECT_FALSE(IsWindowVisible(scheduler->Handle()));
  EXPECT_EQ(ProgramSchedule().Deadline(), 10 + 30 * 60);
  platform.fake.tickCount = (10 + 30 * 60) * 1000;
  SendMessageW(scheduler->Handle(), WM_TIMER, FrmShutDown::kTimer1, 0);
  EXPECT_EQ(platform.fake.exitWindowsRequests, (std::vector<ExitWindowsRequest>{{5, 0}}));
  SendMessageW(menu.Handle(), WM_COMMAND, FrmMenu::kMnuCancelSchedule, 0);
  EXPECT_FALSE(ProgramSchedule().IsArmed());
}

// The menu's Exit asks before it drops an armed schedule; the installer's
// and WM_CLOSE's exit never.
TEST_F(MenuWiringTest, ExitChosenWithAScheduleArmedAsksFirst) {
  ProgramSettings() = Settings{};
  ProgramSettings().scheduleAction = static_cast<int>(ScheduleAction::kLock);
  platform.fake.tickCount = 10'500;
  menu.MnuFile();
  SendMessageW(menu.Handle(), WM_COMMAND, FrmMenu::kMnuScheduleIn15, 0);
  SendMessageW(scheduler->Handle(), WM_TIMER, FrmShutDown::kTimer1, 0);
  platform.fake.messageBoxResults = {7, kIdYes};  // no, then yes
  SendMessageW(menu.Handle(), WM_COMMAND, FrmMenu::kMnuExit, 0);
  ASSERT_EQ(platform.fake.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.fake.messageBoxes[0].text,
            L"زمان‌بندی «قفل کردن (۰:۱۵:۰۰)» با خروج از Tavilo لغو می‌شود.\nخارج می‌شوید؟");
  EXPECT_FALSE(programEnded);
  EXPECT_TRUE(ProgramSchedule().IsArmed());
  SendMessageW(menu.Handle(), WM_COMMAND, FrmMenu::kMnuExit, 0);
  EXPECT_TRUE(programEnded);
  EXPECT_EQ(platform.fake.messageBoxes.size(), 2u);
  programEnded = false;
  ProgramSchedule().Arm(5000);
  menu.ExitProgram();
  EXPECT_EQ(platform.fake.messageBoxes.size(), 2u);
  EXPECT_TRUE(programEnded);
}

}  // namespace
}  // namespace tavilo
