// The strip's design: its size, its labels and its skin, shared by the
// window's behaviour (Form1.cpp) and its drawing (Form1Paint.cpp).
#pragma once

#include <windows.h>

#include "app/Form1.h"

namespace tavilo::strip_design {

inline constexpr wchar_t kFontFace[] = L"Tahoma";

// Client area in twips; with no border it is also the window's size.
inline constexpr float kWidth = 5250.0f;
inline constexpr float kHeight = 2070.0f;

// The skin is drawn unscaled at this DPI.
inline constexpr unsigned kSkinDpi = 96;
// Its calendar picture, in the skin's pixels.
inline constexpr RECT kCalendarPicture{34, 103, 62, 130};
// The box the date line stands in, its border included, in the skin's pixels.
inline constexpr RECT kDateBox{95, 100, 345, 133};

struct LabelLayout {
  float left, top, width, height;  // twips, relative to the client area
  float points;
  int weight;
  // Right-aligned, reading right to left; else left-aligned.
  bool rightToLeft;
  bool buttonTextColor;  // the system's button-text colour, else black
};

// Indexed by Form1::Label. Every label has a transparent background and
// Tahoma with the Arabic character set; the title and the date line wrap at
// word boundaries, the running time stands on one line.
inline constexpr LabelLayout kLabelLayout[Form1::kLabelCount] = {
    /* Label3, title */ {240, 120, 2055, 375, 12.0f, FW_BOLD, false, true},
    // Inside its box (kDateBox) with 4 pixels to spare at each end.
    /* Label2, date line */ {1500, 1530, 3600, 435, 8.25f, FW_BOLD, true, false},
    /* Label1, running time */ {360, 600, 2535, 495, 21.75f, FW_NORMAL, false, true},
};

// While a place is chosen the title shows the next prayer time, in the date
// line's font, from its left edge to the skin's clock.
inline constexpr float kPrayerTitleWidth = 3540.0f;

}  // namespace tavilo::strip_design
