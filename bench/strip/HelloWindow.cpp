// The baselines for measure.sh: a hello-world window with the strip's size,
// styles, colour key and parked position, and nothing else. It paints once
// when shown and then waits for messages. Built twice:
//   strip_hello.exe        has no timer at all;
//   strip_hello_timer.exe  runs a 1 ms timer whose ticks do nothing: what
//                          the timer alone costs the window system.
#include <windows.h>

namespace {

constexpr UINT kTimerMs = TAVILO_BENCH_TIMER_MS;

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
  DrawTextW(dc, L"Hello, world", -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
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
  HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED, kClassName,
                                L"Hello", WS_POPUP, left, kOnScreen - kHeight, kWidth, kHeight,
                                nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  SetLayeredWindowAttributes(window, kKeyColor, 0, LWA_COLORKEY);
  if (kTimerMs > 0) SetTimer(window, 1, kTimerMs, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
