// A Platform for tests: time, screen and version are plain settable values;
// every act on the system is recorded, in order, and answered from a script.
// Nothing here reaches the real system.
//
// Layered windows: by default the fake keeps each window's extended style and
// layered attributes in memory, with the real rules (attributes are refused
// until the window has WS_EX_LAYERED). A test that runs real windows under
// Wine can set `windowServices` to a Win32Platform: the calls are then still
// recorded but also applied to the real window, and read back from it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace tavilo {

// The calls the fake records, in the order they were made. Pure reads of
// time and screen are not recorded.
enum class PlatformCall {
  WindowExStyleRead,
  WindowExStyleWrite,
  LayeredAttributesWrite,
  LayeredAttributesRead,
  CalendarInfoRead,
  MediaCommand,
  MediaQuery,
  PlatformIdRead,
  ProcessTokenOpen,
  PrivilegeLookup,
  PrivilegeAdjust,
  TokenClose,
  ExitWindowsEx,
  SuspendSystem,
  WorkStationLock,
  DisplayOff,
  RegistryOpen,
  RegistryQuery,
  RegistryClose,
  RegistryCreate,
  RegistryWrite,
  RegistryDelete,
  ForegroundRead,
  ExecutionStateSet,
  AlertSoundPlayed,
  EnvironmentExpand,
  FileCheck,
  ProgramStart,
  MessageBoxShown,
  OpenFileDialog,
  // The user's data files.
  AppDataFolderRead,
  FolderCreate,
  FileRead,
  FileCreate,
  FileWrite,
  FileFlush,
  FileClose,
  FileCopy,
  FileMove,
  FileTimeRead,
  ErrorTextRead,
  // Calendar export.
  SaveFileDialog,
  FileDelete,
  Print,
  BalloonShown,  // --- reminders ---
};

struct MediaReply {
  std::uint32_t code = 0;
  std::wstring text;
};

struct ExStyleWrite {
  WindowHandle window;
  std::intptr_t style;
  bool operator==(const ExStyleWrite&) const = default;
};

struct LayeredWrite {
  WindowHandle window;
  LayeredAttributes attributes;
  bool operator==(const LayeredWrite&) const = default;
};

struct PrivilegeAdjustment {
  TokenHandle token;
  std::uint64_t luid;
  std::uint32_t attributes;
  bool operator==(const PrivilegeAdjustment&) const = default;
};

struct ExitWindowsRequest {
  std::uint32_t flags;
  std::uint32_t reason;
  bool operator==(const ExitWindowsRequest&) const = default;
};

struct CalendarInfoRequest {
  std::wstring locale;
  std::uint32_t calendar;
  std::uint32_t item;
  bool operator==(const CalendarInfoRequest&) const = default;
};

struct RegistryOpenRequest {
  RegistryRoot root;
  std::wstring path;
  std::uint32_t access;
  bool operator==(const RegistryOpenRequest&) const = default;
};

struct RegistryWriteRequest {
  std::wstring name;
  std::uint32_t type;
  std::vector<std::uint8_t> bytes;
  bool operator==(const RegistryWriteRequest&) const = default;
};

struct ProgramStartRequest {
  std::wstring commandLine;
  int showCommand;
  bool operator==(const ProgramStartRequest&) const = default;
};

struct MessageBoxRequest {
  WindowHandle owner;
  std::wstring text;
  std::wstring caption;
  std::uint32_t style;
  bool operator==(const MessageBoxRequest&) const = default;
};

struct OpenFileDialogRequest {
  WindowHandle owner;
  std::vector<FileFilter> filters;
  bool operator==(const OpenFileDialogRequest&) const = default;
};

struct SaveFileDialogRequest {
  WindowHandle owner;
  std::vector<FileFilter> filters;
  std::wstring suggestedName;
  std::wstring extension;
  bool operator==(const SaveFileDialogRequest&) const = default;
};

// --- reminders ---
struct BalloonRequest {
  WindowHandle iconOwner;
  std::uint32_t iconId;
  std::wstring title;
  std::wstring text;
  bool silent;
  bool operator==(const BalloonRequest&) const = default;
};

// One file of the fake's disk: what reads see, what a power cut leaves
// (only what was flushed, copied or moved whole), and when it was last
// written: settable, else a tick of the disk's own clock that every
// creation and write advances (copies and renames keep the source's).
struct FakeFile {
  std::string content;
  std::string durable;
  std::uint64_t lastWrite = 0;
};

