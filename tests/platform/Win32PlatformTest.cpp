// The real platform under Wine, for every service that is safe to call for
// real: time, screen, layered attributes on a real window, registry, files,
// starting a program, media and the shutdown privilege. Ending the session is
// never called here.
#include "platform/win32/Win32Platform.h"

#include <windows.h>
#include <oleauto.h>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/RegistryText.h"

namespace tavilo {
namespace {

// --- Time and screen ---

TEST(Win32Time, TickCountIsTheSystemUptime) {
  Win32Platform platform;
  ULONGLONG before = GetTickCount64();
  std::uint64_t ticks = platform.TickCount();
  ULONGLONG after = GetTickCount64();

  EXPECT_GE(ticks, before);
  EXPECT_LE(ticks, after);
}

TEST(Win32Time, NowIsTheLocalClockAsADateValue) {
  SYSTEMTIME local;
  GetLocalTime(&local);
  double expected = 0;
  ASSERT_TRUE(SystemTimeToVariantTime(&local, &expected));

  double now = Win32Platform().Now();

  EXPECT_NEAR(now, expected, 5.0 / 86400);  // within five seconds
}

TEST(Win32Screen, MetricsArePrimaryScreenPixels) {
  Win32Platform platform;

  EXPECT_EQ(platform.ScreenWidthPixels(), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(platform.ScreenHeightPixels(), GetSystemMetrics(SM_CYSCREEN));
  EXPECT_GT(platform.ScreenWidthPixels(), 0);
  EXPECT_GT(platform.ScreenHeightPixels(), 0);
}

// --- A real top-level window ---

class Win32Window : public ::testing::Test {
 protected:
  void SetUp() override {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TaviloPlatformTestWindow";
    RegisterClassW(&windowClass);
    // Hidden: layered attributes do not need a mapped window, and without a
    // window manager destroying a visible one takes seconds.
    window_ = CreateWindowExW(0, windowClass.lpszClassName, L"test", WS_POPUP, 10, 10, 100, 50,
                              nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window_, nullptr);
  }
  void TearDown() override { DestroyWindow(window_); }

  void MakeLayered() {
    platform_.SetWindowExStyle(window_, platform_.WindowExStyle(window_) | kWsExLayered);
  }

  HWND window_ = nullptr;
  Win32Platform platform_;
};

TEST_F(Win32Window, DpiIs96) { EXPECT_EQ(platform_.WindowDpi(window_), 96u); }

TEST_F(Win32Window, LayeredStyleBitIsAddedToTheRealWindow) {
  ASSERT_EQ(platform_.WindowExStyle(window_) & kWsExLayered, 0);

  MakeLayered();

  EXPECT_NE(GetWindowLongPtrW(window_, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
  EXPECT_EQ(platform_.WindowExStyle(window_), GetWindowLongPtrW(window_, GWL_EXSTYLE));
}

TEST_F(Win32Window, ColourKeyReadsBack) {
  MakeLayered();
  const LayeredAttributes redKey{255, 0, kLwaColorKey};

  ASSERT_TRUE(platform_.SetLayeredAttributes(window_, redKey));

  std::optional<LayeredAttributes> readBack = platform_.GetLayeredAttributes(window_);
  ASSERT_TRUE(readBack.has_value());
  EXPECT_EQ(readBack->colorKey, 255u);
  EXPECT_EQ(readBack->flags, kLwaColorKey);
}

TEST_F(Win32Window, ColourKeyAndAlphaTogetherReadBack) {
  MakeLayered();
  const LayeredAttributes keyAndAlpha{255, 128, kLwaColorKey | kLwaAlpha};

  ASSERT_TRUE(platform_.SetLayeredAttributes(window_, keyAndAlpha));

  EXPECT_EQ(platform_.GetLayeredAttributes(window_), keyAndAlpha);
}

TEST_F(Win32Window, AlphaAloneReplacesTheColourKey) {
  MakeLayered();
  platform_.SetLayeredAttributes(window_, {255, 0, kLwaColorKey});

  ASSERT_TRUE(platform_.SetLayeredAttributes(window_, {0, 100, kLwaAlpha}));

  std::optional<LayeredAttributes> readBack = platform_.GetLayeredAttributes(window_);
  ASSERT_TRUE(readBack.has_value());
  EXPECT_EQ(readBack->alpha, 100);
  EXPECT_EQ(readBack->flags, kLwaAlpha);
}

// --- Registry ---

// A key of its own under HKEY_LOCAL_MACHINE in the test prefix, removed again
// afterwards.
class Win32Registry : public ::testing::Test {
 protected:
  static constexpr wchar_t kKey[] = L"SOFTWARE\\TaviloPlatformTest";

  void SetUp() override {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey);
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key_, nullptr),
              ERROR_SUCCESS);
  }
  void TearDown() override {
    RegCloseKey(key_);
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, kKey);
  }

