// Each theme's palette against the contrast the grid needs to be read: text
// 4.5:1 on every background it sits on, outlines, marks and fills 3:1
// against their neighbours. High contrast with Windows' own two schemes.
#include "ui/Palette.h"

#include <gtest/gtest.h>

namespace tavilo {
namespace {

// Window, text, highlight, highlight text, grey text, hot-light, face, face text.
constexpr SystemColours kClassic{{255, 255, 255}, {}, {0, 120, 215}, {255, 255, 255},
                                 {109, 109, 109}, {0, 102, 204}, {240, 240, 240}, {}};
constexpr SystemColours kHighContrastBlack{{}, {255, 255, 255}, {26, 235, 255}, {},
                                           {63, 242, 63}, {255, 255, 0}, {}, {255, 255, 255}};
constexpr SystemColours kHighContrastWhite{{255, 255, 255}, {}, {55, 0, 110}, {255, 255, 255},
                                           {96, 0, 0}, {0, 0, 159}, {255, 255, 255}, {}};

void ExpectReadable(const Palette& p) {
  const auto atLeast = [](double ratio, Rgb a, Rgb b) { EXPECT_GE(ContrastRatio(a, b), ratio); };
  for (Rgb text : {p.onPanel.day, p.onPanel.dayOff, p.onPanel.small, p.onPanel.otherMonth})
    atLeast(4.5, text, p.panel);
  for (Rgb text : {p.onPanel.day, p.onPanel.dayOff}) atLeast(4.5, text, p.header);
  for (Rgb fill : {p.focusedSelection, p.selection}) {
    for (Rgb text :
         {p.onSelection.day, p.onSelection.dayOff, p.onSelection.small, p.onSelection.otherMonth})
      atLeast(4.5, text, fill);
    atLeast(3, fill, p.panel);
    atLeast(3, p.todayOnSelection, fill);
    atLeast(3, p.eventMarkOnSelection, fill);
  }
  atLeast(3, p.today, p.panel);
  atLeast(3, p.eventMark, p.panel);
  atLeast(4.5, p.windowText, p.window);
  atLeast(4.5, p.fieldText, p.field);
}

TEST(PaletteTest, EveryThemeMeetsTheContrastRules) {
  for (const Palette& palette :
       {PaletteFor(Theme::kLight, kClassic), PaletteFor(Theme::kDark, kClassic),
        PaletteFor(Theme::kHighContrast, kHighContrastBlack),
        PaletteFor(Theme::kHighContrast, kHighContrastWhite)}) {
    ExpectReadable(palette);
  }
}

TEST(PaletteTest, HighContrastTakesTheSystemColoursAndUnderlinesDaysOff) {
  const Palette p = PaletteFor(Theme::kHighContrast, kHighContrastBlack);
  EXPECT_EQ(p.panel, kHighContrastBlack.window);
  EXPECT_EQ(p.onPanel.day, kHighContrastBlack.windowText);
  EXPECT_EQ(p.focusedSelection, kHighContrastBlack.highlight);
  EXPECT_EQ(p.onSelection.dayOff, kHighContrastBlack.highlightText);
  EXPECT_EQ(p.today, kHighContrastBlack.hotLight);
  EXPECT_TRUE(p.underlineDaysOff);
  // Light keeps the system's dialog face for the windows; dark has its own.
  EXPECT_EQ(PaletteFor(Theme::kLight, kClassic).window, kClassic.face);
  EXPECT_TRUE(PaletteFor(Theme::kLight, kClassic).systemControls);
  EXPECT_FALSE(PaletteFor(Theme::kDark, kClassic).systemControls);
}

TEST(PaletteTest, ChoosesTheTheme) {
  EXPECT_EQ(ChooseTheme(false, std::nullopt), Theme::kLight);
  EXPECT_EQ(ChooseTheme(false, 1u), Theme::kLight);
  EXPECT_EQ(ChooseTheme(false, 0u), Theme::kDark);
  EXPECT_EQ(ChooseTheme(true, 0u), Theme::kHighContrast);
}

}  // namespace
}  // namespace tavilo
