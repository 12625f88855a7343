// The seam between the windows and the services of the operating system that
// are irreversible (ending the session, starting programs), interactive
// (message boxes, the open-file dialog), time-dependent (tick count, clock) or
// shared with the rest of the system (layered-window attributes, the media
// control interface, the registry, power).
//
// Windows receive a `Platform&` when they are constructed. wWinMain owns the
// real one (Win32Platform); tests hand in a FakePlatform that records every
// call and replays scripted results. The interface is portable: handles are
// opaque integers or pointers and the numeric constants are spelled out here,
// so no caller needs <windows.h>. Member names steer clear of the macros
// <windows.h> defines (LookupPrivilegeValue, ExpandEnvironmentStrings, ...), so
// the interface reads the same whether or not a file includes it.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/ZoneTime.h"

namespace tavilo {

// A window handle (HWND).
using WindowHandle = void*;
// An open access token (HANDLE); 0 means none.
using TokenHandle = std::uintptr_t;
// An open registry key (HKEY); 0 means none.
using RegistryKey = std::uintptr_t;

// Extended window style and layered-window attributes.
inline constexpr std::intptr_t kWsExLayered = 0x80000;
inline constexpr std::uint32_t kLwaColorKey = 1;
inline constexpr std::uint32_t kLwaAlpha = 2;

// Media control interface: the error a command naming a device that is not
// open gets (MCIERR_INVALID_DEVICE_NAME).
inline constexpr std::uint32_t kMciErrorInvalidDeviceName = 263;

// Session end.
inline constexpr std::uint32_t kVerPlatformWin32Nt = 2;
inline constexpr std::uint32_t kTokenQuery = 0x08;
inline constexpr std::uint32_t kTokenAdjustPrivileges = 0x20;
inline constexpr std::uint32_t kSePrivilegeEnabled = 2;
inline constexpr wchar_t kShutdownPrivilegeName[] = L"SeShutdownPrivilege";
inline constexpr std::uint32_t kEwxLogoff = 0;
inline constexpr std::uint32_t kEwxShutdown = 1;
inline constexpr std::uint32_t kEwxReboot = 2;
inline constexpr std::uint32_t kEwxForce = 4;
inline constexpr std::uint32_t kEwxForceIfHung = 0x10;

// Registry.
inline constexpr std::uint32_t kKeyRead = 0x20019;
inline constexpr std::uint32_t kKeyQueryValue = 0x0001;
inline constexpr std::uint32_t kKeySetValue = 0x0002;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorAccessDenied = 5;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;

// Show-window styles for starting programs.
inline constexpr int kSwHide = 0;
inline constexpr int kSwShowNormal = 1;
inline constexpr int kSwShowMinimized = 2;

// Message box styles and results.
inline constexpr std::uint32_t kMbOk = 0;
inline constexpr std::uint32_t kMbIconError = 16;
inline constexpr std::uint32_t kMbRtlReading = 0x100000;
inline constexpr std::uint32_t kMbRight = 0x80000;
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr std::uint32_t kMbYesNo = 4;
inline constexpr std::uint32_t kMbIconQuestion = 0x20;
inline constexpr std::uint32_t kMbDefButton2 = 0x100;
inline constexpr int kIdYes = 6;

// Calendar information: the Gregorian calendar as the locale names it, and
// the full name of its first month (CAL_SMONTHNAME1; the others follow).
inline constexpr std::uint32_t kCalGregorian = 1;
inline constexpr std::uint32_t kCalSMonthName1 = 0x15;

// Keeping the system awake (SetThreadExecutionState).
inline constexpr std::uint32_t kEsSystemRequired = 0x00000001;
inline constexpr std::uint32_t kEsContinuous = 0x80000000;

// The system's alert sounds (MessageBeep).
inline constexpr std::uint32_t kMbIconExclamation = 0x30;

// What the shell reports of the user's state (QUERY_USER_NOTIFICATION_STATE);
// 0 when it cannot tell.
inline constexpr int kQunsBusy = 2;
inline constexpr int kQunsRunningD3dFullScreen = 3;
inline constexpr int kQunsPresentationMode = 4;

// --- The user's data files (the events file) ---
// An open file (HANDLE); 0 means none.
using FileHandle = std::uintptr_t;
inline constexpr long kErrorPathNotFound = 3;
inline constexpr long kErrorWriteProtect = 19;
inline constexpr long kErrorNotReady = 21;
inline constexpr long kErrorSharingViolation = 32;
inline constexpr long kErrorLockViolation = 33;
inline constexpr long kErrorHandleDiskFull = 39;
inline constexpr long kErrorFileExists = 80;
inline constexpr long kErrorDiskFull = 112;
// --- end of the user's data files ---

enum class RegistryRoot { LocalMachine, CurrentUser };

// What the machine's power management offers.
struct PowerAbilities {
  bool sleep = false;          // one of the sleep states S1 to S3
  bool hibernate = false;      // S4, with a hibernation file present
  bool modernStandby = false;  // sleep is the always-on, always-connected standby
  bool operator==(const PowerAbilities&) const = default;
};

// --- Themes ---
// What decides the windows' colours: high contrast (SPI_GETHIGHCONTRAST) and
// the app mode (HKCU ...\Themes\Personalize AppsUseLightTheme, nothing when
// the value is missing).
struct ThemeSettings {
  bool highContrast = false;
  std::optional<std::uint32_t> appsUseLightTheme;
};
// --- end of themes ---

// A rectangle in screen pixels.
struct ScreenRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const ScreenRect&) const = default;
};