  void Write(const wchar_t* name, DWORD type, const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(RegSetValueExW(key_, name, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
  }
  std::optional<std::wstring> Read(const wchar_t* name) {
    return ReadRegistryString(platform_, RegistryRoot::LocalMachine, kKey, name);
  }

  HKEY key_ = nullptr;
  Win32Platform platform_;
};

TEST_F(Win32Registry, TextValueIsRead) {
  Write(L"PATH", REG_SZ, ToRegistryBytes(L"C:\\Program Files\\ابزار\\msinfo32.exe"));

  EXPECT_EQ(Read(L"PATH"), L"C:\\Program Files\\ابزار\\msinfo32.exe");
}

TEST_F(Win32Registry, ExpandableTextIsExpanded) {
  Write(L"PATH", REG_EXPAND_SZ, ToRegistryBytes(L"%SystemRoot%\\system32\\msinfo32.exe"));
  wchar_t systemRoot[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableW(L"SystemRoot", systemRoot, MAX_PATH), 0u);

  EXPECT_EQ(Read(L"PATH"), std::wstring(systemRoot) + L"\\system32\\msinfo32.exe");
}

TEST_F(Win32Registry, ValueWithNoDataIsNotFound) {
  ASSERT_EQ(RegSetValueExW(key_, L"PATH", 0, REG_SZ, nullptr, 0), ERROR_SUCCESS);

  EXPECT_EQ(Read(L"PATH"), std::nullopt);
}

TEST_F(Win32Registry, TextWithoutTerminatorStaysWhole) {
  std::vector<std::uint8_t> bytes = ToRegistryBytes(L"C:\\x.exe");
  bytes.resize(bytes.size() - 2);
  Write(L"PATH", REG_SZ, bytes);

  EXPECT_EQ(Read(L"PATH"), L"C:\\x.exe");
}

TEST_F(Win32Registry, TextLongerThanTheBufferIsNotFound) {
  Write(L"PATH", REG_SZ, ToRegistryBytes(std::wstring(kRegistryTextCapacity / 2, L'x')));

  EXPECT_EQ(Read(L"PATH"), std::nullopt);
}

TEST_F(Win32Registry, RawQueryReportsMoreDataForASmallBuffer) {
  Write(L"PATH", REG_SZ, ToRegistryBytes(L"abc"));
  RegistryKey key = 0;
  ASSERT_EQ(platform_.OpenRegistryKey(RegistryRoot::LocalMachine, kKey, kKeyRead, key),
            kErrorSuccess);

  RegistryData data;
  EXPECT_EQ(platform_.QueryRegistryValue(key, L"PATH", 4, data), kErrorMoreData);
  EXPECT_TRUE(data.bytes.empty());
  EXPECT_EQ(platform_.QueryRegistryValue(key, L"PATH", 8, data), kErrorSuccess);
  EXPECT_EQ(data.type, kRegSz);
  EXPECT_EQ(data.bytes, ToRegistryBytes(L"abc"));
  platform_.CloseRegistryKey(key);
}

TEST_F(Win32Registry, NumberValueAndMissingValueAreNotText) {
  Write(L"Count", REG_DWORD, {1, 0, 0, 0});

  EXPECT_EQ(Read(L"Count"), std::nullopt);
  EXPECT_EQ(Read(L"Missing"), std::nullopt);
}

TEST(Win32RegistryMissing, MissingKeyIsNotFound) {
  Win32Platform platform;
  RegistryKey key = 0;

  EXPECT_EQ(platform.OpenRegistryKey(RegistryRoot::LocalMachine,
                                     L"SOFTWARE\\Microsoft\\Shared Tools Location", kKeyRead, key),
            kErrorFileNotFound);
  EXPECT_EQ(ReadRegistryString(platform, RegistryRoot::LocalMachine,
                               L"SOFTWARE\\Microsoft\\Shared Tools Location", L"MSINFO"),
            std::nullopt);
}

// --- Files and programs ---

std::wstring TempFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  return folder;
}

TEST(Win32Files, OnlyExistingFilesCount) {
  Win32Platform platform;
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);

