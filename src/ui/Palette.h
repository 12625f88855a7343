// The colours of the tool windows and the month grid in each theme: light
// (the program's own look on the system's window colours), dark (Windows'
// dark app mode) and high contrast (the user's system colours throughout).
// Portable: the window code turns the numbers into COLORREFs.
#pragma once

#include <cstdint>
#include <optional>

namespace tavilo {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

enum class Theme { kLight, kDark, kHighContrast };

// High contrast wins; otherwise AppsUseLightTheme (0 dark; missing or any
// other value light).
Theme ChooseTheme(bool highContrast, std::optional<std::uint32_t> appsUseLightTheme);

// The system colours high contrast takes (GetSysColor), and the dialog face
// the light theme keeps.
struct SystemColours {
  Rgb window, windowText, highlight, highlightText, grayText, hotLight, face, faceText;
};

// What a grid cell writes: the Shamsi day, a day off's Shamsi day, the small
// Gregorian and lunar days, any of them for a day outside the month.
struct CellInks {
  Rgb day, dayOff, small, otherMonth;
  friend bool operator==(const CellInks&, const CellInks&) = default;
};

struct Palette {
  // The windows' surface and text, and the edit boxes' and lists'.
  Rgb window{}, windowText{}, field{}, fieldText{};
  // The controls keep the system's own colours (no WM_CTLCOLOR* answer).
  bool systemControls = true;
  // The grid: its panel and week-day row, and the selected day's fill with
  // and without the focus. Text on a fill is written in `onSelection`.
  Rgb panel{}, header{};
  CellInks onPanel{};
  Rgb focusedSelection{}, selection{};
  CellInks onSelection{};
  // Today's outline and the events' mark, on the panel and on a fill.
  Rgb today{}, todayOnSelection{}, eventMark{}, eventMarkOnSelection{};
  // Days off are underlined too, not told by their colour alone.
  bool underlineDaysOff = false;
  friend bool operator==(const Palette&, const Palette&) = default;
};

Palette PaletteFor(Theme theme, const SystemColours& system);

// WCAG 2 contrast ratio, 1 to 21.
double ContrastRatio(Rgb a, Rgb b);

}  // namespace tavilo
