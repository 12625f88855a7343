// A Platform for the window tests under Wine: every call is recorded by a
// FakePlatform, and the groups a test chooses also reach the real system.
// Ending the session never does.
#pragma once

#include <functional>

#include "platform/fake/FakePlatform.h"
#include "platform/win32/Win32Platform.h"

namespace tavilo::testing {

class RoutedPlatform : public Platform {
 public:
  FakePlatform fake;
  Win32Platform real;
  // Media commands go to the real media control interface.
  bool realMedia = false;
  // Version, token and privilege steps run for real (they are harmless).
  bool realPrivileges = false;
  // Registry reads and writes go to the test prefix's real registry.
  bool realRegistry = false;
  // Programs are listed and waited for for real, unless the fake refuses.
  bool realProcesses = false;
  // Local time comes from the process's real time zone (TZ under Wine).
  bool realTimeZone = false;
  // Runs whenever the screen's size is read: the slide-out reads it once a
  // step, so a test can pace the slide from here.
  std::function<void()> beforeScreenRead;

  std::uint64_t TickCount() override { return fake.TickCount(); }
  double Now() override { return fake.Now(); }
  std::int64_t UnixTimeNow() override { return fake.UnixTimeNow(); }
  std::optional<TimeZoneRule> TimeZoneForYear(int year) override {
    return realTimeZone ? real.TimeZoneForYear(year) : fake.TimeZoneForYear(year);
  }
  std::int64_t LocalTimeOf(std::int64_t utc) override {
    return realTimeZone ? real.LocalTimeOf(utc) : fake.LocalTimeOf(utc);
  }
  int ScreenWidthPixels() override {
    if (beforeScreenRead) beforeScreenRead();
    return fake.ScreenWidthPixels();
  }
  int ScreenHeightPixels() override {
    if (beforeScreenRead) beforeScreenRead();
    return fake.ScreenHeightPixels();
  }
  unsigned WindowDpi(WindowHandle window) override { return fake.WindowDpi(window); }
  int DisplayRefreshHz(WindowHandle window) override { return fake.DisplayRefreshHz(window); }
  MonitorAreas MonitorOf(WindowHandle window) override { return fake.MonitorOf(window); }
  std::intptr_t WindowExStyle(WindowHandle window) override { return fake.WindowExStyle(window); }
  void SetWindowExStyle(WindowHandle window, std::intptr_t style) override {
    fake.SetWindowExStyle(window, style);
  }
  bool SetLayeredAttributes(WindowHandle window, const LayeredAttributes& attributes) override {
    return fake.SetLayeredAttributes(window, attributes);
  }
  std::optional<LayeredAttributes> GetLayeredAttributes(WindowHandle window) override {
    return fake.GetLayeredAttributes(window);
  }

  std::wstring CalendarInfo(const std::wstring& locale, std::uint32_t calendar,
                            std::uint32_t item) override {
    return fake.CalendarInfo(locale, calendar, item);
  }
  std::uint32_t SendMediaCommand(const std::wstring& command) override {
    const std::uint32_t recorded = fake.SendMediaCommand(command);
    return realMedia ? real.SendMediaCommand(command) : recorded;
  }
  std::uint32_t QueryMedia(const std::wstring& command, std::wstring& reply) override {
    const std::uint32_t recorded = fake.QueryMedia(command, reply);
    return realMedia ? real.QueryMedia(command, reply) : recorded;
  }

  std::uint32_t PlatformId() override {
    const std::uint32_t recorded = fake.PlatformId();
    return realPrivileges ? real.PlatformId() : recorded;
  }
  std::optional<TokenHandle> OpenProcessToken(std::uint32_t access) override {
    const auto recorded = fake.OpenProcessToken(access);
    return realPrivileges ? real.OpenProcessToken(access) : recorded;
  }
  std::optional<std::uint64_t> LookupPrivilegeId(const std::wstring& name) override {
    const auto recorded = fake.LookupPrivilegeId(name);
    return realPrivileges ? real.LookupPrivilegeId(name) : recorded;
  }
  bool AdjustTokenPrivilege(TokenHandle token, std::uint64_t luid,
                            std::uint32_t attributes) override {
    const bool recorded = fake.AdjustTokenPrivilege(token, luid, attributes);
    if (!realPrivileges) return recorded;
    lastRealAdjustSucceeded = real.AdjustTokenPrivilege(token, luid, attributes);
    return lastRealAdjustSucceeded;
  }
  void CloseToken(TokenHandle token) override {
    fake.CloseToken(token);
    if (realPrivileges) real.CloseToken(token);
  }
  bool ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) override {
    return fake.ExitWindowsEx(flags, reason);
  }
  bool SuspendSystem(bool hibernate) override { return fake.SuspendSystem(hibernate); }
  bool LockWorkStation() override { return fake.LockWorkStation(); }
  void TurnDisplayOff(WindowHandle window) override { fake.TurnDisplayOff(window); }
  std::uint32_t LastError() override { return fake.LastError(); }
  std::wstring ErrorText(std::uint32_t code) override { return fake.ErrorText(code); }
  PowerAbilities QueryPowerAbilities() override { return fake.QueryPowerAbilities(); }
  ThemeSettings ReadThemeSettings() override { return fake.ReadThemeSettings(); }

