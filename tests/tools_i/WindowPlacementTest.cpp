#include "tools/logic/WindowPlacement.h"

#include <gtest/gtest.h>

namespace tavilo {
namespace {

// Under the strip, right edges aligned, whether the strip is down or parked;
// held within the work area (a taskbar at the top or bottom, a small screen).
TEST(PlaceUnderStrip, UnderTheStripWithinTheWorkArea) {
  const ScreenRect monitor{0, 0, 1280, 800};
  struct Case {
    ScreenRect strip, workArea;
    int width, height;
    ScreenRect placed;
  } cases[] = {
      {{929, -2, 1279, 136}, {0, 0, 1280, 760}, 420, 480, {859, 138, 1279, 618}},  // down
      {{929, -136, 1279, 2}, {0, 0, 1280, 760}, 420, 480, {859, 138, 1279, 618}},  // parked
      {{929, -2, 1279, 136}, {0, 40, 1280, 800}, 420, 480, {859, 138, 1279, 618}},
      {{929, -2, 1279, 136}, {0, 0, 1280, 500}, 420, 480, {859, 20, 1279, 500}},
      {{0, -2, 350, 136}, {0, 0, 300, 400}, 420, 480, {0, 0, 420, 480}},  // larger
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceUnderStrip(c.strip, monitor, c.workArea, c.width, c.height), c.placed)
        << c.strip.top << " " << c.workArea.bottom;
  }
}

}  // namespace
}  // namespace tavilo
