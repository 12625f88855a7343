#include "tools/logic/SlideSteps.h"

#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace tavilo {
namespace {

// A window that keeps its geometry in exact twips and runs a scripted action
// on each event-loop pass.
class PlainWindow : public SlideSubject {
 public:
  PlainWindow(float left, float top, float width, float height)
      : left_(left), top_(top), width_(width), height_(height) {}

  float Left() override { return left_; }
  float Top() override { return top_; }
  float Width() override { return width_; }
  float Height() override { return height_; }
  void SetLeft(float twips) override { left_ = twips; }
  void SetTop(float twips) override { top_ = twips; }
  float ScreenWidth() override { return screenWidth; }
  float ScreenHeight() override { return screenHeight; }
  bool ProcessEvents() override {
    ++passes;
    if (onPass) return onPass(passes);
    return true;
  }

  float screenWidth = 15360;  // 1024 x 768 pixels
  float screenHeight = 11520;
  int passes = 0;
  std::function<bool(int pass)> onPass;
  float left_, top_, width_, height_;
};

TEST(SlideOutTest, WorkedExampleGoesRightThenDownBelowTheScreen) {
  PlainWindow window(6000, 3000, 4000, 3000);
  const SlideRun run = SlideOut(window, 50);
  EXPECT_EQ(run.rightSteps, 108);
  EXPECT_EQ(window.left_, 11400);
  EXPECT_EQ(run.downSteps, 231);
  EXPECT_EQ(window.top_, 14550);
  EXPECT_EQ(window.passes, 108 + 231);  // one event-loop pass per step
  EXPECT_FALSE(run.interrupted);
}

TEST(SlideOutTest, RightEdgeAtTheScreenEdgeOnlyDrops) {
  PlainWindow atEdge(11360, 3000, 4000, 3000);
  EXPECT_EQ(SlideOut(atEdge, 50).rightSteps, 0);
  EXPECT_EQ(atEdge.left_, 11360);

  PlainWindow beyond(14000, 3000, 4000, 3000);
  const SlideRun run = SlideOut(beyond, 50);
  EXPECT_EQ(run.rightSteps, 0);
  EXPECT_EQ(run.downSteps, 231);
}

TEST(SlideOutTest, OneStepShortOfTheEdgeTakesOneStep) {
  PlainWindow window(11310, 3000, 4000, 3000);
  EXPECT_EQ(SlideOut(window, 50).rightSteps, 1);
  EXPECT_EQ(window.left_, 11360);
}

TEST(SlideOutTest, AWholeHeightBelowTheBottomIsUnloadedWithoutMoving) {
  PlainWindow window(12000, 14520, 4000, 3000);
  const SlideRun run = SlideOut(window, 50);
  EXPECT_EQ(run.rightSteps + run.downSteps, 0);
  EXPECT_EQ(window.passes, 0);
  EXPECT_EQ(window.top_, 14520);
}

TEST(SlideOutTest, DropFromTheTopOfTheScreenEndsAWholeHeightBelowIt) {
  PlainWindow window(12000, 0, 4000, 3000);
  EXPECT_EQ(SlideOut(window, 50).downSteps, 291);
  EXPECT_EQ(window.top_, 14550);
}

TEST(SlideOutTest, AStepBelowOneTwipDoesNotLoopForever) {
  PlainWindow zero(6000, 3000, 4000, 3000);
  EXPECT_EQ(SlideOut(zero, 0).rightSteps, 0);
  PlainWindow negative(6000, 3000, 4000, 3000);
  const SlideRun run = SlideOut(negative, -50);
  EXPECT_EQ(run.rightSteps + run.downSteps, 0);
  EXPECT_EQ(negative.left_, 6000);
}

TEST(SlideOutTest, FollowsAWindowMovedOrResizedDuringTheSlide) {
  PlainWindow window(6000, 3000, 4000, 3000);
  window.onPass = [&window](int pass) {
    if (pass == 10) window.left_ = 11000;   // dragged nearer the edge
    if (pass == 20) window.height_ = 1000;  // made smaller while dropping
    return true;
  };
  const SlideRun run = SlideOut(window, 50);
  // Passes 1..9 move from 6000 to 6450; pass 10 puts it at 11000, and the
  // steps from there reach 11400 after pass 17.
  EXPECT_EQ(run.rightSteps, 17);
  EXPECT_EQ(window.left_, 11400);
  // Drops of 50 from 3000 with the height 1000 from pass 20 (the third drop):
  // the top must reach 12520.
  EXPECT_EQ(window.top_, 12550);
  EXPECT_EQ(run.downSteps, 191);
}

TEST(SlideOutTest, ASecondSlideStartedDuringAPassCompletesInsideIt) {
  PlainWindow first(6000, 3000, 4000, 3000);
  PlainWindow second(0, 0, 3000, 3000);
  std::vector<float> firstLeftDuringSecond;
  SlideRun secondRun;
  second.onPass = [&](int) {
    firstLeftDuringSecond.push_back(first.left_);
    return true;
  };
  first.onPass = [&](int pass) {
    if (pass == 5) secondRun = SlideOut(second, 50);
    return true;
  };
  const SlideRun firstRun = SlideOut(first, 50);

  EXPECT_EQ(secondRun.rightSteps, 248);  // 0 -> 12400, 12400 + 3000 >= 15360
  EXPECT_EQ(second.top_, 14550);
  // The first window stood still at its fourth step while the second slid.
  ASSERT_FALSE(firstLeftDuringSecond.empty());
  for (float left : firstLeftDuringSecond) EXPECT_EQ(left, 6200);
  EXPECT_EQ(firstRun.rightSteps, 108);
  EXPECT_EQ(first.top_, 14550);
}

TEST(SlideOutTest, StopsAtOnceWhenAPassSaysTheWindowIsGone) {
  PlainWindow window(6000, 3000, 4000, 3000);
  window.onPass = [](int pass) { return pass < 4; };
  const SlideRun run = SlideOut(window, 50);
  EXPECT_TRUE(run.interrupted);
  EXPECT_EQ(run.rightSteps, 3);
  EXPECT_EQ(window.left_, 6150);
  EXPECT_EQ(window.passes, 4);

  PlainWindow dropping(12000, 3000, 4000, 3000);
  dropping.onPass = [](int pass) { return pass < 2; };
  const SlideRun dropRun = SlideOut(dropping, 50);
  EXPECT_TRUE(dropRun.interrupted);
  EXPECT_EQ(dropping.top_, 3050);
}

}  // namespace
}  // namespace tavilo
