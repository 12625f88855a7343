#include "tools/logic/Opacity.h"

#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"

namespace tavilo {
namespace {

constexpr std::uint32_t kRed = 0x0000FF;
WindowHandle const kForm1 = reinterpret_cast<WindowHandle>(0x1000);

TEST(OpacityTest, PositionIsHeldWithinTheScrollRange) {
  EXPECT_EQ(OpacityFromPosition(255), 255);
  EXPECT_EQ(OpacityFromPosition(128), 128);
  EXPECT_EQ(OpacityFromPosition(30), 30);
  EXPECT_EQ(OpacityFromPosition(29), 30);
  EXPECT_EQ(OpacityFromPosition(0), 30);
  EXPECT_EQ(OpacityFromPosition(-5), 30);
  EXPECT_EQ(OpacityFromPosition(256), 255);
}

TEST(OpacityTest, KeepsTheColourKeyAndTheOtherExtendedStyles) {
  FakePlatform platform;
  platform.SetWindowExStyle(kForm1, 0x8 /* WS_EX_TOPMOST */ | kWsExLayered);
  platform.SetLayeredAttributes(kForm1, {kRed, 0, kLwaColorKey});

  ApplyOpacity(platform, kForm1, kRed, 128);
  EXPECT_EQ(platform.WindowExStyle(kForm1), 0x8 | kWsExLayered);
  EXPECT_EQ(platform.GetLayeredAttributes(kForm1),
            (LayeredAttributes{kRed, 128, kLwaColorKey | kLwaAlpha}));

  // Back at the opaque end, the key is still in force.
  ApplyOpacity(platform, kForm1, kRed, 255);
  EXPECT_EQ(platform.GetLayeredAttributes(kForm1),
            (LayeredAttributes{kRed, 255, kLwaColorKey | kLwaAlpha}));
}

TEST(OpacityTest, MakesAWindowLayeredBeforeGivingItAttributes) {
  FakePlatform platform;
  ApplyOpacity(platform, kForm1, kRed, 40);
  ASSERT_EQ(platform.exStyleWrites.size(), 1u);
  EXPECT_EQ(platform.exStyleWrites[0], (ExStyleWrite{kForm1, kWsExLayered}));
  // The fake refuses attributes for a window that is not layered.
  EXPECT_EQ(platform.GetLayeredAttributes(kForm1),
            (LayeredAttributes{kRed, 40, kLwaColorKey | kLwaAlpha}));
}

}  // namespace
}  // namespace tavilo