  long OpenRegistryKey(RegistryRoot root, const std::wstring& path, std::uint32_t access,
                       RegistryKey& key) override {
    return registry().OpenRegistryKey(root, path, access, key);
  }
  long QueryRegistryValue(RegistryKey key, const std::wstring& name, std::size_t capacity,
                          RegistryData& data) override {
    return registry().QueryRegistryValue(key, name, capacity, data);
  }
  void CloseRegistryKey(RegistryKey key) override { registry().CloseRegistryKey(key); }
  long CreateRegistryKey(RegistryRoot root, const std::wstring& path, std::uint32_t access,
                         RegistryKey& key) override {
    return registry().CreateRegistryKey(root, path, access, key);
  }
  long WriteRegistryValue(RegistryKey key, const std::wstring& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& bytes) override {
    return registry().WriteRegistryValue(key, name, type, bytes);
  }
  long DeleteRegistryValue(RegistryKey key, const std::wstring& name) override {
    return registry().DeleteRegistryValue(key, name);
  }
  ForegroundState Foreground(WindowHandle window) override { return fake.Foreground(window); }
  std::vector<RunningProgram> RunningPrograms() override {
    return realProcesses ? real.RunningPrograms() : fake.RunningPrograms();
  }
  ProcessWatch WatchProcessEnd(std::uint32_t processId, WindowHandle window,
                               std::uint32_t message) override {
    Platform& from = realProcesses && !fake.processWatchError ? static_cast<Platform&>(real) : fake;
    return from.WatchProcessEnd(processId, window, message);
  }
  void StopWatchingProcess(std::uintptr_t watch) override {
    realProcesses ? real.StopWatchingProcess(watch) : fake.StopWatchingProcess(watch);
  }
  std::uint32_t LastInputTick() override { return fake.LastInputTick(); }
  bool SetExecutionState(std::uint32_t flags) override { return fake.SetExecutionState(flags); }
  void AlertSound(std::uint32_t type) override { fake.AlertSound(type); }
  std::wstring ProgramPath() override { return fake.ProgramPath(); }
  std::wstring ExpandEnvironment(const std::wstring& text) override {
    return fake.ExpandEnvironment(text);
  }
  bool FileExists(const std::wstring& path) override { return fake.FileExists(path); }
  bool StartProgram(const std::wstring& commandLine, int showCommand) override {
    return fake.StartProgram(commandLine, showCommand);
  }
  int ShowMessageBox(WindowHandle owner, const std::wstring& text, const std::wstring& caption,
                     std::uint32_t style) override {
    return fake.ShowMessageBox(owner, text, caption, style);
  }
  std::optional<std::wstring> ShowOpenFileDialog(WindowHandle owner,
                                                 const std::vector<FileFilter>& filters) override {
    return fake.ShowOpenFileDialog(owner, filters);
  }
  std::optional<std::wstring> ShowSaveFileDialog(WindowHandle owner, const std::vector<FileFilter>& f,
                                                 const std::wstring& name,
                                                 const std::wstring& ext) override {
    return fake.ShowSaveFileDialog(owner, f, name, ext);
  }
  long DeleteFileAt(const std::wstring& path) override { return fake.DeleteFileAt(path); }
  PrintResult PrintOnePage(WindowHandle owner, const std::wstring& document,
                           const DrawPageFn& draw) override {
    return fake.PrintOnePage(owner, document, draw);
  }
  // The user's data files: the fake's disk in memory.
  std::wstring AppDataFolder() override { return fake.AppDataFolder(); }
  long CreateFolder(const std::wstring& path) override { return fake.CreateFolder(path); }
  long ReadWholeFile(const std::wstring& path, std::string& bytes) override {
    return fake.ReadWholeFile(path, bytes);
  }
  long CreateFileForWriting(const std::wstring& path, bool replace, FileHandle& file) override {
    return fake.CreateFileForWriting(path, replace, file);
  }
  long WriteToFile(FileHandle file, std::string_view bytes) override {
    return fake.WriteToFile(file, bytes);
  }
  long FlushFile(FileHandle file) override { return fake.FlushFile(file); }
  long CloseFile(FileHandle file) override { return fake.CloseFile(file); }
  long CopyFileOver(const std::wstring& from, const std::wstring& to) override {
    return fake.CopyFileOver(from, to);
  }
  long MoveFileOver(const std::wstring& from, const std::wstring& to) override {
    return fake.MoveFileOver(from, to);
  }
  long FileLastWriteTime(const std::wstring& path, std::uint64_t& time) override {
    return fake.FileLastWriteTime(path, time);
  }
  std::wstring ErrorText(long code) override { return fake.ErrorText(code); }
  bool ShowBalloon(WindowHandle owner, std::uint32_t id, const std::wstring& title,
                   const std::wstring& text, bool silent) override {
    return fake.ShowBalloon(owner, id, title, text, silent);
  }

  bool lastRealAdjustSucceeded = false;

 private:
  Platform& registry() { return realRegistry ? static_cast<Platform&>(real) : fake; }
};

}  // namespace tavilo::testing
