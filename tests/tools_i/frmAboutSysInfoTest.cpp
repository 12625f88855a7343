// System Info of the real About window against real values seeded in the
// test prefix's registry: the lookup reads the real registry and file system,
// while the program it would start and the message it would show are only
// recorded (no system information tool is ever left running).
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/fake/FakePlatform.h"
#include "platform/win32/Win32Platform.h"
#include "tools/frmAbout.h"
#include "tools/logic/AboutInfo.h"

namespace tavilo {
namespace {

// Registry, environment and files from the real system; every other service
// (program starts and message boxes above all) from the recording fake.
class RealRegistryPlatform final : public Platform {
 public:
  FakePlatform fake;
  std::vector<RegistryOpenRequest> registryOpens;
  std::vector<std::wstring> fileChecks;

  long OpenRegistryKey(RegistryRoot root, const std::wstring& path, std::uint32_t access,
                       RegistryKey& key) override {
    registryOpens.push_back({root, path, access});
    return real_.OpenRegistryKey(root, path, access, key);
  }
  long QueryRegistryValue(RegistryKey key, const std::wstring& name, std::size_t capacity,
                          RegistryData& data) override {
    return real_.QueryRegistryValue(key, name, capacity, data);
  }
  void CloseRegistryKey(RegistryKey key) override { real_.CloseRegistryKey(key); }
  long CreateRegistryKey(RegistryRoot root, const std::wstring& path, std::uint32_t access,
                         RegistryKey& key) override {
    return fake.CreateRegistryKey(root, path, access, key);
  }
  long WriteRegistryValue(RegistryKey key, const std::wstring& name, std::uint32_t type,
                          const std::vector<std::uint8_t>& bytes) override {
    return fake.WriteRegistryValue(key, name, type, bytes);
  }
  long DeleteRegistryValue(RegistryKey key, const std::wstring& name) override {
    return fake.DeleteRegistryValue(key, name);
  }
  ForegroundState Foreground(WindowHandle window) override { return fake.Foreground(window); }
  bool SetExecutionState(std::uint32_t flags) override { return fake.SetExecutionState(flags); }
  void AlertSound(std::uint32_t type) override { fake.AlertSound(type); }
  std::wstring ProgramPath() override { return fake.ProgramPath(); }
  std::wstring ExpandEnvironment(const std::wstring& text) override {
    return real_.ExpandEnvironment(text);
  }
  bool FileExists(const std::wstring& path) override {
    fileChecks.push_back(path);
    return real_.FileExists(path);
  }

  std::uint64_t TickCount() override { return fake.TickCount(); }
  double Now() override { return fake.Now(); }
  std::int64_t UnixTimeNow() override { return fake.UnixTimeNow(); }
  std::optional<TimeZoneRule> TimeZoneForYear(int year) override { return fake.TimeZoneForYear(year); }
  std::int64_t LocalTimeOf(std::int64_t utc) override { return fake.LocalTimeOf(utc); }
  int ScreenWidthPixels() override { return fake.ScreenWidthPixels(); }
  int ScreenHeightPixels() override { return fake.ScreenHeightPixels(); }
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
    return fake.SendMediaCommand(command);
  }
  std::uint32_t QueryMedia(const std::wstring& command, std::wstring& reply) override {
    return fake.QueryMedia(command, reply);
  }
  std::uint32_t PlatformId() override { return fake.PlatformId(); }
  std::optional<TokenHandle> OpenProcessToken(std::uint32_t access) override {
    return fake.OpenProcessToken(access);
  }
  std::optional<std::uint64_t> LookupPrivilegeId(const std::wstring& name) override {
    return fake.LookupPrivilegeId(name);
  }
  bool AdjustTokenPrivilege(TokenHandle token, std::uint64_t luid,
                            std::uint32_t attributes) override {
    return fake.AdjustTokenPrivilege(token, luid, attributes);
  }
  void CloseToken(TokenHandle token) override { fake.CloseToken(token); }
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
  std::wstring ErrorText(long code) override { return fake.ErrorText(code); }

 private:
  Win32Platform real_;
};

// One registry value as it stood before the test, put back afterwards.
class SavedValue {
 public:
  SavedValue(const wchar_t* key, const wchar_t* name) : key_(key), name_(name) {
    HKEY opened = nullptr;
    keyExisted_ = RegOpenKeyExW(HKEY_LOCAL_MACHINE, key, 0, KEY_READ, &opened) == ERROR_SUCCESS;
    if (!keyExisted_) return;
    DWORD size = 0;
    if (RegQueryValueExW(opened, name, nullptr, &type_, nullptr, &size) == ERROR_SUCCESS) {
      data_.emplace(size);
      RegQueryValueExW(opened, name, nullptr, &type_, data_->data(), &size);
      data_->resize(size);
    }
    RegCloseKey(opened);
  }
  ~SavedValue() {
    if (!keyExisted_) {
      RegDeleteTreeW(HKEY_LOCAL_MACHINE, key_);
      return;
    }
    if (data_) {
      RegSetKeyValueW(HKEY_LOCAL_MACHINE, key_, name_, type_, data_->data(),
                      static_cast<DWORD>(data_->size()));
    } else {
      RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key_, name_);
    }
  }
  SavedValue(const SavedValue&) = delete;
  SavedValue& operator=(const SavedValue&) = delete;

 private:
  const wchar_t* key_;
  const wchar_t* name_;
  bool keyExisted_ = false;
  DWORD type_ = 0;
  std::optional<std::vector<BYTE>> data_;
};

class frmAboutSysInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // The test begins with neither value present.
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kSysInfoKey, kSysInfoValue);
    RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, kSysInfoLocationKey, kSysInfoLocationValue);
    wchar_t systemRoot[MAX_PATH] = {};
    ASSERT_GT(GetEnvironmentVariableW(L"SystemRoot", systemRoot, MAX_PATH), 0u);
    systemRoot_ = systemRoot;
    system32_ = systemRoot_ + L"\\system32";
    about_.Open();
    ASSERT_TRUE(about_.IsOpen());
  }
  void TearDown() override {
    if (about_.IsOpen()) DestroyWindow(about_.Handle());
  }

  void Seed(const wchar_t* key, const wchar_t* name, DWORD type, const std::wstring& text) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, name, type, text.c_str(),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  void SeedPath(const std::wstring& text, DWORD type = REG_SZ) {
    Seed(kSysInfoKey, kSysInfoValue, type, text);
  }
  void SeedFolder(const std::wstring& text) {
    Seed(kSysInfoLocationKey, kSysInfoLocationValue, REG_SZ, text);
  }
  void ClickSystemInfo() {
    SendDlgItemMessageW(about_.Handle(), frmAbout::kCmdSysInfo, BM_CLICK, 0, 0);
  }
  void ExpectStarted(const std::wstring& commandLine) {
    EXPECT_EQ(platform_.fake.programStarts,
              (std::vector<ProgramStartRequest>{{commandLine, kSwShowNormal}}));
    EXPECT_TRUE(platform_.fake.messageBoxes.empty());
  }
  void ExpectUnavailable() {
    EXPECT_TRUE(platform_.fake.programStarts.empty());
    EXPECT_EQ(platform_.fake.messageBoxes,
              (std::vector<MessageBoxRequest>{{about_.Handle(),
                                               L"System Information Is Unavailable At This Time",
                                               L"Tavilo", kMbOk}}));
  }

  // Declared first: the values are put back after everything else is gone.
  SavedValue savedPath_{kSysInfoKey, kSysInfoValue};
  SavedValue savedFolder_{kSysInfoLocationKey, kSysInfoLocationValue};
  RealRegistryPlatform platform_;
  frmAbout about_{platform_};
  std::wstring systemRoot_;
  std::wstring system32_;
};

TEST_F(frmAboutSysInfoTest, FirstValueIsStartedUnchangedAndTheSecondIsNeverRead) {
  // A file that does not exist, in a folder with blanks: started as it is.
  SeedPath(L"C:\\Program Files\\Tavilo Test\\msinfo32.exe");
  SeedFolder(system32_);
  ClickSystemInfo();
  ExpectStarted(L"\"C:\\Program Files\\Tavilo Test\\msinfo32.exe\"");
  EXPECT_EQ(platform_.registryOpens,
            (std::vector<RegistryOpenRequest>{
                {RegistryRoot::LocalMachine, kSysInfoKey, kKeyRead}}));
  EXPECT_TRUE(platform_.fileChecks.empty());
}

TEST_F(frmAboutSysInfoTest, ExpandableFirstValueIsExpanded) {
  SeedPath(L"%SystemRoot%\\system32\\msinfo32.exe", REG_EXPAND_SZ);
  ClickSystemInfo();
  ExpectStarted(L"\"" + system32_ + L"\\msinfo32.exe\"");
}

TEST_F(frmAboutSysInfoTest, SecondValueIsAFolderJoinedWithTheFileName) {
  SeedFolder(system32_);
  ClickSystemInfo();
  ExpectStarted(L"\"" + system32_ + L"\\MSINFO32.EXE\"");
  EXPECT_EQ(platform_.registryOpens,
            (std::vector<RegistryOpenRequest>{
                {RegistryRoot::LocalMachine, kSysInfoKey, kKeyRead},
                {RegistryRoot::LocalMachine, kSysInfoLocationKey, kKeyRead}}));
  EXPECT_EQ(platform_.fileChecks, std::vector<std::wstring>{system32_ + L"\\MSINFO32.EXE"});
}

TEST_F(frmAboutSysInfoTest, FolderEndingInABackslashIsJoinedWithASecondOne) {
  SeedFolder(system32_ + L"\\");
  ClickSystemInfo();
  ExpectStarted(L"\"" + system32_ + L"\\\\MSINFO32.EXE\"");
}

TEST_F(frmAboutSysInfoTest, EmptyFirstValueCountsAsMissing) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_LOCAL_MACHINE, kSysInfoKey, kSysInfoValue, REG_SZ, nullptr, 0),
            ERROR_SUCCESS);
  SeedFolder(system32_);
  ClickSystemInfo();
  ExpectStarted(L"\"" + system32_ + L"\\MSINFO32.EXE\"");
}

TEST_F(frmAboutSysInfoTest, FolderWithoutTheToolShowsTheMessage) {
  SeedFolder(systemRoot_ + L"\\Fonts");
  ClickSystemInfo();
  EXPECT_EQ(platform_.fileChecks,
            std::vector<std::wstring>{systemRoot_ + L"\\Fonts\\MSINFO32.EXE"});
  ExpectUnavailable();
}

TEST_F(frmAboutSysInfoTest, BothMissingShowsTheMessage) {
  ClickSystemInfo();
  EXPECT_EQ(platform_.registryOpens.size(), 2u);
  EXPECT_TRUE(platform_.fileChecks.empty());
  ExpectUnavailable();
  EXPECT_TRUE(about_.IsOpen());
}

}  // namespace
}  // namespace tavilo
