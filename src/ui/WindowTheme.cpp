#include "ui/WindowTheme.h"

#include <dwmapi.h>
#include <uxtheme.h>

namespace tavilo {

namespace {

// Windows 10 20H1 and later; 19 before. mingw-w64 has no name for either.
constexpr DWORD kDwmUseImmersiveDarkMode = 20;
constexpr DWORD kDwmUseImmersiveDarkModeBefore20H1 = 19;

struct ThemeState {
  bool read = false;
  Theme theme = Theme::kLight;
  Palette palette{};
  unsigned version = 0;
  HBRUSH surface = nullptr;  // owned only in dark mode
  HBRUSH field = nullptr;
};

ThemeState& State() {
  static ThemeState state;
  return state;
}

Rgb System(int index) {
  const COLORREF c = GetSysColor(index);
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

SystemColours ReadSystemColours() {
  return {System(COLOR_WINDOW),   System(COLOR_WINDOWTEXT), System(COLOR_HIGHLIGHT),
          System(COLOR_HIGHLIGHTTEXT), System(COLOR_GRAYTEXT), System(COLOR_HOTLIGHT),
          System(COLOR_BTNFACE),  System(COLOR_BTNTEXT)};
}

void ReleaseBrushes(ThemeState& state) {
  if (state.theme != Theme::kDark) return;  // system brushes are not ours
  DeleteObject(state.surface);
  DeleteObject(state.field);
}

// Before any window asked: the system's light look.
const ThemeState& Current() {
  ThemeState& state = State();
  if (!state.read) {
    state.read = true;
    state.palette = PaletteFor(Theme::kLight, ReadSystemColours());
    state.surface = GetSysColorBrush(COLOR_BTNFACE);
    state.field = GetSysColorBrush(COLOR_WINDOW);
  }
  return state;
}

bool IsOptionButton(HWND control) {
  wchar_t name[16];
  if (!GetClassNameW(control, name, 16) || lstrcmpiW(name, L"Button") != 0) return false;
  switch (GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK) {
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
    case BS_3STATE: case BS_AUTO3STATE: case BS_GROUPBOX:
      return true;
  }
  return false;
}

}  // namespace

void RefreshTheme(Platform& platform) {
  Current();
  ThemeState& state = State();
  const ThemeSettings settings = platform.ReadThemeSettings();
  const Theme theme = ChooseTheme(settings.highContrast, settings.appsUseLightTheme);
  const Palette palette = PaletteFor(theme, ReadSystemColours());
  if (theme == state.theme && palette == state.palette) return;
  ReleaseBrushes(state);
  state.theme = theme;
  state.palette = palette;
  ++state.version;
  if (theme == Theme::kDark) {
    state.surface = CreateSolidBrush(ColorOf(palette.window));
    state.field = CreateSolidBrush(ColorOf(palette.field));
  } else {
    state.surface = GetSysColorBrush(COLOR_BTNFACE);
    state.field = GetSysColorBrush(COLOR_WINDOW);
  }
}

unsigned ThemeVersion() { return Current().version; }
Theme ActiveTheme() { return Current().theme; }
const Palette& ActivePalette() { return Current().palette; }
HBRUSH SurfaceBrush() { return Current().surface; }

HBRUSH ControlColours(UINT message, HDC dc) {
  const ThemeState& state = Current();
  if (state.palette.systemControls) return nullptr;
  switch (message) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      SetTextColor(dc, ColorOf(state.palette.fieldText));
      SetBkColor(dc, ColorOf(state.palette.field));
      return state.field;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORDLG:
      SetTextColor(dc, ColorOf(state.palette.windowText));
      SetBkColor(dc, ColorOf(state.palette.window));
      return state.surface;
  }
  return nullptr;
}

bool IsThemeSetting(WPARAM wparam, LPARAM lparam) {
  if (wparam == SPI_SETHIGHCONTRAST) return true;
  const auto* area = reinterpret_cast<const wchar_t*>(lparam);
  return area && lstrcmpW(area, L"ImmersiveColorSet") == 0;
}

void ApplyThemeTo(HWND window, bool& darkApplied) {
  const bool dark = ActiveTheme() == Theme::kDark;
  // A window never made dark keeps off dwmapi and uxtheme altogether.
  if (dark || darkApplied) {
    const BOOL on = dark;
    if (FAILED(DwmSetWindowAttribute(window, kDwmUseImmersiveDarkMode, &on, sizeof on))) {
      DwmSetWindowAttribute(window, kDwmUseImmersiveDarkModeBefore20H1, &on, sizeof on);
    }
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (!IsOptionButton(child)) continue;
      if (dark) {
        SetWindowTheme(child, L"", L"");
      } else {
        SetWindowTheme(child, nullptr, nullptr);
      }
    }
    darkApplied = dark;
  }
  RedrawWindow(window, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

}  // namespace tavilo
