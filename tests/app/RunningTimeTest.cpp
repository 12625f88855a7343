#include "ui/RunningTime.h"

#include <gtest/gtest.h>

#include <limits>

#include "app/logic/LabelCaption.h"

namespace tavilo {
namespace {

std::wstring TextAt(uint64_t ms) { return RunningTimeText(RunningTimeFromTicks(ms)); }

TEST(RunningTime, CounterTexts) {
  EXPECT_EQ(TextAt(0), L"0:0:0:0");
  EXPECT_EQ(TextAt(7384123), L"2:3:4:123");
  EXPECT_EQ(TextAt(2147483647), L"596:31:23:647");
  EXPECT_EQ(TextAt(999), L"0:0:0:999");
  EXPECT_EQ(TextAt(3599999), L"0:59:59:999");
  EXPECT_EQ(TextAt(3600000), L"1:0:0:0");
}

TEST(RunningTime, HoursAreNotWrappedAtADay) {
  EXPECT_EQ(TextAt(30ull * 3600000), L"30:0:0:0");
  EXPECT_EQ(TextAt(600ull * 3600000 + 1), L"600:0:0:1");
}

TEST(RunningTime, NeitherNegativeNorWrappedPastThirtyTwoBits) {
  // Where a 32-bit tick count turns negative and where it wraps to zero.
  EXPECT_EQ(TextAt(2147483648ull), L"596:31:23:648");
  EXPECT_EQ(TextAt(4294967295ull), L"1193:2:47:295");
  EXPECT_EQ(TextAt(4294967296ull), L"1193:2:47:296");
  EXPECT_EQ(TextAt(100ull * 86400000 + 61001), L"2400:1:1:1");
}

TEST(RunningTime, FieldsOfOneTickCount) {
  const RunningTime time = RunningTimeFromTicks(7384123);
  EXPECT_EQ(time, (RunningTime{2, 3, 4, 123}));
}

TEST(RunningTime, HoursSaturateInsteadOfOverflowing) {
  const RunningTime time = RunningTimeFromTicks(std::numeric_limits<uint64_t>::max());
  EXPECT_EQ(time.hours, std::numeric_limits<int32_t>::max());
  EXPECT_GE(time.minutes, 0);
  EXPECT_LT(time.minutes, 60);
  EXPECT_GE(time.seconds, 0);
  EXPECT_LT(time.seconds, 60);
  EXPECT_GE(time.milliseconds, 0);
  EXPECT_LT(time.milliseconds, 1000);
}

TEST(LabelCaption, ChangedCaptionIsRedrawnOnceWhileVisible) {
  LabelCaption caption;
  caption.Set(L"0:0:0:10");
  EXPECT_TRUE(caption.TakeRedraw(true));
  EXPECT_FALSE(caption.TakeRedraw(true));
  caption.Set(L"0:0:0:10");  // unchanged
  EXPECT_FALSE(caption.TakeRedraw(true));
}

TEST(LabelCaption, ChangeMadeWhileHiddenIsDrawnWhenVisibleAgain) {
  LabelCaption caption;
  caption.Set(L"a");
  EXPECT_TRUE(caption.TakeRedraw(true));
  caption.Set(L"b");
  EXPECT_FALSE(caption.TakeRedraw(false));  // parked
  caption.Set(L"c");
  EXPECT_FALSE(caption.TakeRedraw(false));
  EXPECT_TRUE(caption.TakeRedraw(true));
  EXPECT_FALSE(caption.TakeRedraw(true));
  EXPECT_EQ(caption.Text(), L"c");
}

TEST(LabelCaption, EmptyCaptionNeedsNoDrawing) {
  LabelCaption caption;
  caption.Set(L"");
  EXPECT_FALSE(caption.TakeRedraw(true));
  EXPECT_EQ(caption.Text(), L"");
}

}  // namespace
}  // namespace tavilo
