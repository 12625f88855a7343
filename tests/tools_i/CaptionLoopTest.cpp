#include "tools/logic/CaptionLoop.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tavilo {
namespace {

const std::wstring kTitle = L"تبديل تاريخ    ";

TEST(CaptionLoopTest, GrowsSlowlyShrinksFastAndStartsAgain) {
  CaptionLoop loop(kTitle);
  std::vector<std::size_t> lengths;
  std::vector<unsigned> intervals;
  // Lengths shown: 1..15, 15..1, 1..15, 15 (two rounds and one more).
  for (int tick = 0; tick < 61; ++tick) {
    const CaptionLoop::Tick shown = loop.Next();
    EXPECT_EQ(shown.caption, kTitle.substr(0, shown.caption.size()));
    lengths.push_back(shown.caption.size());
    intervals.push_back(shown.nextIntervalMs);
  }
  std::vector<std::size_t> expected;
  for (int round = 0; round < 2; ++round) {
    for (std::size_t n = 1; n <= 15; ++n) expected.push_back(n);
    for (std::size_t n = 15; n >= 1; --n) expected.push_back(n);
  }
  expected.push_back(1);
  EXPECT_EQ(lengths, expected);

  // The interval after each shown caption: 200 ms while growing, 50 ms from
  // the tick that shows the full title on the way down, 200 again after the
  // single letter turns it.
  for (std::size_t i = 0; i < intervals.size(); ++i) {
    const std::size_t inRound = i % 30;
    const unsigned want = (inRound >= 14 && inRound < 29) ? 50u : 200u;
    EXPECT_EQ(intervals[i], want) << "tick " << i;
  }
}

TEST(CaptionLoopTest, CaptionIsNeverEmpty) {
  CaptionLoop loop(kTitle);
  for (int tick = 0; tick < 1000; ++tick) ASSERT_FALSE(loop.Next().caption.empty());
}

TEST(CaptionLoopTest, OneCharacterTitleShowsItOnEveryTick) {
  CaptionLoop loop(L"x");
  for (int tick = 0; tick < 6; ++tick) EXPECT_EQ(loop.Next().caption, L"x");
}

}  // namespace
}  // namespace tavilo