class FakePlatform final : public Platform {
 public:
  static constexpr TokenHandle kToken = 0x70C;
  static constexpr std::uint64_t kShutdownPrivilegeLuid = 19;

  // --- Settable state ---
  std::uint64_t tickCount = 0;
  double now = 0;
  std::int64_t unixTimeNow = 0;
  std::optional<TimeZoneRule> timeZone = TimeZoneRule{};  // UTC unless a test sets one
  int screenWidth = 1024;
  int screenHeight = 768;
  unsigned dpi = 96;
  int refreshHz = 60;
  std::uint32_t platformId = kVerPlatformWin32Nt;
  Platform* windowServices = nullptr;
  // Every window's monitor; unset, one monitor of the screen's size with no
  // taskbar.
  std::optional<MonitorAreas> monitorAreas;
  ForegroundState foreground;
  std::wstring programPath = L"C:\\Program Files\\Tavilo\\tavilo.exe";

  // --- Scripted answers ---
  // Answers calendar information; without it every item is empty.
  std::function<std::wstring(const CalendarInfoRequest&)> calendarInfoResponder;
  // Answers media commands and queries; without it every command succeeds.
  std::function<MediaReply(const std::wstring& command)> mediaResponder;
  bool tokenOpenSucceeds = true;
  // Privileges LookupPrivilegeId knows.
  std::map<std::wstring, std::uint64_t> privileges{
      {kShutdownPrivilegeName, kShutdownPrivilegeLuid}};
  bool privilegeAdjustSucceeds = true;
  bool exitWindowsSucceeds = true;
  bool suspendSucceeds = true;
  bool lockSucceeds = true;
  // What LastError answers after a failing call.
  std::uint32_t lastError = 0;
  PowerAbilities powerAbilities{true, true, false};
  ThemeSettings themeSettings;  // --- Themes: light, high contrast off ---
  // Variables for ExpandEnvironment (names match case-insensitively).
  std::map<std::wstring, std::wstring> environment;
  // Paths FileExists reports (case-insensitively).
  std::set<std::wstring> files;
  bool programStartSucceeds = true;
  // --- What the scheduler waits for ---: the programs listed, the error a
  // wait is refused with (0: granted), the last input's tick.
  std::vector<RunningProgram> runningPrograms;
  std::uint32_t processWatchError = 0;
  std::uint32_t lastInputTick = 0;
  // Every key creation, value write and deletion fails (a read-only hive).
  bool registryWritesFail = false;
  bool executionStateSucceeds = true;
  // Results of the next message boxes; kIdOk once they run out.
  std::deque<int> messageBoxResults;
  // Results of the next dialogs; cancel once they run out.
  std::deque<std::optional<std::wstring>> openFileDialogResults;
  // Results of the next save dialogs; cancel once they run out.
  std::deque<std::optional<std::wstring>> saveFileDialogResults;

  // --- The user's data files: a disk in memory (paths exact) ---
  std::wstring appDataFolder = L"C:\\Users\\user\\AppData\\Roaming";
  // Folders that exist; a file or folder is made only inside one of them.
  std::set<std::wstring> folders{appDataFolder};
  std::map<std::wstring, FakeFile> disk;
  // Every call of a kind fails with an error code (disk full, read-only).
  std::map<PlatformCall, long> fileFailures;
  // A power cut at the call that changes the disk after this many: a write
  // or a copy leaves half its bytes on the disk, every file loses what was
  // not flushed, and every later call fails, as in a process that died.
  std::optional<std::size_t> fileChangesBeforeCut;
  // Puts a file on the disk, flushed.
  void PutFile(const std::wstring& path, std::string content);
  // What a restart after a power cut finds: flushed data only, no open files.
  void LoseUnflushedData();

  // Scripted registry: keys and values match case-insensitively.
  void AddRegistryKey(RegistryRoot root, const std::wstring& path);
  void SetRegistryValue(RegistryRoot root, const std::wstring& path, const std::wstring& name,
                        RegistryData data);
  void SetRegistryString(RegistryRoot root, const std::wstring& path, const std::wstring& name,
                         const std::wstring& text, std::uint32_t type = kRegSz);
  // The value as stored now; nothing when there is none.
  std::optional<RegistryData> RegistryValue(RegistryRoot root, const std::wstring& path,
                                            const std::wstring& name) const;
  // Keys opened and not closed yet.
  std::size_t OpenRegistryKeyCount() const { return openKeys_.size(); }

