#include "tools/shared/ControlTable.h"

#include "../../../assets/resource.h"
#include "ui/Twips.h"

namespace tavilo {

namespace {

HICON ProgramIcon(HINSTANCE instance, int sizeMetricX, int sizeMetricY) {
  return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TAVILO), IMAGE_ICON,
                                       GetSystemMetrics(sizeMetricX),
                                       GetSystemMetrics(sizeMetricY), LR_DEFAULTCOLOR));
}

}  // namespace

HFONT CreateTahoma(unsigned dpi, BYTE charset, bool italic, float points) {
  return CreateFontW(-PixelsFromPoints(points, dpi), 0, 0, 0, FW_NORMAL, italic, FALSE,
                     FALSE, charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
}

RECT PixelRect(float left, float top, float width, float height, unsigned dpi) {
  const int x = PixelsFromTwips(left, dpi);
  const int y = PixelsFromTwips(top, dpi);
  return {x, y, x + PixelsFromTwips(width, dpi), y + PixelsFromTwips(height, dpi)};
}

void CreateControls(HWND parent, std::span<const ControlSpec> controls, HFONT font,
                    unsigned dpi) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  for (const ControlSpec& control : controls) {
    const RECT area = PixelRect(control.left, control.top, control.width, control.height, dpi);
    HWND child = CreateWindowExW(control.exStyle, control.windowClass, control.text,
                                 WS_CHILD | WS_VISIBLE | control.style, area.left, area.top,
                                 area.right - area.left, area.bottom - area.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(control.id)),
                                 instance, nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

void LayoutControls(HWND parent, std::span<const ControlSpec> controls, HFONT font,
                    unsigned dpi) {
  for (const ControlSpec& control : controls) {
    const RECT area = PixelRect(control.left, control.top, control.width, control.height, dpi);
    HWND child = GetDlgItem(parent, control.id);
    SetWindowPos(child, nullptr, area.left, area.top, area.right - area.left,
                 area.bottom - area.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

void RegisterToolWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC wndProc) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  if (GetClassInfoExW(instance, className, &windowClass)) return;
  windowClass.lpfnWndProc = wndProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = ProgramIcon(instance, SM_CXICON, SM_CYICON);
  windowClass.hIconSm = ProgramIcon(instance, SM_CXSMICON, SM_CYSMICON);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
}

void PlaceWindow(HWND window, Origin origin, float left, float top, float width, float height,
                 unsigned dpi) {
  const RECT client = PixelRect(left, top, width, height, dpi);
  RECT frame = client;
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE)));
  const int x = origin == Origin::kClientArea ? frame.left : client.left;
  const int y = origin == Origin::kClientArea ? frame.top : client.top;
  const UINT keep = origin == Origin::kKeepPosition ? SWP_NOMOVE : 0;
  SetWindowPos(window, nullptr, x, y, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOZORDER | SWP_NOACTIVATE | keep);
}

}  // namespace tavilo
