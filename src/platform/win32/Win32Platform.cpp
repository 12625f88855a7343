#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <powrprof.h>
#include <shellapi.h>
#include <shlobj.h>

#include "calendar/Class1.h"

namespace tavilo {
namespace {

HWND Hwnd(WindowHandle window) { return static_cast<HWND>(window); }
HANDLE Handle(TokenHandle token) { return reinterpret_cast<HANDLE>(token); }
HKEY Hkey(RegistryKey key) { return reinterpret_cast<HKEY>(key); }

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::LocalMachine:
      return HKEY_LOCAL_MACHINE;
    case RegistryRoot::CurrentUser:
      return HKEY_CURRENT_USER;
  }
  return HKEY_LOCAL_MACHINE;
}

LUID ToLuid(std::uint64_t id) {
  LUID luid;
  luid.LowPart = static_cast<DWORD>(id & 0xFFFFFFFFu);
  luid.HighPart = static_cast<LONG>(id >> 32);
  return luid;
}

std::uint64_t FromLuid(const LUID& luid) {
  return (static_cast<std::uint64_t>(static_cast<DWORD>(luid.HighPart)) << 32) | luid.LowPart;
}

// GetDpiForWindow exists from Windows 10 1607 on; older systems report the
// DPI of the screen the window's device context belongs to.
unsigned DpiOf(HWND window) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow) return getDpiForWindow(window);
  HDC dc = GetDC(window);
  int dpi = GetDeviceCaps(dc, LOGPIXELSX);
  ReleaseDC(window, dc);
  return static_cast<unsigned>(dpi);
}

// "MP3 Files\0*.mp3\0\0": description and pattern pairs, each ended by a zero,
// the list ended by one more.
std::wstring FilterList(const std::vector<FileFilter>& filters) {
  std::wstring list;
  for (const FileFilter& filter : filters) {
    list += filter.description;
    list += L'\0';
    list += filter.pattern;
    list += L'\0';
  }
  list += L'\0';
  return list;
}

constexpr std::int64_t kUnixEpochFileTime = 116444736000000000;  // 100 ns since 1601
constexpr std::int64_t kFileTimePerSecond = 10000000;

std::int64_t UnixSecondsOf(const FILETIME& time) {
  const std::int64_t ticks =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
  return (ticks - kUnixEpochFileTime) / kFileTimePerSecond;
}

FILETIME FileTimeOf(std::int64_t unixSeconds) {
  const auto ticks = static_cast<std::uint64_t>(unixSeconds * kFileTimePerSecond + kUnixEpochFileTime);
  return {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// The zone's rule for a year as the system converts with it. With daylight
// saving turned off the year has standard time only.
bool ZoneInformationForYear(int year, TIME_ZONE_INFORMATION& zone) {
  DYNAMIC_TIME_ZONE_INFORMATION dynamic{};
  if (GetDynamicTimeZoneInformation(&dynamic) == TIME_ZONE_ID_INVALID) return false;
  if (year < 1601 || year > 30827 ||
      !GetTimeZoneInformationForYear(static_cast<USHORT>(year), &dynamic, &zone)) {
    return false;
  }
  if (dynamic.DynamicDaylightTimeDisabled) {
    zone.StandardDate = SYSTEMTIME{};
    zone.DaylightDate = SYSTEMTIME{};
  }
  return true;
}

ZoneTransition TransitionOf(const SYSTEMTIME& at) {
  return {at.wYear, at.wMonth, at.wDayOfWeek, at.wDay, at.wHour, at.wMinute, at.wSecond};
}

}  // namespace

std::uint64_t Win32Platform::TickCount() { return GetTickCount64(); }

double Win32Platform::Now() { return SystemNow(); }

std::int64_t Win32Platform::UnixTimeNow() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  return UnixSecondsOf(now);
}

std::optional<TimeZoneRule> Win32Platform::TimeZoneForYear(int year) {
  TIME_ZONE_INFORMATION zone;
  if (!ZoneInformationForYear(year, zone)) return std::nullopt;
  return TimeZoneRule{static_cast<int>(zone.Bias), static_cast<int>(zone.StandardBias),
                      static_cast<int>(zone.DaylightBias), TransitionOf(zone.StandardDate),
                      TransitionOf(zone.DaylightDate)};
}