  // --- Records ---
  std::vector<PlatformCall> calls;
  std::vector<ExStyleWrite> exStyleWrites;
  std::vector<LayeredWrite> layeredWrites;
  std::vector<CalendarInfoRequest> calendarInfoRequests;
  std::vector<std::wstring> mediaCommands;
  std::vector<std::wstring> mediaQueries;
  std::vector<std::uint32_t> tokenOpens;
  std::vector<std::wstring> privilegeLookups;
  std::vector<PrivilegeAdjustment> privilegeAdjustments;
  std::vector<TokenHandle> closedTokens;
  std::vector<ExitWindowsRequest> exitWindowsRequests;
  std::vector<bool> suspends;  // true: hibernate
  std::vector<RegistryOpenRequest> registryOpens;
  std::vector<std::wstring> registryQueries;
  std::vector<RegistryOpenRequest> registryCreates;
  std::vector<RegistryWriteRequest> registryWrites;
  std::vector<std::wstring> registryDeletes;
  std::vector<std::uint32_t> executionStates;
  std::vector<std::uint32_t> alertSounds;
  std::vector<std::wstring> fileChecks;
  std::vector<ProgramStartRequest> programStarts;
  std::vector<MessageBoxRequest> messageBoxes;
  std::vector<OpenFileDialogRequest> openFileDialogs;
  std::vector<SaveFileDialogRequest> saveFileDialogs;
  // --- printing --- what each print asked for; the answer to give.
  std::vector<std::wstring> printedDocuments;
  PrintResult printResult{PrintOutcome::kPrinted};
  // --- reminders ---
  bool balloonSucceeds = true;
  std::vector<BalloonRequest> balloons;

