// What decides the windows' colours, read from the system.
#include <windows.h>

#include "platform/RegistryText.h"
#include "platform/win32/Win32Platform.h"

namespace tavilo {

ThemeSettings Win32Platform::ReadThemeSettings() {
  ThemeSettings settings;
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof contrast;
  settings.highContrast =
      SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
      (contrast.dwFlags & HCF_HIGHCONTRASTON);
  settings.appsUseLightTheme = ReadRegistryDword(
      *this, RegistryRoot::CurrentUser,
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize", L"AppsUseLightTheme");
  return settings;
}

}  // namespace tavilo
