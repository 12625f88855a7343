#include "ui/ToolWindows.h"

#include <gtest/gtest.h>

#include <vector>

namespace tavilo {
namespace {

// A tool window that records what was asked of it; it can close itself.
class RecordingToolWindow : public ToolWindow {
 public:
  explicit RecordingToolWindow(std::vector<std::string>& log) : log_(log) {}
  bool IsOpen() const override { return open_; }
  void Open() override {
    open_ = true;
    log_.push_back("open");
  }
  void BringToFront() override { log_.push_back("front"); }
  void CloseItself() { open_ = false; }

 private:
  std::vector<std::string>& log_;
  bool open_ = false;
};

TEST(ToolWindowRegistry, OpensOnFirstUseAndBringsToFrontAfterwards) {
  std::vector<std::string> log;
  ToolWindowRegistry registry;
  auto window = std::make_unique<RecordingToolWindow>(log);
  RecordingToolWindow& about = *window;
  registry.Register(ToolWindowKind::kFrmAbout, std::move(window));

  registry.Show(ToolWindowKind::kFrmAbout);
  registry.Show(ToolWindowKind::kFrmAbout);
  EXPECT_EQ(log, (std::vector<std::string>{"open", "front"}));

  about.CloseItself();
  registry.Show(ToolWindowKind::kFrmAbout);
  EXPECT_EQ(log, (std::vector<std::string>{"open", "front", "open"}));
}

TEST(ToolWindowRegistry, EachKindIsItsOwnInstance) {
  std::vector<std::string> playLog;
  std::vector<std::string> transLog;
  ToolWindowRegistry registry;
  registry.Register(ToolWindowKind::kFrmPlay, std::make_unique<RecordingToolWindow>(playLog));
  registry.Register(ToolWindowKind::kFrmTrans, std::make_unique<RecordingToolWindow>(transLog));
  registry.Show(ToolWindowKind::kFrmPlay);
  registry.Show(ToolWindowKind::kFrmTrans);
  registry.Show(ToolWindowKind::kFrmPlay);
  EXPECT_EQ(playLog, (std::vector<std::string>{"open", "front"}));
  EXPECT_EQ(transLog, (std::vector<std::string>{"open"}));
}

TEST(ToolWindowRegistry, UnregisteredKindDoesNothing) {
  std::vector<std::string> log;
  ToolWindowRegistry registry;
  registry.Register(ToolWindowKind::kFrmPlay, std::make_unique<RecordingToolWindow>(log));
  registry.Show(ToolWindowKind::kDateConvert);
  EXPECT_TRUE(log.empty());
}

}  // namespace
}  // namespace tavilo