// SystemTimeToTzSpecificLocalTimeEx would take the dynamic zone directly, but
// Wine 8's kernel32 lacks it and aborts the program.
std::int64_t Win32Platform::LocalTimeOf(std::int64_t utc) {
  TIME_ZONE_INFORMATION zone;
  const FILETIME utcFileTime = FileTimeOf(utc);
  SYSTEMTIME utcTime;
  SYSTEMTIME localTime;
  FILETIME localFileTime;
  if (!ZoneInformationForYear(YearOfUnixTime(utc), zone) ||
      !FileTimeToSystemTime(&utcFileTime, &utcTime) ||
      !SystemTimeToTzSpecificLocalTime(&zone, &utcTime, &localTime) ||
      !SystemTimeToFileTime(&localTime, &localFileTime)) {
    return utc;
  }
  return UnixSecondsOf(localFileTime);
}

int Win32Platform::ScreenWidthPixels() { return GetSystemMetrics(SM_CXSCREEN); }

int Win32Platform::ScreenHeightPixels() { return GetSystemMetrics(SM_CYSCREEN); }

unsigned Win32Platform::WindowDpi(WindowHandle window) { return DpiOf(Hwnd(window)); }

int Win32Platform::DisplayRefreshHz(WindowHandle window) {
  MONITORINFOEXW monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(Hwnd(window), MONITOR_DEFAULTTONEAREST), &monitor)) {
    return 0;
  }
  DEVMODEW mode{};
  mode.dmSize = sizeof mode;
  if (!EnumDisplaySettingsW(monitor.szDevice, ENUM_CURRENT_SETTINGS, &mode)) return 0;
  return static_cast<int>(mode.dmDisplayFrequency);
}

MonitorAreas Win32Platform::MonitorOf(WindowHandle window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(Hwnd(window), MONITOR_DEFAULTTONEAREST), &monitor)) {
    const ScreenRect screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {screen, screen};
  }
  const auto screen = [](const RECT& rect) {
    return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
  };
  return {screen(monitor.rcMonitor), screen(monitor.rcWork)};
}

std::intptr_t Win32Platform::WindowExStyle(WindowHandle window) {
  return GetWindowLongPtrW(Hwnd(window), GWL_EXSTYLE);
}

void Win32Platform::SetWindowExStyle(WindowHandle window, std::intptr_t style) {
  SetWindowLongPtrW(Hwnd(window), GWL_EXSTYLE, style);
}

bool Win32Platform::SetLayeredAttributes(WindowHandle window,
                                         const LayeredAttributes& attributes) {
  return SetLayeredWindowAttributes(Hwnd(window), attributes.colorKey, attributes.alpha,
                                    attributes.flags) != FALSE;
}

std::optional<LayeredAttributes> Win32Platform::GetLayeredAttributes(WindowHandle window) {
  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(Hwnd(window), &key, &alpha, &flags)) return std::nullopt;
  return LayeredAttributes{key, alpha, flags};
}

std::wstring Win32Platform::CalendarInfo(const std::wstring& locale, std::uint32_t calendar,
                                        std::uint32_t item) {
  wchar_t text[128];
  const int length =
      GetCalendarInfoEx(locale.empty() ? LOCALE_NAME_USER_DEFAULT : locale.c_str(), calendar,
                        nullptr, item, text, static_cast<int>(std::size(text)), nullptr);
  return length > 1 ? std::wstring(text, static_cast<std::size_t>(length) - 1) : std::wstring();
}

std::uint32_t Win32Platform::SendMediaCommand(const std::wstring& command) {
  return mciSendStringW(command.c_str(), nullptr, 0, nullptr);
}

std::uint32_t Win32Platform::QueryMedia(const std::wstring& command, std::wstring& reply) {
  wchar_t buffer[512] = {};
  MCIERROR error = mciSendStringW(command.c_str(), buffer, ARRAYSIZE(buffer), nullptr);
  reply = buffer;
  return error;
}

