#include "ui/RtlText.h"

#include <usp10.h>

namespace tavilo {

namespace {

// Uniscribe, bound on first use so that the program's link needs nothing more.
struct Uniscribe {
  decltype(&ScriptStringAnalyse) analyse = nullptr;
  decltype(&ScriptString_pSize) size = nullptr;
  decltype(&ScriptStringFree) free = nullptr;
};

const Uniscribe& Usp10() {
  static const Uniscribe bound = [] {
    Uniscribe functions;
    if (HMODULE library = LoadLibraryW(L"usp10.dll")) {
      functions.analyse = reinterpret_cast<decltype(&ScriptStringAnalyse)>(
          reinterpret_cast<void*>(GetProcAddress(library, "ScriptStringAnalyse")));
      functions.size = reinterpret_cast<decltype(&ScriptString_pSize)>(
          reinterpret_cast<void*>(GetProcAddress(library, "ScriptString_pSize")));
      functions.free = reinterpret_cast<decltype(&ScriptStringFree)>(
          reinterpret_cast<void*>(GetProcAddress(library, "ScriptStringFree")));
    }
    return functions;
  }();
  return bound;
}

void AppendWrapped(HDC dc, std::wstring_view line, int width, std::vector<std::wstring>& lines) {
  std::size_t start = line.find_first_not_of(L' ');
  if (start == std::wstring_view::npos) lines.emplace_back();
  while (start != std::wstring_view::npos) {
    std::size_t end = line.size();
    if (ShapedWidth(dc, line.substr(start)) > width) {
      // The last blank at which the line still fits, else the first one.
      std::size_t fits = std::wstring_view::npos;
      for (std::size_t blank = line.find(L' ', start); blank != std::wstring_view::npos;
           blank = line.find(L' ', blank + 1)) {
        if (ShapedWidth(dc, line.substr(start, blank - start)) > width) break;
        fits = blank;
      }
      if (fits == std::wstring_view::npos) fits = line.find(L' ', start);
      if (fits != std::wstring_view::npos) end = fits;
    }
    lines.emplace_back(line.substr(start, end - start));
    start = line.find_first_not_of(L' ', end);
  }
}

}  // namespace

int ShapedWidth(HDC dc, std::wstring_view text) {
  if (text.empty()) return 0;
  const int length = static_cast<int>(text.size());
  const Uniscribe& usp10 = Usp10();
  SCRIPT_STRING_ANALYSIS analysis = nullptr;
  if (usp10.analyse && usp10.size && usp10.free &&
      SUCCEEDED(usp10.analyse(dc, text.data(), length, length * 3 / 2 + 16, -1,
                              SSA_GLYPHS | SSA_FALLBACK, 0, nullptr, nullptr, nullptr, nullptr,
                              nullptr, &analysis))) {
    const int width = usp10.size(analysis)->cx;
    usp10.free(&analysis);
    return width;
  }
  // Without Uniscribe: the unshaped width, wider than what is drawn.
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), length, &size);
  return size.cx;
}

void DrawRtlLine(HDC dc, std::wstring_view text, int x, int y, RtlAnchor anchor) {
  const UINT previous = SetTextAlign(
      dc, TA_TOP | TA_RTLREADING | (anchor == RtlAnchor::kRightEdge ? TA_RIGHT : TA_LEFT));
  ExtTextOutW(dc, x, y, ETO_RTLREADING, nullptr, text.data(), static_cast<UINT>(text.size()),
              nullptr);
  SetTextAlign(dc, previous);
}

std::vector<std::wstring> WrapLines(HDC dc, std::wstring_view text, int width) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring_view::npos) end = text.size();
    AppendWrapped(dc, text.substr(start, end - start), width, lines);
    start = end + 1;
  }
  return lines;
}

bool ParagraphFits(HDC dc, std::wstring_view text, const RECT& area) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int width = area.right - area.left;
  const std::vector<std::wstring> lines = WrapLines(dc, text, width);
  if (static_cast<int>(lines.size()) * metrics.tmHeight > area.bottom - area.top) return false;
  for (const std::wstring& line : lines) {
    if (ShapedWidth(dc, line) > width) return false;
  }
  return true;
}

void DrawRtlParagraph(HDC dc, std::wstring_view text, const RECT& area) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  int y = area.top;
  for (const std::wstring& line : WrapLines(dc, text, area.right - area.left)) {
    if (y >= area.bottom) break;
    DrawRtlLine(dc, line, area.right, y, RtlAnchor::kRightEdge);
    y += metrics.tmHeight;
  }
}

}  // namespace tavilo
