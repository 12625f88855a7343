// The baselines for measure.sh: a window with the strip's size, styles and
// colour key. Built twice:
//   strip_hello.exe  parked like the strip, no timer: it paints once when
//                    shown and then waits for messages;
//   strip_naive.exe  down like the strip in use, the naive counter: a 1 ms
//                    timer whose every tick invalidates the whole window,
//                    and a paint that fills it and draws the running time
//                    and a date line with plain DrawTextW (no skin, no
//                    shaping).
#include <windows.h>

namespace {

constexpr bool kNaiveCounter = TAVILO_BENCH_NAIVE_COUNTER;
constexpr UINT kTimerMs = 1;

constexpr wchar_t kClassName[] = L"TaviloBenchHello";
constexpr int kWidth = 350;   // 5250 twips at 96 DPI
constexpr int kHeight = 138;  // 2070 twips
constexpr int kOnScreen = 2;  // the strip's parked rows
constexpr COLORREF kKeyColor = RGB(255, 0, 0);

void Paint(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HFONT font = CreateFontW(-29, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ARABIC_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                           DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  HGDIOBJ previous = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  if (kNaiveCounter) {
    const ULONGLONG ms = GetTickCount64();
    wchar_t counter[64];
    wsprintfW(counter, L"%u:%u:%u:%u", static_cast<unsigned>(ms / 3600000),
              static_cast<unsigned>(ms / 60000 % 60), static_cast<unsigned>(ms / 1000 % 60),
              static_cast<unsigned>(ms % 1000));
    RECT line = client;
    line.bottom = client.bottom / 2;
    DrawTextW(dc, counter, -1, &line, DT_LEFT | DT_SINGLELINE);
    line.top = line.bottom;
    line.bottom = client.bottom;
    DrawTextW(dc, L"امروز دوشنبه 1405/09/16 هجري شمسي مطابق با 7 December سال  2026 ميلادي",
              -1, &line, DT_RIGHT | DT_WORDBREAK);
  } else {
    DrawTextW(dc, L"Hello, world", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  SelectObject(dc, previous);
  DeleteObject(font);
  EndPaint(window, &paint);
}

LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_TIMER:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  WNDCLASSEXW windowClass = {};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WndProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassExW(&windowClass)) return 1;

  const int left = GetSystemMetrics(SM_CXSCREEN) - kWidth - 1;
  const int top = kNaiveCounter ? 0 : kOnScreen - kHeight;
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED, kClassName,
                                L"Hello", WS_POPUP, left, top, kWidth, kHeight, nullptr, nullptr,
                                instance, nullptr);
  if (!window) return 1;
  SetLayeredWindowAttributes(window, kKeyColor, 0, LWA_COLORKEY);
  if (kNaiveCounter) SetTimer(window, 1, kTimerMs, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