// A monitor's whole area and its work area (what the taskbar and other
// docked bars leave to windows).
struct MonitorAreas {
  ScreenRect monitor;
  ScreenRect work;
  bool operator==(const MonitorAreas&) const = default;
};

// What decides whether a full-screen program is in front of a window.
struct ForegroundState {
  int notificationState = 0;  // kQuns..., 0 when unknown
  bool hasForeground = false;
  // The foreground window is the desktop itself (the shell window, Progman,
  // WorkerW).
  bool foregroundIsDesktop = false;
  ScreenRect foreground;  // the foreground window's rectangle
  ScreenRect monitor;     // the whole monitor the asking window is on
  bool operator==(const ForegroundState&) const = default;
};

struct LayeredAttributes {
  std::uint32_t colorKey = 0;  // COLORREF, 0x00BBGGRR
  std::uint8_t alpha = 0;
  std::uint32_t flags = 0;  // kLwaColorKey | kLwaAlpha
  bool operator==(const LayeredAttributes&) const = default;
};

// One entry of the open-file dialog's filter list: "MP3 Files" / "*.mp3".
// --- printing ---
// A page to draw: the printer's device context (HDC), the page's printable
// size in device pixels, and the device's pixels per inch.
struct PrintPage {
  void* dc;
  int width, height;
  int dpiX, dpiY;
};
using DrawPageFn = std::function<void(const PrintPage& page)>;
enum class PrintOutcome { kPrinted, kCancelled, kNoPrinter, kFailed };
struct PrintResult {
  PrintOutcome outcome;
  long error = 0;  // a failure's: CommDlgExtendedError's or the spooler's
  bool operator==(const PrintResult&) const = default;
};

struct FileFilter {
  std::wstring description;
  std::wstring pattern;
  bool operator==(const FileFilter&) const = default;
};

// A program with a window, for the scheduler's "after a program closes".
struct RunningProgram {
  std::uint32_t processId = 0;
  std::wstring title;  // its first visible top-level window's
  std::wstring file;   // "notepad.exe"; empty when the process cannot be read
  bool operator==(const RunningProgram&) const = default;
};
// A wait for a process's end (WatchProcessEnd), or why there is none.
struct ProcessWatch {
  std::uintptr_t id = 0;  // 0 when refused
  std::uint32_t error = 0;
};
inline constexpr std::uint32_t kErrorInvalidParameter = 87;  // the process is gone

// A raw registry value as returned by the query.
struct RegistryData {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> bytes;
};

class Platform {
 public:
  virtual ~Platform() = default;

  // --- Time ---
  // Milliseconds since the system started (GetTickCount64).
  virtual std::uint64_t TickCount() = 0;
  // The local clock as a date value (days since 30 December 1899).
  virtual double Now() = 0;
  // The system clock in Unix seconds (UTC).
  virtual std::int64_t UnixTimeNow() = 0;
  // The computer's time-zone rule for a year (GetTimeZoneInformationForYear
  // of the dynamic zone), without daylight time when the user turned off
  // adjusting for it; nothing when the system cannot tell.
  virtual std::optional<TimeZoneRule> TimeZoneForYear(int year) = 0;
  // The local wall-clock time of a UTC moment, both in Unix seconds, by the
  // system's own conversion with that year's rule
  // (SystemTimeToTzSpecificLocalTime); the UTC moment itself when the
  // system cannot tell.
  virtual std::int64_t LocalTimeOf(std::int64_t utc) = 0;

  // --- Screen and windows ---
  virtual int ScreenWidthPixels() = 0;
  virtual int ScreenHeightPixels() = 0;
  virtual unsigned WindowDpi(WindowHandle window) = 0;
  // The refresh rate of the monitor the window is on, in Hz; 0 or 1 when the
  // system does not know it.
  virtual int DisplayRefreshHz(WindowHandle window) = 0;
  // The monitor the window is on, or the nearest one.
  virtual MonitorAreas MonitorOf(WindowHandle window) = 0;
  virtual std::intptr_t WindowExStyle(WindowHandle window) = 0;
  virtual void SetWindowExStyle(WindowHandle window, std::intptr_t style) = 0;
  virtual bool SetLayeredAttributes(WindowHandle window, const LayeredAttributes& attributes) = 0;
  // Nothing when the window is not layered or has no attributes yet.
  virtual std::optional<LayeredAttributes> GetLayeredAttributes(WindowHandle window) = 0;