  // --- Platform ---
  std::uint64_t TickCount() override { return tickCount; }
  double Now() override { return now; }
  std::int64_t UnixTimeNow() override { return unixTimeNow; }
  std::optional<TimeZoneRule> TimeZoneForYear(int) override { return timeZone; }
  std::int64_t LocalTimeOf(std::int64_t utc) override {
    return timeZone ? LocalFromUtc(utc, *timeZone) : utc;
  }
  int ScreenWidthPixels() override { return screenWidth; }
  int ScreenHeightPixels() override { return screenHeight; }
  unsigned WindowDpi(WindowHandle) override { return dpi; }
  int DisplayRefreshHz(WindowHandle) override { return refreshHz; }
  MonitorAreas MonitorOf(WindowHandle window) override;
  std::intptr_t WindowExStyle(WindowHandle window) override;
  void SetWindowExStyle(WindowHandle window, std::intptr_t style) override;
  bool SetLayeredAttributes(WindowHandle window, const LayeredAttributes& attributes) override;
  std::optional<LayeredAttributes> GetLayeredAttributes(WindowHandle window) override;
  std::wstring CalendarInfo(const std::wstring& locale, std::uint32_t calendar,
                            std::uint32_t item) override;
  std::uint32_t SendMediaCommand(const std::wstring& command) override;
  std::uint32_t QueryMedia(const std::wstring& command, std::wstring& reply) override;
  std::uint32_t PlatformId() override;
  std::optional<TokenHandle> OpenProcessToken(std::uint32_t access) override;
  std::optional<std::uint64_t> LookupPrivilegeId(const std::wstring& name) override;
  bool AdjustTokenPrivilege(TokenHandle token, std::uint64_t luid,
                            std::uint32_t attributes) override;
  void CloseToken(TokenHandle token) override;
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override;
  bool SuspendSystem(bool hibernate) override;
  bool LockWorkStation() override;
  void TurnDisplayOff(WindowHandle window) override;
  std::uint32_t LastError() override { return lastError; }
  std::wstring ErrorText(std::uint32_t code) override {
    return L"error " + std::to_wstring(code);
  }
  long OpenRegistryKey(RegistryRoot root, const std::wstring& path, std::uint32_t access,
                       RegistryKey& key) override;
  long QueryRegistryValue(RegistryKey key, const std::wstring& name, std::size_t capacity,
                          RegistryData& data) override;
  void CloseRegistryKey(RegistryKey key) override;
  long CreateRegistryKey(RegistryRoot root, const std::wstring& path, std::uint32_t access,
                         RegistryKey& key) override;
  long WriteRegistryValue(RegistryKey key, const std::wstring& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& bytes) override;
  long DeleteRegistryValue(RegistryKey key, const std::wstring& name) override;
  ForegroundState Foreground(WindowHandle window) override;
  std::vector<RunningProgram> RunningPrograms() override { return runningPrograms; }
  ProcessWatch WatchProcessEnd(std::uint32_t, WindowHandle, std::uint32_t) override {
    return {processWatchError ? 0u : 1u, processWatchError};
  }
  void StopWatchingProcess(std::uintptr_t) override {}
  std::uint32_t LastInputTick() override { return lastInputTick; }
  bool SetExecutionState(std::uint32_t flags) override;
  void AlertSound(std::uint32_t type) override;
  PowerAbilities QueryPowerAbilities() override { return powerAbilities; }
  // --- Themes ---
  ThemeSettings ReadThemeSettings() override { return themeSettings; }
  std::wstring ProgramPath() override { return programPath; }
  std::wstring ExpandEnvironment(const std::wstring& text) override;
  bool FileExists(const std::wstring& path) override;
  bool StartProgram(const std::wstring& commandLine, int showCommand) override;
  int ShowMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                     std::uint32_t style) override;
  std::optional<std::wstring> ShowOpenFileDialog(WindowHandle owner,
                                                 const std::vector<FileFilter>& filters) override;
  std::wstring AppDataFolder() override;
  long CreateFolder(const std::wstring& path) override;
  long ReadWholeFile(const std::wstring& path, std::string& bytes) override;
  long CreateFileForWriting(const std::wstring& path, bool replace, FileHandle& file) override;
  long WriteToFile(FileHandle file, std::string_view bytes) override;
  long FlushFile(FileHandle file) override;
  long CloseFile(FileHandle file) override;
  long CopyFileOver(const std::wstring& from, const std::wstring& to) override;
  long MoveFileOver(const std::wstring& from, const std::wstring& to) override;
  long FileLastWriteTime(const std::wstring& path, std::uint64_t& time) override;
  std::wstring ErrorText(long code) override;
  std::optional<std::wstring> ShowSaveFileDialog(WindowHandle owner,
                                                 const std::vector<FileFilter>& filters,
                                                 const std::wstring& suggestedName,
                                                 const std::wstring& extension) override;
  long DeleteFileAt(const std::wstring& path) override;
  PrintResult PrintOnePage(WindowHandle, const std::wstring& document, const DrawPageFn&) override {
    calls.push_back(PlatformCall::Print);
    printedDocuments.push_back(document);
    return printResult;
  }
  bool ShowBalloon(WindowHandle iconOwner, std::uint32_t iconId, const std::wstring& title,
                   const std::wstring& text, bool silent) override {
    calls.push_back(PlatformCall::BalloonShown);
    balloons.push_back({iconOwner, iconId, title, text, silent});
    return balloonSucceeds;
  }

 private:
  // Records a file call; the error it fails with (scripted, or after a
  // cut), or kErrorSuccess, with `cut` set when this very call is cut.
  long FileCall(PlatformCall call, bool& cut);
  // Cuts the power now: kErrorNotReady.
  long PowerCut();
  // The error for a path not on the disk: not found in a folder that
  // exists, else the path is not found.
  long MissingError(const std::wstring& path) const;

  struct WindowState {
    std::intptr_t exStyle = 0;
    std::optional<LayeredAttributes> layered;
  };
  using RegistryPath = std::pair<RegistryRoot, std::wstring>;  // path in lower case
  using RegistryValues = std::map<std::wstring, RegistryData>;   // names in lower case

  std::map<WindowHandle, WindowState> windows_;
  std::map<RegistryPath, RegistryValues> registry_;
  std::map<RegistryKey, RegistryPath> openKeys_;
  RegistryKey nextKey_ = 1;
  std::map<FileHandle, std::wstring> openFiles_;
  FileHandle nextFile_ = 1;
  std::uint64_t diskClock_ = 0;
  bool powerCut_ = false;
};

}  // namespace tavilo
