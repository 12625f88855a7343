// Persian text the windows draw themselves. Widths are taken after shaping
// (joined letters are narrower than the isolated forms a plain text-extent
// call adds up, which put right-aligned lines well short of their edge), and
// lines are drawn right to left with ExtTextOut.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace tavilo {

// Width in pixels of one line in the font selected into `dc`.
int ShapedWidth(HDC dc, std::wstring_view text);

enum class RtlAnchor { kLeftEdge, kRightEdge };

// Draws one line reading right to left, its left or right edge at `x`.
void DrawRtlLine(HDC dc, std::wstring_view text, int x, int y, RtlAnchor anchor);

// The lines of `text` (broken at '\n') each wrapped at blanks to `width`; a
// single word wider than that stands on a line of its own.
std::vector<std::wstring> WrapLines(HDC dc, std::wstring_view text, int width);

// Whether the text wrapped to the width of `area` stands wholly in it, every
// line as wide as it at most, in the font selected into `dc`.
bool ParagraphFits(HDC dc, std::wstring_view text, const RECT& area);

// The text wrapped to the width of `area` and drawn right-aligned from its
// top, right to left.
void DrawRtlParagraph(HDC dc, std::wstring_view text, const RECT& area);

}  // namespace tavilo