std::uint32_t Win32Platform::PlatformId() {
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExW(&info)) return 0;
  return info.dwPlatformId;
}

std::optional<TokenHandle> Win32Platform::OpenProcessToken(std::uint32_t access) {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(GetCurrentProcess(), access, &token)) return std::nullopt;
  return reinterpret_cast<TokenHandle>(token);
}

std::optional<std::uint64_t> Win32Platform::LookupPrivilegeId(const std::wstring& name) {
  LUID luid{};
  if (!LookupPrivilegeValueW(nullptr, name.c_str(), &luid)) return std::nullopt;
  return FromLuid(luid);
}

bool Win32Platform::AdjustTokenPrivilege(TokenHandle token, std::uint64_t luid,
                                         std::uint32_t attributes) {
  TOKEN_PRIVILEGES state{};
  state.PrivilegeCount = 1;
  state.Privileges[0].Luid = ToLuid(luid);
  state.Privileges[0].Attributes = attributes;
  if (!AdjustTokenPrivileges(Handle(token), FALSE, &state, 0, nullptr, nullptr)) return false;
  // Success can still mean the privilege is not held (ERROR_NOT_ALL_ASSIGNED).
  return GetLastError() == ERROR_SUCCESS;
}

void Win32Platform::CloseToken(TokenHandle token) { CloseHandle(Handle(token)); }

bool Win32Platform::ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
  return ::ExitWindowsEx(flags, reason) != FALSE;
}

bool Win32Platform::SuspendSystem(bool hibernate) {
  return SetSuspendState(hibernate, FALSE, FALSE) != FALSE;
}

bool Win32Platform::LockWorkStation() { return ::LockWorkStation() != FALSE; }

// The window's default handling passes the request on to the system.
void Win32Platform::TurnDisplayOff(WindowHandle window) {
  constexpr LPARAM kMonitorOff = 2;
  SendMessageW(Hwnd(window), WM_SYSCOMMAND, SC_MONITORPOWER, kMonitorOff);
}

std::uint32_t Win32Platform::LastError() { return GetLastError(); }

std::wstring Win32Platform::ErrorText(std::uint32_t code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring words(text ? text : L"", length);
  LocalFree(text);
  while (!words.empty() && (words.back() == L'\n' || words.back() == L'\r')) words.pop_back();
  return words;
}

long Win32Platform::OpenRegistryKey(RegistryRoot root, const std::wstring& path,
                                    std::uint32_t access, RegistryKey& key) {
  HKEY opened = nullptr;
  LSTATUS status = RegOpenKeyExW(RootKey(root), path.c_str(), 0, access, &opened);
  if (status == ERROR_SUCCESS) key = reinterpret_cast<RegistryKey>(opened);
  return status;
}

long Win32Platform::QueryRegistryValue(RegistryKey key, const std::wstring& name,
                                       std::size_t capacity, RegistryData& data) {
  data = RegistryData{};
  data.bytes.resize(capacity);
  DWORD type = 0;
  auto size = static_cast<DWORD>(capacity);
  LSTATUS status =
      RegQueryValueExW(Hkey(key), name.c_str(), nullptr, &type, data.bytes.data(), &size);
  data.type = type;
  data.bytes.resize(status == ERROR_SUCCESS ? size : 0);
  return status;
}

void Win32Platform::CloseRegistryKey(RegistryKey key) { RegCloseKey(Hkey(key)); }

long Win32Platform::CreateRegistryKey(RegistryRoot root, const std::wstring& path,
                                      std::uint32_t access, RegistryKey& key) {
  HKEY created = nullptr;
  LSTATUS status = RegCreateKeyExW(RootKey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   access, nullptr, &created, nullptr);
  if (status == ERROR_SUCCESS) key = reinterpret_cast<RegistryKey>(created);
  return status;
}

long Win32Platform::WriteRegistryValue(RegistryKey key, const std::wstring& name,
                                       std::uint32_t type, const std::vector<std::uint8_t>& bytes) {
  return RegSetValueExW(Hkey(key), name.c_str(), 0, type, bytes.data(),
                        static_cast<DWORD>(bytes.size()));
}

