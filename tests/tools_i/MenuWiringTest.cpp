// The three windows reached through the real menu host's commands: one
// program-wide instance each, brought to the front while open, loaded afresh
// after closing, and Exit while one slides out.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "WindowTestSupport.h"
#include "app/Form1.h"
#include "app/FrmMenu.h"
#include "platform/fake/FakePlatform.h"
#include "tools/DateConvert.h"
#include "tools/FrmTrans.h"
#include "tools/frmAbout.h"
#include "ui/ToolWindows.h"

namespace tavilo {
namespace {

using namespace tools_i;

class ToolsMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_.screenWidth = 800;
    platform_.screenHeight = 600;
    auto converter = std::make_unique<DateConvert>(platform_);
    auto trans = std::make_unique<FrmTrans>(platform_, form1_);
    auto about = std::make_unique<frmAbout>(platform_);
    converter_ = converter.get();
    trans_ = trans.get();
    about_ = about.get();
    tools_.Register(ToolWindowKind::kDateConvert, std::move(converter));
    tools_.Register(ToolWindowKind::kFrmTrans, std::move(trans));
    tools_.Register(ToolWindowKind::kFrmAbout, std::move(about));
    menu_.AttachMainWindow(form1_);
    ASSERT_TRUE(form1_.Create());
  }
  void TearDown() override { form1_.Unload(); }

  FakePlatform platform_;
  ToolWindowRegistry tools_;
  bool programEnded_ = false;
  FrmMenu menu_{GetModuleHandleW(nullptr), platform_, tools_, [this] {
                  programEnded_ = true;
                  PostQuitMessage(0);
                }};
  Form1 form1_{GetModuleHandleW(nullptr), platform_, menu_};
  DateConvert* converter_ = nullptr;
  FrmTrans* trans_ = nullptr;
  frmAbout* about_ = nullptr;
};

TEST_F(ToolsMenuTest, EachCommandShowsOneInstanceAndReloadsItAfterClosing) {
  struct Command {
    void (FrmMenu::*click)();
    ToolWindow* window;
    std::function<HWND()> handle;
  };
  for (const Command& command :
       {Command{&FrmMenu::mnuDate_Click, converter_, [&] { return converter_->Handle(); }},
        Command{&FrmMenu::mnuTrans_Click, trans_, [&] { return trans_->Handle(); }},
        Command{&FrmMenu::MnuAbout_Click, about_, [&] { return about_->Handle(); }}}) {
    (menu_.*command.click)();
    ASSERT_TRUE(command.window->IsOpen());
    const HWND first = command.handle();
    EXPECT_TRUE(IsWindowVisible(first));
    (menu_.*command.click)();
    EXPECT_EQ(command.handle(), first);

    PostMessageW(first, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !command.window->IsOpen(); }));
    EXPECT_FALSE(IsWindow(first));
    (menu_.*command.click)();
    EXPECT_TRUE(command.window->IsOpen());
    EXPECT_TRUE(IsWindowVisible(command.handle()));
  }
  // All three open at once, each usable on its own.
  EXPECT_TRUE(converter_->IsOpen() && trans_->IsOpen() && about_->IsOpen());
}

TEST_F(ToolsMenuTest, TheTransparencyWindowActsOnTheStripItWasGiven) {
  menu_.mnuTrans_Click();
  SendMessageW(trans_->Handle(), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 77),
               reinterpret_cast<LPARAM>(GetDlgItem(trans_->Handle(), FrmTrans::kHScroll1)));
  ASSERT_FALSE(platform_.layeredWrites.empty());
  EXPECT_EQ(platform_.layeredWrites.back(),
            (LayeredWrite{form1_.Handle(), {Form1::kKeyColor, 77, kLwaColorKey | kLwaAlpha}}));
}

TEST_F(ToolsMenuTest, ExitDuringASlideEndsTheProgram) {
  menu_.mnuDate_Click();
  menu_.MnuAbout_Click();
  const HWND converter = converter_->Handle();
  const HWND about = about_->Handle();
  RECT aboutBefore;
  GetWindowRect(about, &aboutBefore);

  // Exit is chosen while the converter slides out.
  PostAction([&] { menu_.mnuExit_Click(); });
  SendMessageW(converter, WM_CLOSE, 0, 0);

  EXPECT_TRUE(programEnded_);
  EXPECT_FALSE(IsWindow(converter));
  EXPECT_FALSE(IsWindow(form1_.Handle()));
  // The About window was neither unloaded nor slid: the process ends now.
  RECT aboutAfter;
  GetWindowRect(about, &aboutAfter);
  EXPECT_TRUE(IsWindow(about));
  EXPECT_EQ(aboutAfter.top, aboutBefore.top);
  MSG message;
  EXPECT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace tavilo
