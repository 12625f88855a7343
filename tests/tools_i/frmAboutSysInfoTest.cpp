// System Info of the real About window against real values seeded in the
// test prefix's registry: the lookup reads the real registry and file system,
// while the program it would start and the message it would show are only
// recorded (no system information tool is ever left running).
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "../tools_ii/RoutedPlatform.h"
#include "tools/frmAbout.h"
#include "tools/logic/AboutInfo.h"

namespace tavilo {
namespace {

// Registry reads, environment and files from the real system; registry
// writes and every other service (program starts and message boxes above all)
// from the recording fake.
class RealRegistryPlatform final : public testing::RoutedPlatform {
 public:
  std::vector<RegistryOpenRequest> registryOpens;
  std::vector<std::wstring> fileChecks;

  long OpenRegistryKey(RegistryRoot root, const std::wstring& path, std::uint32_t access,
                       RegistryKey& key) override {
    registryOpens.push_back({root, path, access});
    return real.OpenRegistryKey(root, path, access, key);
  }
  long QueryRegistryValue(RegistryKey key, const std::wstring& name, std::size_t capacity,
                          RegistryData& data) override {
    return real.QueryRegistryValue(key, name, capacity, data);
  }
  void CloseRegistryKey(RegistryKey key) override { real.CloseRegistryKey(key); }
  std::wstring ExpandEnvironment(const std::wstring& text) override {
    return real.ExpandEnvironment(text);
  }
  bool FileExists(const std::wstring& path) override {
    fileChecks.push_back(path);
    return real.FileExists(path);
  }
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