long Win32Platform::DeleteRegistryValue(RegistryKey key, const std::wstring& name) {
  return RegDeleteValueW(Hkey(key), name.c_str());
}

// The desktop is never a full-screen program, though its window covers the
// monitor: the shell's own window, and Progman and WorkerW behind the icons.
ForegroundState Win32Platform::Foreground(WindowHandle window) {
  ForegroundState state;
  QUERY_USER_NOTIFICATION_STATE shellState{};
  if (SUCCEEDED(SHQueryUserNotificationState(&shellState))) {
    state.notificationState = static_cast<int>(shellState);
  }
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(Hwnd(window), MONITOR_DEFAULTTONEAREST), &monitor);
  state.monitor = {monitor.rcMonitor.left, monitor.rcMonitor.top, monitor.rcMonitor.right,
                   monitor.rcMonitor.bottom};
  HWND front = GetForegroundWindow();
  RECT frontRect;
  if (!front || !GetWindowRect(front, &frontRect)) return state;
  state.hasForeground = true;
  state.foreground = {frontRect.left, frontRect.top, frontRect.right, frontRect.bottom};
  wchar_t className[16] = L"";
  GetClassNameW(front, className, static_cast<int>(std::size(className)));
  state.foregroundIsDesktop = front == GetShellWindow() || front == GetDesktopWindow() ||
                              lstrcmpW(className, L"Progman") == 0 ||
                              lstrcmpW(className, L"WorkerW") == 0;
  return state;
}

bool Win32Platform::SetExecutionState(std::uint32_t flags) {
  return SetThreadExecutionState(flags) != 0;
}

void Win32Platform::AlertSound(std::uint32_t type) { MessageBeep(type); }

PowerAbilities Win32Platform::QueryPowerAbilities() {
  PowerAbilities abilities;
  SYSTEM_POWER_CAPABILITIES capabilities{};
  if (GetPwrCapabilities(&capabilities)) {
    abilities.sleep = capabilities.SystemS1 || capabilities.SystemS2 || capabilities.SystemS3;
    abilities.hibernate = capabilities.SystemS4 && capabilities.HiberFilePresent;
  }
  POWER_PLATFORM_INFORMATION platform{};
  constexpr LONG kStatusSuccess = 0;
  abilities.modernStandby = CallNtPowerInformation(PlatformInformation, nullptr, 0, &platform,
                                                   sizeof platform) == kStatusSuccess &&
                            platform.AoAc;
  return abilities;
}

// Paths past MAX_PATH come back cut short: ask again with more room.
std::wstring Win32Platform::ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return std::wstring();
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    if (path.size() >= 32768) return std::wstring();
    path.resize(path.size() * 2);
  }
}

std::wstring Win32Platform::ExpandEnvironment(const std::wstring& text) {
  DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::wstring expanded(needed, L'\0');
  DWORD written = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed);
  if (written == 0 || written > needed) return text;
  expanded.resize(written - 1);  // drop the terminating zero
  return expanded;
}

bool Win32Platform::FileExists(const std::wstring& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool Win32Platform::StartProgram(const std::wstring& commandLine, int showCommand) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION process{};
  // CreateProcessW may write into the command line, so it gets a copy.
  std::wstring mutableLine = commandLine;
  if (!CreateProcessW(nullptr, mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

int Win32Platform::ShowMessageBox(WindowHandle owner, const std::wstring& text,
                                  const std::wstring& caption, std::uint32_t style) {
  return MessageBoxW(Hwnd(owner), text.c_str(), caption.c_str(), style);
}

std::optional<std::wstring> Win32Platform::ShowOpenFileDialog(
    WindowHandle owner, const std::vector<FileFilter>& filters) {
  std::wstring filterList = FilterList(filters);
  std::wstring path(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = Hwnd(owner);
  dialog.lpstrFilter = filterList.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = path.data();
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  // OFN_NOCHANGEDIR: browsing must not move the program's current folder.
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetOpenFileNameW(&dialog)) return std::nullopt;
  path.resize(path.find(L'\0'));
  return path;
}

}  // namespace tavilo
