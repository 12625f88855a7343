#include "tools/TimetablePage.h"

#include <algorithm>
#include <numeric>

#include "ui/PersianDigits.h"
#include "ui/RtlText.h"

namespace tavilo {

namespace {

constexpr COLORREF kHolidayInk = RGB(0xC0, 0x00, 0x00);
constexpr COLORREF kTodayShade = RGB(0xFF, 0xF3, 0xC4);
constexpr COLORREF kHeaderShade = RGB(0xE8, 0xEE, 0xF5);
constexpr COLORREF kRule = RGB(0x88, 0x88, 0x88);
constexpr float kTablePoints = 12.0f;  // shrunk until the month fits
constexpr float kSmallestPoints = 5.0f;

HFONT PageFont(float points, int dpi, bool bold) {
  return CreateFontW(-static_cast<int>(points * dpi / 72.0f + 0.5f), 0, 0, 0,
                     bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ARABIC_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

int LineHeight(HDC dc) {
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  return metrics.tmHeight;
}

void FillBand(HDC dc, RECT band, COLORREF colour) {
  HBRUSH brush = CreateSolidBrush(colour);
  FillRect(dc, &band, brush);
  DeleteObject(brush);
}

// Each column's width: its widest cell and a padding, right to left.
std::vector<int> ColumnWidths(HDC dc, const std::vector<std::vector<std::wstring>>& lines,
                              int padding) {
  std::vector<int> widths(lines.front().size(), 0);
  for (const auto& line : lines) {
    for (std::size_t column = 0; column < line.size(); ++column) {
      widths[column] = std::max(widths[column], ShapedWidth(dc, line[column]) + 2 * padding);
    }
  }
  return widths;
}

}  // namespace

void DrawTimetablePage(HDC dc, const Timetable& table, bool persianDigits, int width, int height,
                       int dpi) {
  const int saved = SaveDC(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  const int margin = dpi * 2 / 5;  // 1 cm
  const int right = width - margin;
  const auto digits = [persianDigits](const std::wstring& text) {
    return persianDigits ? text : LatinDigits(text);
  };

  // The heading, then the months under it.
  HFONT heading = PageFont(14.0f, dpi, true);
  SelectObject(dc, heading);
  int y = margin;
  DrawRtlLine(dc, digits(table.heading), right, y, RtlAnchor::kRightEdge);
  y += LineHeight(dc) * 5 / 4;
  HFONT small = PageFont(9.0f, dpi, false);
  SelectObject(dc, small);
  DrawRtlLine(dc, digits(table.subheading), right, y, RtlAnchor::kRightEdge);
  y += LineHeight(dc) * 3 / 2;
  const int footerHeight = LineHeight(dc) * 2;

  std::vector<std::vector<std::wstring>> lines = {TimetableHeaderCells(table)};
  for (const TimetableRow& row : table.rows) lines.push_back(TimetableRowCells(row, persianDigits));

  // The largest text with which the table fits the page's width and height.
  const int room = height - margin - footerHeight - y;
  float points = kTablePoints;
  HFONT font = nullptr;
  std::vector<int> widths;
  int rowHeight = 0;
  for (;;) {
    if (font) DeleteObject(font);
    font = PageFont(points, dpi, false);
    SelectObject(dc, font);
    rowHeight = LineHeight(dc) * 3 / 2;
    widths = ColumnWidths(dc, lines, LineHeight(dc) / 3);
    const int total = std::accumulate(widths.begin(), widths.end(), 0);
    const bool fits = total <= right - margin && rowHeight * static_cast<int>(lines.size()) <= room;
    if (fits || points <= kSmallestPoints) break;
    points -= 0.5f;
  }
  // Spread what is left over the columns, so the table spans the page.
  const int total = std::accumulate(widths.begin(), widths.end(), 0);
  const int spare = std::max(0, right - margin - total) / static_cast<int>(widths.size());
  for (int& columnWidth : widths) columnWidth += spare;
  const int tableLeft = right - std::accumulate(widths.begin(), widths.end(), 0);

  HPEN rule = CreatePen(PS_SOLID, std::max(1, dpi / 150), kRule);
  SelectObject(dc, rule);
  const int textTop = (rowHeight - LineHeight(dc)) / 2;
  for (std::size_t line = 0; line < lines.size(); ++line) {
    const RECT band{tableLeft, y, right, y + rowHeight};
    const TimetableRow* row = line == 0 ? nullptr : &table.rows[line - 1];
    if (!row) FillBand(dc, band, kHeaderShade);
    if (row && row->today) FillBand(dc, band, kTodayShade);
    SetTextColor(dc, row && row->dayOff ? kHolidayInk : RGB(0, 0, 0));
    int cellRight = right;
    for (std::size_t column = 0; column < lines[line].size(); ++column) {
      const std::wstring& text = lines[line][column];
      const int centre = cellRight - widths[column] / 2;
      DrawRtlLine(dc, text, centre + ShapedWidth(dc, text) / 2, y + textTop, RtlAnchor::kRightEdge);
      cellRight -= widths[column];
      MoveToEx(dc, cellRight, y, nullptr);
      LineTo(dc, cellRight, y + rowHeight);
    }
    MoveToEx(dc, tableLeft, y, nullptr);
    LineTo(dc, right, y);
    MoveToEx(dc, right, y, nullptr);
    LineTo(dc, right, y + rowHeight);
    y += rowHeight;
  }
  MoveToEx(dc, tableLeft, y, nullptr);
  LineTo(dc, right, y);

  SelectObject(dc, small);
  SetTextColor(dc, RGB(0x44, 0x44, 0x44));
  DrawRtlLine(dc, table.method + L" · Tavilo", right, height - margin - LineHeight(dc),
              RtlAnchor::kRightEdge);
  RestoreDC(dc, saved);
  DeleteObject(rule);
  DeleteObject(font);
  DeleteObject(small);
  DeleteObject(heading);
}

}  // namespace tavilo
