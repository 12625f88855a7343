#include "ui/Palette.h"

#include <algorithm>
#include <cmath>

namespace tavilo {

namespace {

// The program's own look. Selected days are dark fills with light text, so
// that the holidays' red and today's outline stand out on every background.
constexpr Palette kLightGrid{
    .panel = {252, 253, 255},
    .header = {224, 233, 243},
    .onPanel = {.day = {30, 44, 62}, .dayOff = {190, 30, 40}, .small = {74, 96, 122},
                .otherMonth = {106, 112, 122}},
    .focusedSelection = {40, 88, 146},
    .selection = {76, 90, 108},
    .onSelection = {.day = {255, 255, 255}, .dayOff = {255, 210, 210}, .small = {222, 232, 244},
                    .otherMonth = {214, 218, 224}},
    .today = {12, 120, 130},
    .todayOnSelection = {130, 236, 240},
    .eventMark = {188, 100, 0},
    .eventMarkOnSelection = {255, 196, 100},
};

// The same hues on Windows' dark surfaces; fills are light with dark text.
constexpr Palette kDark{
    .window = {32, 32, 32},
    .windowText = {240, 240, 240},
    .field = {44, 44, 44},
    .fieldText = {240, 240, 240},
    .systemControls = false,
    .panel = {32, 32, 32},
    .header = {48, 48, 52},
    .onPanel = {.day = {240, 240, 240}, .dayOff = {255, 132, 132}, .small = {170, 188, 208},
                .otherMonth = {150, 150, 150}},
    .focusedSelection = {132, 180, 236},
    .selection = {176, 176, 182},
    .onSelection = {.day = {12, 12, 12}, .dayOff = {112, 0, 8}, .small = {24, 40, 64},
                    .otherMonth = {40, 40, 40}},
    .today = {60, 200, 210},
    .todayOnSelection = {0, 72, 84},
    .eventMark = {255, 164, 64},
    .eventMarkOnSelection = {110, 56, 0},
};

double Linear(std::uint8_t channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(Rgb c) {
  return 0.2126 * Linear(c.r) + 0.7152 * Linear(c.g) + 0.0722 * Linear(c.b);
}

}  // namespace

Theme ChooseTheme(bool highContrast, std::optional<std::uint32_t> appsUseLightTheme) {
  if (highContrast) return Theme::kHighContrast;
  return appsUseLightTheme == 0u ? Theme::kDark : Theme::kLight;
}

Palette PaletteFor(Theme theme, const SystemColours& system) {
  switch (theme) {
    case Theme::kDark:
      return kDark;
    case Theme::kHighContrast: {
      const CellInks onWindow{system.windowText, system.windowText, system.windowText,
                              system.grayText};
      const Rgb on = system.highlightText;
      return {.window = system.face, .windowText = system.faceText, .field = system.window,
              .fieldText = system.windowText, .systemControls = true,
              .panel = system.window, .header = system.window, .onPanel = onWindow,
              .focusedSelection = system.highlight, .selection = system.highlight,
              .onSelection = {on, on, on, on},
              .today = system.hotLight, .todayOnSelection = on,
              .eventMark = system.hotLight, .eventMarkOnSelection = on,
              .underlineDaysOff = true};
    }
    case Theme::kLight:
      break;
  }
  Palette light = kLightGrid;
  light.window = system.face;
  light.windowText = system.faceText;
  light.field = system.window;
  light.fieldText = system.windowText;
  return light;
}

double ContrastRatio(Rgb a, Rgb b) {
  const double x = Luminance(a), y = Luminance(b);
  return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}

}  // namespace tavilo