  // --- Locale ---
  // One item of a locale's information about one of its calendars
  // (GetCalendarInfoEx), e.g. a month name of kCalGregorian. An empty
  // `locale` is the user's own. Empty when the locale has no such item.
  virtual std::wstring CalendarInfo(const std::wstring& locale, std::uint32_t calendar,
                                    std::uint32_t item) = 0;

  // --- Media control interface ---
  // Sends a command string unchanged; returns the MCI error code (0 = done).
  virtual std::uint32_t SendMediaCommand(const std::wstring& command) = 0;
  // Sends a command that answers with text (e.g. "status <name> mode").
  virtual std::uint32_t QueryMedia(const std::wstring& command, std::wstring& reply) = 0;

  // --- Session end ---
  // dwPlatformId of the version information; 0 when it cannot be read.
  virtual std::uint32_t PlatformId() = 0;
  // Opens this process's own access token.
  virtual std::optional<TokenHandle> OpenProcessToken(std::uint32_t access) = 0;
  // The locally unique identifier of a privilege on the local system.
  virtual std::optional<std::uint64_t> LookupPrivilegeId(const std::wstring& name) = 0;
  // Sets the attributes of one privilege in the token (previous state not kept).
  virtual bool AdjustTokenPrivilege(TokenHandle token, std::uint64_t luid,
                                    std::uint32_t attributes) = 0;
  virtual void CloseToken(TokenHandle token) = 0;
  // Ends the session (ExitWindowsEx). Never reaches the real system in tests.
  virtual bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) = 0;
  // Sleeps or hibernates (SetSuspendState, powrprof loaded on first use);
  // needs the shutdown privilege. Returns once the system is back.
  virtual bool SuspendSystem(bool hibernate) = 0;
  virtual bool LockWorkStation() = 0;
  // Turns the monitors off through the window (SC_MONITORPOWER).
  virtual void TurnDisplayOff(WindowHandle window) = 0;
  // The error code the last failing call of this thread left (GetLastError),
  // and the system's words for a code (FormatMessageW).
  virtual std::uint32_t LastError() = 0;
  virtual std::wstring ErrorText(std::uint32_t code) = 0;

  // What is in front of the window's monitor (see ForegroundState).
  virtual ForegroundState Foreground(WindowHandle window) = 0;

  // --- What the scheduler waits for ---
  // The processes of other programs with a visible, titled top-level
  // window, one each.
  virtual std::vector<RunningProgram> RunningPrograms() = 0;
  // Opens the process (SYNCHRONIZE) and registers a wait on it that posts
  // `message` (wParam the process id) to `window` when it ends; no polling.
  // Refused with the system's error, kErrorInvalidParameter for a process
  // already gone.
  virtual ProcessWatch WatchProcessEnd(std::uint32_t processId, WindowHandle window,
                                       std::uint32_t message) = 0;
  // Ends a wait and closes its handle; no message comes after it.
  virtual void StopWatchingProcess(std::uintptr_t watch) = 0;
  // The tick (GetTickCount's 32 bits) of the last keyboard or mouse input
  // of the session (GetLastInputInfo).
  virtual std::uint32_t LastInputTick() = 0;

  // --- Power and sound ---
  // Tells the system what this thread needs kept running
  // (SetThreadExecutionState); false when the call failed.
  virtual bool SetExecutionState(std::uint32_t flags) = 0;
  // Plays one of the system's alert sounds (kMbIconExclamation ...).
  virtual void AlertSound(std::uint32_t type) = 0;
  // GetPwrCapabilities, and CallNtPowerInformation(PlatformInformation) for
  // modern standby (no when that call fails).
  virtual PowerAbilities QueryPowerAbilities() = 0;

  // --- Registry ---
  // Returns a Win32 error code; `key` is set on success.
  virtual long OpenRegistryKey(RegistryRoot root, const std::wstring& path, std::uint32_t access,
                               RegistryKey& key) = 0;
  // Reads at most `capacity` bytes of a value. On kErrorMoreData `data.bytes`
  // is empty and `data.type` may be set.
  virtual long QueryRegistryValue(RegistryKey key, const std::wstring& name,
                                  std::size_t capacity, RegistryData& data) = 0;
  virtual void CloseRegistryKey(RegistryKey key) = 0;
  // Opens a key for writing, creating it and its parents when missing.
  virtual long CreateRegistryKey(RegistryRoot root, const std::wstring& path,
                                 std::uint32_t access, RegistryKey& key) = 0;
  virtual long WriteRegistryValue(RegistryKey key, const std::wstring& name, std::uint32_t type,
                                  const std::vector<std::uint8_t>& bytes) = 0;
  // kErrorFileNotFound when there was no such value.
  virtual long DeleteRegistryValue(RegistryKey key, const std::wstring& name) = 0;
  // Replaces %NAME% references with the environment's values.
  virtual std::wstring ExpandEnvironment(const std::wstring& text) = 0;

  // --- Files and programs ---
  // The full path of the running program's own file.
  virtual std::wstring ProgramPath() = 0;
  // True when `path` names an existing file that is not a directory.
  virtual bool FileExists(const std::wstring& path) = 0;
  // Starts a command line with a show-window style and does not wait for it.
  virtual bool StartProgram(const std::wstring& commandLine, int showCommand) = 0;

  // --- The user's data files (the events file) ---
  // Every call answers a Win32 error code, kErrorSuccess when done.
  // The user's roaming application data folder (%APPDATA%); empty when unknown.
  virtual std::wstring AppDataFolder() = 0;
  // Creates a folder in an existing one; done when the folder exists already.
  virtual long CreateFolder(const std::wstring& path) = 0;
  virtual long ReadWholeFile(const std::wstring& path, std::string& bytes) = 0;
  // Opens a file for writing from its start. An existing file is emptied when
  // `replace`, and otherwise left alone with kErrorFileExists.
  virtual long CreateFileForWriting(const std::wstring& path, bool replace, FileHandle& file) = 0;
  // Writes all the bytes, or fails.
  virtual long WriteToFile(FileHandle file, std::string_view bytes) = 0;
  // Puts what was written on the disk (FlushFileBuffers).
  virtual long FlushFile(FileHandle file) = 0;
  virtual long CloseFile(FileHandle file) = 0;
  // Copies a file, replacing the target (CopyFileW).
  virtual long CopyFileOver(const std::wstring& from, const std::wstring& to) = 0;
  // Renames a file, replacing the target in one step that is on the disk
  // when it returns (MoveFileExW, MOVEFILE_REPLACE_EXISTING |
  // MOVEFILE_WRITE_THROUGH).
  virtual long MoveFileOver(const std::wstring& from, const std::wstring& to) = 0;
  // When a file was last written, in 100-ns steps since 1601 (UTC), as
  // GetFileAttributesExW reports it.
  virtual long FileLastWriteTime(const std::wstring& path, std::uint64_t& time) = 0;
  // The system's own description of an error code; empty when it has none.
  virtual std::wstring ErrorText(long code) = 0;
  // --- end of the user's data files ---

  // --- Reminders ---
  // A balloon (NIF_INFO) from the notification icon `iconId` of the window
  // `iconOwner`; `silent` keeps the system's notification sound off. False
  // when the shell refused it.
  virtual bool ShowBalloon(WindowHandle iconOwner, std::uint32_t iconId, const std::wstring& title,
                           const std::wstring& text, bool silent) = 0;
  // --- Themes ---
  // A pure read, asked again whenever the system says its colours changed.
  virtual ThemeSettings ReadThemeSettings() = 0;

  // --- Modal user interaction ---
  // A modal message box; returns the button pressed (kIdOk ...).
  virtual int ShowMessageBox(WindowHandle owner, const std::wstring& text,
                             const std::wstring& caption, std::uint32_t style) = 0;
  // The open-file dialog; the chosen path, or nothing when cancelled.
  virtual std::optional<std::wstring> ShowOpenFileDialog(
      WindowHandle owner, const std::vector<FileFilter>& filters) = 0;

  // --- Calendar export ---
  // The save-file dialog (GetSaveFileNameW), opened on `suggestedName` and
  // asking before it replaces a file; `extension` is added to a name typed
  // without one. The chosen path, or nothing when cancelled.
  virtual std::optional<std::wstring> ShowSaveFileDialog(WindowHandle owner,
                                                         const std::vector<FileFilter>& filters,
                                                         const std::wstring& suggestedName,
                                                         const std::wstring& extension) = 0;
  // Deletes a file (DeleteFileW): what a failed save left half written.
  virtual long DeleteFileAt(const std::wstring& path) = 0;
  // --- end of calendar export ---

  // --- printing ---
  // Asks for the default printer first (none installed: kNoPrinter), then
  // shows the print dialog; cancelled, nothing is sent. Else prints one
  // document named `document` of one page drawn by `draw`.
  virtual PrintResult PrintOnePage(WindowHandle owner, const std::wstring& document,
                                   const DrawPageFn& draw) = 0;
};

}  // namespace tavilo