  EXPECT_TRUE(platform.FileExists(self));
  EXPECT_FALSE(platform.FileExists(TempFolder()));
  EXPECT_FALSE(platform.FileExists(TempFolder() + L"no such file.exe"));
}

TEST(Win32Programs, CommandLineRunsAsGiven) {
  Win32Platform platform;
  const std::wstring marker = TempFolder() + L"tavilo started.txt";
  DeleteFileW(marker.c_str());

  ASSERT_TRUE(platform.StartProgram(L"cmd.exe /c echo started> \"" + marker + L"\"", kSwHide));

  bool appeared = false;
  for (int attempt = 0; attempt < 200 && !appeared; ++attempt) {
    Sleep(50);
    appeared = platform.FileExists(marker);
  }
  EXPECT_TRUE(appeared);
  DeleteFileW(marker.c_str());
}

TEST(Win32Programs, MissingProgramFailsToStart) {
  EXPECT_FALSE(Win32Platform().StartProgram(L"C:\\no\\such\\program.exe", kSwShowNormal));
}

// --- Media control interface ---

TEST(Win32Media, ClosingANameNeverOpenedFailsHarmlessly) {
  EXPECT_EQ(Win32Platform().SendMediaCommand(L"close \"C:\\never opened\\song.mp3\""),
            kMciErrorInvalidDeviceName);
}

TEST(Win32Media, QueryReturnsTheReplyText) {
  std::wstring reply;

  EXPECT_EQ(Win32Platform().QueryMedia(L"capability waveaudio device type", reply), 0u);
  EXPECT_EQ(reply, L"waveaudio");
}

// --- Session end: the privilege steps only ---

TEST(Win32Session, SystemIsOfTheNtFamily) {
  EXPECT_EQ(Win32Platform().PlatformId(), kVerPlatformWin32Nt);
}

bool ShutdownPrivilegeEnabled(HANDLE token, const LUID& luid) {
  DWORD size = 0;
  GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
  std::vector<std::uint8_t> buffer(size);
  if (!GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) return false;
  const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
  for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
    const LUID_AND_ATTRIBUTES& entry = privileges->Privileges[i];
    if (entry.Luid.LowPart == luid.LowPart && entry.Luid.HighPart == luid.HighPart) {
      return (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
    }
  }
  return false;
}

TEST(Win32Session, ShutdownPrivilegeIsEnabledInTheOwnToken) {
  Win32Platform platform;
  LUID expected{};
  ASSERT_TRUE(LookupPrivilegeValueW(nullptr, SE_SHUTDOWN_NAME, &expected));

  std::optional<TokenHandle> token = platform.OpenProcessToken(kTokenAdjustPrivileges | kTokenQuery);
  ASSERT_TRUE(token.has_value());
  std::optional<std::uint64_t> luid = platform.LookupPrivilegeId(kShutdownPrivilegeName);
  ASSERT_TRUE(luid.has_value());
  EXPECT_EQ(*luid, (static_cast<std::uint64_t>(expected.HighPart) << 32) | expected.LowPart);

  auto* tokenHandle = reinterpret_cast<HANDLE>(*token);

  EXPECT_TRUE(platform.AdjustTokenPrivilege(*token, *luid, 0));
  EXPECT_FALSE(ShutdownPrivilegeEnabled(tokenHandle, expected));
  EXPECT_TRUE(platform.AdjustTokenPrivilege(*token, *luid, kSePrivilegeEnabled));
  EXPECT_TRUE(ShutdownPrivilegeEnabled(tokenHandle, expected));
  platform.CloseToken(*token);
}

TEST(Win32Session, UnknownPrivilegeHasNoIdentifier) {
  EXPECT_EQ(Win32Platform().LookupPrivilegeId(L"SeNoSuchPrivilege"), std::nullopt);
}

}  // namespace
}  // namespace tavilo
