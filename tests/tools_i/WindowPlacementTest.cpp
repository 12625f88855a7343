#include "tools/logic/WindowPlacement.h"

#include <gtest/gtest.h>

namespace tavilo {
namespace {

// Tool windows at their design places on small screens: the transparency
// window at 96 and 144 DPI, the converter at 192 beside taskbars, one larger
// than the screen.
TEST(KeepInside, ShiftsOnlyWhatWouldNotFit) {
  const struct {
    ScreenRect window, workArea, kept;
  } cases[] = {
      {{672, 352, 1022, 480}, {0, 0, 1024, 728}, {672, 352, 1022, 480}},
      {{1008, 528, 1530, 705}, {0, 0, 1280, 800}, {758, 528, 1280, 705}},
      {{-20, 322, 700, 1100}, {40, 0, 1920, 1000}, {40, 222, 760, 1000}},
      {{500, 300, 1400, 1200}, {0, 40, 800, 600}, {0, 40, 900, 940}},
  };
  for (const auto& c : cases) EXPECT_EQ(KeepInside(c.window, c.workArea), c.kept) << c.window.left;
}

// Under the strip, right edges aligned, whether the strip is down or parked;
// held within the work area (a taskbar at the top or bottom, a small screen);
// beside the strip where there is no room under it, never over it.
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
      {{929, -2, 1279, 136}, {0, 0, 1280, 500}, 420, 480, {509, 0, 929, 480}},  // beside
      {{754, -3, 1279, 204}, {0, 0, 1280, 800}, 636, 745, {118, 0, 754, 745}},  // 144 DPI
      {{0, -2, 350, 136}, {0, 0, 1280, 500}, 420, 480, {350, 0, 770, 480}},     // at right
      {{0, -2, 350, 136}, {0, 0, 300, 400}, 420, 480, {0, 0, 420, 480}},  // larger
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceUnderStrip(c.strip, monitor, c.workArea, c.width, c.height), c.placed)
        << c.strip.top << " " << c.workArea.bottom;
  }
}

// A window that fits keeps its size; one that does not is cut to the work
// area and scrolls; a bar on one axis can make the other need one too: a
// vertical bar widens it by its own width, or makes it scroll across as well
// when there is no room for that, and a horizontal one likewise in height.
TEST(FitFrame, CutsToTheWorkAreaAndScrollsWhatDoesNotFit) {
  const struct {
    int width, height;
    FittedFrame fitted;
  } cases[] = {{1280, 680, {1280, 680, false, false}}, {800, 975, {817, 680, false, true}},
               {1270, 975, {1280, 680, true, true}},   {1400, 670, {1280, 680, true, true}}};
  for (const auto& c : cases) {
    EXPECT_EQ(FitFrame(c.width, c.height, {0, 0, 1280, 680}, 17), c.fitted) << c.width;
  }
}

TEST(ScrolledPosition, StaysWithinTheContent) {
  using enum ScrollRequest;
  const struct { int position; ScrollRequest request; int to, expected; } cases[] = {
      {100, kLineForward, 0, 128}, {640, kLineForward, 0, 650}, {10, kPageBack, 0, 0},
      {0, kPageForward, 0, 322},   {0, kTo, 900, 650},          {90, kEnd, 0, 650},
  };
  for (const auto& c : cases) {  // 350 of 1000 pixels in view, 28 a line
    EXPECT_EQ(ScrolledPosition(c.position, c.request, c.to, 1000, 350, 28), c.expected)
        << static_cast<int>(c.request);
  }
  EXPECT_EQ(ScrolledPosition(0, kEnd, 0, 300, 350, 28), 0);  // all in view
  // A focused control comes into view by the shortest way.
  EXPECT_EQ(PositionShowing(100, 350, 500, 530), 180);
  EXPECT_EQ(PositionShowing(100, 350, 40, 70), 40);
  EXPECT_EQ(PositionShowing(100, 350, 200, 230), 100);
}

}  // namespace
}  // namespace tavilo
