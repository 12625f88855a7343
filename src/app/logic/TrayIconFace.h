// What the notification-area icon shows: today's Shamsi day number in the
// taskbar's colours at the size the shell asks for, a tooltip with the day in
// the three calendars, and what a click on it does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "tools/logic/MonthView.h"

namespace tavilo {

// 0x00BBGGRR, as COLORREF.
using Colour = std::uint32_t;

struct TaskbarTheme {
  bool highContrast = false;
  Colour highContrastText = 0;        // COLOR_WINDOWTEXT
  Colour highContrastBackground = 0;  // COLOR_WINDOW
  bool lightTaskbar = false;
};

struct IconColours {
  Colour text;
  Colour badge;  // the filled square behind the digits
  bool operator==(const IconColours&) const = default;
};

// Light text on a dark badge for a dark taskbar, dark on light for a light
// one, the system's own colours in high contrast.
IconColours IconColoursFor(const TaskbarTheme& theme);

inline constexpr wchar_t kPersonalizeKey[] =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize";

// SystemUsesLightTheme of the current user; a missing or malformed value
// means the dark taskbar of the systems that predate the setting.
bool TaskbarUsesLightTheme(Platform& platform);

inline constexpr int kSmallestIconPixels = 16;
inline constexpr int kLargestIconPixels = 32;

// The icon's side from the system's small-icon metric, kept to 16..32.
int IconPixelSize(int smallIconMetric);

// The Shamsi day of the month of `day` (days since 30 December 1899).
std::wstring DayNumberText(std::int32_t day, bool persianDigits);

// The shell cuts tooltips at 127 characters.
inline constexpr std::size_t kToolTipLimit = 127;

// Week day and Shamsi date, Gregorian date, lunar Hijri date: one a line,
// each after the first opening with a right-to-left mark.
std::wstring TrayDateLines(std::int32_t day, int lunarCorrection,
                           const GregorianMonthNames& names);

// The date lines, then `extraLine` (when not empty) on a line of its own
// after a right-to-left mark, cut with an ellipsis to stay within
// kToolTipLimit. The date lines are never cut for it.
std::wstring TrayToolTip(const std::wstring& dateLines, const std::wstring& extraLine);
// The same with several lines in order (an armed schedule, the next prayer
// time), empty ones left out; the first that does not fit is cut and the
// rest left out.
std::wstring TrayToolTip(const std::wstring& dateLines,
                         std::initializer_list<std::wstring_view> extraLines);


// What a callback event of the icon asks for. With the shell's version-4
// callbacks a click comes as NIN_SELECT (after its button messages) and a
// right click as WM_CONTEXTMENU; without them, as the button-up messages.
enum class TrayClick { kNone, kOpenCalendar, kOpenMenu };
TrayClick TrayClickOf(unsigned event, bool version4);

}  // namespace tavilo
