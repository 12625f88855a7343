// The recording fake: the rules it shares with the real platform (layered
// attributes, registry reads, environment expansion) and the scripts it
// replays, so window tests can rely on it.
#include "platform/fake/FakePlatform.h"

#include <gtest/gtest.h>

namespace tavilo {
namespace {

WindowHandle SomeWindow() {
  static int window;
  return &window;
}

constexpr LayeredAttributes kRedKey{0x0000FF, 0, kLwaColorKey};

TEST(FakeLayeredWindow, AttributesAreRefusedUntilTheWindowIsLayered) {
  FakePlatform fake;

  EXPECT_FALSE(fake.SetLayeredAttributes(SomeWindow(), kRedKey));
  EXPECT_EQ(fake.GetLayeredAttributes(SomeWindow()), std::nullopt);
  // The refused call is still on record.
  EXPECT_EQ(fake.layeredWrites, (std::vector<LayeredWrite>{{SomeWindow(), kRedKey}}));
}

TEST(FakeLayeredWindow, AttributesReadBackAfterTheStyleIsAdded) {
  FakePlatform fake;
  fake.SetWindowExStyle(SomeWindow(), fake.WindowExStyle(SomeWindow()) | kWsExLayered);

  EXPECT_TRUE(fake.SetLayeredAttributes(SomeWindow(), kRedKey));
  EXPECT_EQ(fake.GetLayeredAttributes(SomeWindow()), kRedKey);

  const LayeredAttributes half{0, 128, kLwaAlpha};
  EXPECT_TRUE(fake.SetLayeredAttributes(SomeWindow(), half));
  EXPECT_EQ(fake.GetLayeredAttributes(SomeWindow()), half);
}

TEST(FakeLayeredWindow, RemovingTheStyleForgetsTheAttributes) {
  FakePlatform fake;
  fake.SetWindowExStyle(SomeWindow(), kWsExLayered);
  fake.SetLayeredAttributes(SomeWindow(), kRedKey);

  fake.SetWindowExStyle(SomeWindow(), 0);

  EXPECT_EQ(fake.GetLayeredAttributes(SomeWindow()), std::nullopt);
}

TEST(FakeLayeredWindow, ForwardedCallsAreRecordedAndAppliedToTheTarget) {
  FakePlatform target;
  FakePlatform fake;
  fake.windowServices = &target;

  fake.SetWindowExStyle(SomeWindow(), fake.WindowExStyle(SomeWindow()) | kWsExLayered);
  EXPECT_TRUE(fake.SetLayeredAttributes(SomeWindow(), kRedKey));

  EXPECT_EQ(target.GetLayeredAttributes(SomeWindow()), kRedKey);
  EXPECT_EQ(fake.GetLayeredAttributes(SomeWindow()), kRedKey);
  EXPECT_EQ(fake.calls, (std::vector<PlatformCall>{
                            PlatformCall::WindowExStyleRead, PlatformCall::WindowExStyleWrite,
                            PlatformCall::LayeredAttributesWrite, PlatformCall::LayeredAttributesRead}));
}

TEST(FakeScripts, MessageBoxesAnswerFromTheScriptThenWithOk) {
  FakePlatform fake;
  fake.messageBoxResults = {kIdCancel};

  EXPECT_EQ(fake.ShowMessageBox(nullptr, L"اول", L"Tavilo", kMbIconError), kIdCancel);
  EXPECT_EQ(fake.ShowMessageBox(nullptr, L"دوم", L"Tavilo", kMbOk), kIdOk);

  EXPECT_EQ(fake.messageBoxes,
            (std::vector<MessageBoxRequest>{{nullptr, L"اول", L"Tavilo", kMbIconError},
                                            {nullptr, L"دوم", L"Tavilo", kMbOk}}));
}

TEST(FakeScripts, OpenFileDialogsAnswerFromTheScriptThenCancel) {
  FakePlatform fake;
  fake.openFileDialogResults = {L"C:\\music\\song one.mp3", std::nullopt};
  const std::vector<FileFilter> filters{{L"MP3 Files", L"*.mp3"}};

  EXPECT_EQ(fake.ShowOpenFileDialog(nullptr, filters), L"C:\\music\\song one.mp3");
  EXPECT_EQ(fake.ShowOpenFileDialog(nullptr, filters), std::nullopt);
  EXPECT_EQ(fake.ShowOpenFileDialog(nullptr, filters), std::nullopt);
  EXPECT_EQ(fake.openFileDialogs.size(), 3u);
  EXPECT_EQ(fake.openFileDialogs[0].filters, filters);
}

TEST(FakeScripts, MediaResponderAnswersCommandsAndQueries) {
  FakePlatform fake;
  fake.mediaResponder = [](const std::wstring& command) {
    if (command.starts_with(L"close ")) return MediaReply{kMciErrorInvalidDeviceName, L""};
    if (command.starts_with(L"status ")) return MediaReply{0, L"playing"};
    return MediaReply{};
  };

  EXPECT_EQ(fake.SendMediaCommand(L"close \"a.mp3\""), kMciErrorInvalidDeviceName);
  EXPECT_EQ(fake.SendMediaCommand(L"open \"a.mp3\""), 0u);
  std::wstring reply;
  EXPECT_EQ(fake.QueryMedia(L"status \"a.mp3\" mode", reply), 0u);
  EXPECT_EQ(reply, L"playing");

  EXPECT_EQ(fake.mediaCommands, (std::vector<std::wstring>{L"close \"a.mp3\"", L"open \"a.mp3\""}));
  EXPECT_EQ(fake.mediaQueries, std::vector<std::wstring>{L"status \"a.mp3\" mode"});
}

TEST(FakeSession, UnknownPrivilegeHasNoIdentifier) {
  FakePlatform fake;

  EXPECT_EQ(fake.LookupPrivilegeId(kShutdownPrivilegeName), FakePlatform::kShutdownPrivilegeLuid);
  EXPECT_EQ(fake.LookupPrivilegeId(L"SeNoSuchPrivilege"), std::nullopt);
}

TEST(FakeSession, StepsAreRecordedInTheOrderMade) {
  FakePlatform fake;
  fake.tokenOpenSucceeds = false;

  EXPECT_EQ(fake.OpenProcessToken(kTokenAdjustPrivileges | kTokenQuery), std::nullopt);
  fake.ExitWindowsEx(kEwxShutdown | kEwxForce, 0);

  EXPECT_EQ(fake.calls,
            (std::vector<PlatformCall>{PlatformCall::ProcessTokenOpen, PlatformCall::ExitWindowsEx}));
  EXPECT_EQ(fake.tokenOpens, std::vector<std::uint32_t>{0x28});
  EXPECT_EQ(fake.exitWindowsRequests, (std::vector<ExitWindowsRequest>{{5, 0}}));
}

TEST(FakeRegistry, TooSmallBufferReportsMoreDataWithoutBytes) {
  FakePlatform fake;
  fake.SetRegistryString(RegistryRoot::LocalMachine, L"K", L"V", L"abc");
  RegistryKey key = 0;
  ASSERT_EQ(fake.OpenRegistryKey(RegistryRoot::LocalMachine, L"k", kKeyRead, key), kErrorSuccess);

  RegistryData data;
  EXPECT_EQ(fake.QueryRegistryValue(key, L"V", 7, data), kErrorMoreData);
  EXPECT_TRUE(data.bytes.empty());
  EXPECT_EQ(fake.QueryRegistryValue(key, L"V", 8, data), kErrorSuccess);
  EXPECT_EQ(data.bytes.size(), 8u);
  EXPECT_EQ(data.type, kRegSz);
}

TEST(FakeRegistry, ClosedKeyCanNoLongerBeQueried) {
  FakePlatform fake;
  fake.SetRegistryString(RegistryRoot::LocalMachine, L"K", L"V", L"abc");
  RegistryKey key = 0;
  fake.OpenRegistryKey(RegistryRoot::LocalMachine, L"K", kKeyRead, key);
  fake.CloseRegistryKey(key);

  RegistryData data;
  EXPECT_EQ(fake.QueryRegistryValue(key, L"V", 100, data), kErrorFileNotFound);
}

class FakeEnvironmentTest : public ::testing::Test {
 protected:
  FakeEnvironmentTest() {
    fake_.environment[L"SystemRoot"] = L"C:\\windows";
    fake_.environment[L"ProgramFiles"] = L"C:\\Program Files";
  }
  FakePlatform fake_;
};

TEST_F(FakeEnvironmentTest, NamesMatchWithoutRegardToCase) {
  EXPECT_EQ(fake_.ExpandEnvironment(L"%SYSTEMROOT%\\x"), L"C:\\windows\\x");
}

TEST_F(FakeEnvironmentTest, AdjacentReferencesBothExpand) {
  EXPECT_EQ(fake_.ExpandEnvironment(L"%ProgramFiles%%SystemRoot%"), L"C:\\Program FilesC:\\windows");
}

TEST_F(FakeEnvironmentTest, UnknownNamesAndLonePercentSignsStayAsWritten) {
  EXPECT_EQ(fake_.ExpandEnvironment(L"%Nope%\\%SystemRoot%"), L"%Nope%\\C:\\windows");
  EXPECT_EQ(fake_.ExpandEnvironment(L"100% sure"), L"100% sure");
  EXPECT_EQ(fake_.ExpandEnvironment(L"%%"), L"%%");
}

TEST(FakeFiles, PathsMatchWithoutRegardToCase) {
  FakePlatform fake;
  fake.files = {L"C:\\Tools\\MSINFO32.EXE"};

  EXPECT_TRUE(fake.FileExists(L"c:\\tools\\msinfo32.exe"));
  EXPECT_FALSE(fake.FileExists(L"C:\\Tools"));
  EXPECT_EQ(fake.fileChecks.size(), 2u);
}

}  // namespace
}  // namespace tavilo
