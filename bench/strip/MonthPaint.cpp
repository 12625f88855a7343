// What painting a month in the calendar's grid costs, against a window of
// the grid's size that draws 42 plain DrawTextW cells (a day number each) on
// a filled background. The grid is told its focus changed before each paint,
// so every paint composes the whole month afresh (week-day names, 42 cells
// of three numbers, marks) rather than copying the picture it keeps; the
// plain window is invalidated. Both are painted for real (UpdateWindow) in
// interleaved rounds; prints the median time per paint and the ratio. Run
// under Wine by measure.sh.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/win32/Win32Platform.h"
#include "tools/FrmCalendar.h"

namespace {

constexpr int kPaintsPerRound = 200;
constexpr int kRounds = 9;

// The calendar opens beside no strip here: it stays where it was created.
class NoStrip final : public tavilo::StripWindow {
 public:
  tavilo::WindowHandle StripHandle() const override { return nullptr; }
  void HoldStrip(bool) override {}
  void ReleaseStrip() override {}
};

LRESULT CALLBACK PlainCellsProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wparam, lparam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  for (int cell = 0; cell < 42; ++cell) {
    RECT box{client.right * (cell % 7) / 7, client.bottom * (cell / 7) / 6,
             client.right * (cell % 7 + 1) / 7, client.bottom * (cell / 7 + 1) / 6};
    const std::wstring day = std::to_wstring(cell % 31 + 1);
    DrawTextW(dc, day.c_str(), static_cast<int>(day.size()), &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  EndPaint(window, &paint);
  return 0;
}

// `recompose`: the grid composes its month again for each paint.
double MicrosecondsPerPaint(HWND window, bool recompose) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  for (int paint = 0; paint < kPaintsPerRound; ++paint) {
    if (recompose) {
      SendMessageW(window, paint % 2 ? WM_SETFOCUS : WM_KILLFOCUS, 0, 0);
    } else {
      InvalidateRect(window, nullptr, FALSE);
    }
    UpdateWindow(window);
  }
  GdiFlush();
  QueryPerformanceCounter(&end);
  return 1e6 * static_cast<double>(end.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart) / kPaintsPerRound;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  tavilo::Win32Platform platform;
  NoStrip strip;
  tavilo::FrmCalendar calendar(platform, strip);
  calendar.Open();
  HWND grid = GetDlgItem(calendar.Handle(), tavilo::FrmCalendar::kGrdMonth);
  if (!grid) return 1;
  RECT size;
  GetClientRect(grid, &size);

  WNDCLASSW plainClass{};
  plainClass.lpfnWndProc = PlainCellsProc;
  plainClass.hInstance = GetModuleHandleW(nullptr);
  plainClass.lpszClassName = L"TaviloBenchPlainCells";
  RegisterClassW(&plainClass);
  HWND plain = CreateWindowExW(0, plainClass.lpszClassName, L"cells", WS_POPUP | WS_VISIBLE, 0, 0,
                               size.right, size.bottom, nullptr, nullptr, plainClass.hInstance,
                               nullptr);
  if (!plain) return 1;

  std::vector<double> month, cells;
  MicrosecondsPerPaint(grid, true);  // warm-up: fonts and shaping caches
  MicrosecondsPerPaint(plain, false);
  for (int round = 0; round < kRounds; ++round) {
    month.push_back(MicrosecondsPerPaint(grid, true));
    cells.push_back(MicrosecondsPerPaint(plain, false));
  }
  const double monthMedian = Median(month);
  const double cellsMedian = Median(cells);
  std::printf("month-paint month %.1f us, plain cells %.1f us, ratio %.2f (target <= 3: %s)\n",
              monthMedian, cellsMedian, monthMedian / cellsMedian,
              monthMedian <= 3 * cellsMedian ? "met" : "MISSED");
  DestroyWindow(plain);
  return 0;
}
