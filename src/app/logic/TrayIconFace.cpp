#include "app/logic/TrayIconFace.h"

#include <algorithm>
#include <string_view>

#include "calendar/ShamsiArithmetic.h"
#include "platform/RegistryText.h"
#include "ui/PersianDigits.h"

namespace tavilo {
namespace {

constexpr Colour kWhite = 0xFFFFFF;
constexpr Colour kNearBlack = 0x1A1A1A;
// A shade lighter than the dark taskbars, so the badge reads as a tile.
constexpr Colour kDarkBadge = 0x3A3A3A;

constexpr wchar_t kLightThemeValue[] = L"SystemUsesLightTheme";

// Callback events (winuser.h, shellapi.h).
constexpr unsigned kWmContextMenu = 0x007B;
constexpr unsigned kWmLButtonUp = 0x0202;
constexpr unsigned kWmRButtonUp = 0x0205;
constexpr unsigned kNinSelect = 0x0400;
constexpr unsigned kNinKeySelect = 0x0401;

constexpr std::wstring_view kCalendarSeparator = L" – ";
// The shell's tooltip reads left to right: a line that opens with a number
// ("۷ دسامبر ۲۰۲۶") would show its number at the wrong end. A right-to-left
// mark first keeps the line in Persian order.
constexpr std::wstring_view kLineBreak = L"\n\u200F";
constexpr wchar_t kEllipsis = L'…';

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }

}  // namespace

IconColours IconColoursFor(const TaskbarTheme& theme) {
  if (theme.highContrast) {
    // A theme whose two colours are one would hide the digits.
    if (theme.highContrastText == theme.highContrastBackground) return {kWhite, 0};
    return {theme.highContrastText, theme.highContrastBackground};
  }
  return theme.lightTaskbar ? IconColours{kNearBlack, kWhite} : IconColours{kWhite, kDarkBadge};
}

bool TaskbarUsesLightTheme(Platform& platform) {
  const std::optional<std::uint32_t> light =
      ReadRegistryDword(platform, RegistryRoot::CurrentUser, kPersonalizeKey, kLightThemeValue);
  return light && *light != 0;
}

int IconPixelSize(int smallIconMetric) {
  return std::clamp(smallIconMetric, kSmallestIconPixels, kLargestIconPixels);
}

std::wstring DayNumberText(std::int32_t day, bool persianDigits) {
  const std::wstring text = std::to_wstring(ShamsiFromDay(day).day);
  return persianDigits ? PersianDigits(text) : text;
}

std::wstring TrayDateLines(std::int32_t day, int lunarCorrection,
                           const GregorianMonthNames& names) {
  std::wstring lines = FullDateLine(day, lunarCorrection, names);
  for (std::size_t at = lines.find(kCalendarSeparator); at != std::wstring::npos;
       at = lines.find(kCalendarSeparator, at + 1)) {
    lines.replace(at, kCalendarSeparator.size(), kLineBreak);
  }
  return lines;
}

std::wstring TrayToolTip(const std::wstring& dateLines, const std::wstring& extraLine) {
  std::wstring tip = dateLines.substr(0, kToolTipLimit);
  // Room for at least one character and the ellipsis, or no line at all.
  if (extraLine.empty() || tip.size() + kLineBreak.size() + 2 > kToolTipLimit) return tip;
  tip += kLineBreak;
  const std::size_t room = kToolTipLimit - tip.size();
  if (extraLine.size() <= room) return tip + extraLine;
  std::size_t kept = room - 1;  // and the ellipsis
  // Half a character would show as a box.
  if (kept > 0 && IsHighSurrogate(extraLine[kept - 1])) --kept;
  return tip + extraLine.substr(0, kept) + kEllipsis;
}

std::wstring JoinToolTipLines(const std::wstring& first, const std::wstring& second) {
  if (first.empty() || second.empty()) return first + second;
  return first + std::wstring(kLineBreak) + second;
}

TrayClick TrayClickOf(unsigned event, bool version4) {
  if (version4) {
    if (event == kNinSelect || event == kNinKeySelect) return TrayClick::kOpenCalendar;
    if (event == kWmContextMenu) return TrayClick::kOpenMenu;
    return TrayClick::kNone;
  }
  if (event == kWmLButtonUp) return TrayClick::kOpenCalendar;
  if (event == kWmRButtonUp) return TrayClick::kOpenMenu;
  return TrayClick::kNone;
}

}  // namespace tavilo
