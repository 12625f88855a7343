// Building blocks of the tool windows: their child controls described as
// data in twips, the Tahoma window font, the window class and the placement
// of the client area, all converted to pixels at the window's real DPI.
#pragma once

#include <windows.h>

#include <span>

namespace tavilo {

// One child control, in twips of the parent's client area.
struct ControlSpec {
  int id;
  const wchar_t* windowClass;
  const wchar_t* text;
  DWORD style;  // WS_CHILD | WS_VISIBLE are added
  DWORD exStyle;
  float left, top, width, height;
};

// Persian text reads right to left and stands at the right.
inline constexpr DWORD kRightToLeftExStyle = WS_EX_RTLREADING | WS_EX_RIGHT;
// A fixed single border with a close box and no minimize or maximize box.
inline constexpr DWORD kToolWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;

inline constexpr float kTahomaPoints = 8.25f;

// Tahoma of `points` in `charset`.
HFONT CreateTahoma(unsigned dpi, BYTE charset, bool italic = false, float points = kTahomaPoints);

RECT PixelRect(float left, float top, float width, float height, unsigned dpi);

// Creates the controls in table order, which is their tab order, each with
// `font`.
void CreateControls(HWND parent, std::span<const ControlSpec> controls, HFONT font, unsigned dpi);

// Moves and sizes the existing controls to their places at `dpi` and gives
// them `font`.
void LayoutControls(HWND parent, std::span<const ControlSpec> controls, HFONT font, unsigned dpi);

// Registers the class once, with the program's icon in both sizes, the arrow
// cursor and the button-face background.
void RegisterToolWindowClass(HINSTANCE instance, const wchar_t* className, WNDPROC wndProc);

// Where left, top put the window: its frame's corner, its client area's
// corner, or nowhere (it keeps its place and only takes its size).
enum class Origin { kWindow, kClientArea, kKeepPosition };

// Gives `window` a client area of width x height twips and puts the window's
// (or its client area's) top-left corner at left, top twips on the screen.
void PlaceWindow(HWND window, Origin origin, float left, float top, float width, float height,
                 unsigned dpi);

}  // namespace tavilo
