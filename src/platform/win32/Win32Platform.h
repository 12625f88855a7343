// The real platform: every call goes straight to the Win32 API (the W
// functions throughout). Command texts, paths and messages pass unchanged.
#pragma once

#include "platform/Platform.h"

namespace tavilo {

class Win32Platform final : public Platform {
 public:
  std::uint64_t TickCount() override;
  double Now() override;
  std::int64_t UnixTimeNow() override;
  std::optional<TimeZoneRule> TimeZoneForYear(int year) override;
  std::int64_t LocalTimeOf(std::int64_t utc) override;
  int ScreenWidthPixels() override;
  int ScreenHeightPixels() override;
  unsigned WindowDpi(WindowHandle window) override;
  int DisplayRefreshHz(WindowHandle window) override;
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
  std::uint32_t LastError() override;
  std::wstring ErrorText(std::uint32_t code) override;
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
  std::vector<RunningProgram> RunningPrograms() override;
  ProcessWatch WatchProcessEnd(std::uint32_t processId, WindowHandle window,
                               std::uint32_t message) override;
  void StopWatchingProcess(std::uintptr_t watch) override;
  std::uint32_t LastInputTick() override;
  bool SetExecutionState(std::uint32_t flags) override;
  void AlertSound(std::uint32_t type) override;
  PowerAbilities QueryPowerAbilities() override;
  ThemeSettings ReadThemeSettings() override;  // Win32Theme.cpp
  std::wstring ProgramPath() override;
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
  // Calendar export (Win32CalendarExport.cpp).
  std::optional<std::wstring> ShowSaveFileDialog(WindowHandle owner,
                                                 const std::vector<FileFilter>& filters,
                                                 const std::wstring& suggestedName,
                                                 const std::wstring& extension) override;
  long DeleteFileAt(const std::wstring& path) override;
  // Printing (Win32Printing.cpp).
  PrintResult PrintOnePage(WindowHandle owner, const std::wstring& document,
                           const DrawPageFn& draw) override;
  // --- reminders (Win32Reminders.cpp) ---
  bool ShowBalloon(WindowHandle iconOwner, std::uint32_t iconId, const std::wstring& title,
                   const std::wstring& text, bool silent) override;
};

}  // namespace tavilo
