#include "tools/logic/AboutInfo.h"

#include <gtest/gtest.h>

#include "platform/RegistryText.h"
#include "platform/fake/FakePlatform.h"

namespace tavilo {
namespace {

WindowHandle const kAbout = reinterpret_cast<WindowHandle>(0x2000);
constexpr RegistryRoot kHklm = RegistryRoot::LocalMachine;

TEST(AboutTextsTest, CaptionVersionAndCredits) {
  EXPECT_EQ(AboutCaption(), L"About Tavilo");
  EXPECT_EQ(VersionCaption(1, 0, 0), L"Version 1.0.0");
  EXPECT_EQ(VersionCaption(12, 3, 40), L"Version 12.3.40");

  const std::wstring credits = CreditsText();
  const std::wstring madeBy = L"ساخته شده توسط  : ";
  EXPECT_EQ(credits.substr(0, madeBy.size()), madeBy);
  const auto at = [&](const std::wstring& part) { return credits.find(part); };
  const std::size_t name = at(kAuthorName);
  const std::size_t weblog = at(L"وبلاگ : ");
  const std::size_t email = at(L"ايميل : ");
  const std::size_t closing = at(L"منتظر انتقادات و پيشنهادات شما هستيم... .");
  EXPECT_EQ(name, madeBy.size());
  EXPECT_EQ(weblog, name + std::wstring(kAuthorName).size() + 25);
  EXPECT_EQ(credits.substr(weblog + 8, std::wstring(kWebLogAddress).size()), kWebLogAddress);
  EXPECT_EQ(email, weblog + 8 + std::wstring(kWebLogAddress).size() + 31);
  EXPECT_EQ(closing, email + 8 + std::wstring(kAuthorEmail).size() + 116);
  EXPECT_EQ(credits.substr(closing + 41), L"");
  EXPECT_EQ(credits.find_first_not_of(L' ', weblog - 25), weblog);
}

TEST(AboutTextsTest, CreditsAreLaidOutOnePartALine) {
  EXPECT_EQ(CreditsLines(CreditsText()),
            std::wstring(L"ساخته شده توسط  : ") + kAuthorName + L"\nوبلاگ : " + kWebLogAddress +
                L"\nايميل : " + kAuthorEmail + L"\nمنتظر انتقادات و پيشنهادات شما هستيم... .");
  EXPECT_EQ(CreditsLines(L"a  b" + std::wstring(7, L' ') + L"c"), L"a  b       c");
  EXPECT_EQ(CreditsLines(L"a" + std::wstring(8, L' ') + L"b" + std::wstring(9, L' ')), L"a\nb");
  EXPECT_EQ(CreditsLines(L""), L"");
}

class SysInfoTest : public ::testing::Test {
 protected:
  FakePlatform platform_;

  void SetPath(const std::wstring& text, std::uint32_t type = kRegSz) {
    platform_.SetRegistryString(kHklm, kSysInfoKey, kSysInfoValue, text, type);
  }
  void SetFolder(const std::wstring& text) {
    platform_.SetRegistryString(kHklm, kSysInfoLocationKey, kSysInfoLocationValue, text);
  }
  void ExpectUnavailable() {
    EXPECT_TRUE(platform_.programStarts.empty());
    ASSERT_EQ(platform_.messageBoxes.size(), 1u);
    EXPECT_EQ(platform_.messageBoxes[0],
              (MessageBoxRequest{kAbout, L"System Information Is Unavailable At This Time",
                                 L"Tavilo", kMbOk}));
  }
};

TEST_F(SysInfoTest, FirstValueIsStartedUnchangedAndQuotedWithoutLookingFurther) {
  SetPath(L"C:\\Program Files\\Common Files\\System\\MSInfo\\msinfo32.exe");
  SetFolder(L"C:\\Elsewhere");
  StartSysInfo(platform_, kAbout);
  ASSERT_EQ(platform_.programStarts.size(), 1u);
  EXPECT_EQ(platform_.programStarts[0],
            (ProgramStartRequest{
                L"\"C:\\Program Files\\Common Files\\System\\MSInfo\\msinfo32.exe\"",
                kSwShowNormal}));
  // Read-only, the first key only; no check that the file is there.
  ASSERT_EQ(platform_.registryOpens.size(), 1u);
  EXPECT_EQ(platform_.registryOpens[0], (RegistryOpenRequest{kHklm, kSysInfoKey, kKeyRead}));
  EXPECT_TRUE(platform_.fileChecks.empty());
  EXPECT_TRUE(platform_.messageBoxes.empty());
  EXPECT_EQ(platform_.OpenRegistryKeyCount(), 0u);
}

TEST_F(SysInfoTest, FirstValueThatCannotBeStartedShowsTheMessage) {
  SetPath(L"C:\\nowhere\\msinfo32.exe");
  platform_.programStartSucceeds = false;
  StartSysInfo(platform_, kAbout);
  ASSERT_EQ(platform_.messageBoxes.size(), 1u);
  EXPECT_EQ(platform_.messageBoxes[0].text, kSysInfoUnavailableMessage);
}

TEST_F(SysInfoTest, SecondValueIsAFolderJoinedWithTheFileName) {
  SetFolder(L"C:\\Tools");
  platform_.files.insert(L"C:\\Tools\\MSINFO32.EXE");
  StartSysInfo(platform_, kAbout);
  ASSERT_EQ(platform_.registryOpens.size(), 2u);
  EXPECT_EQ(platform_.registryOpens[1],
            (RegistryOpenRequest{kHklm, kSysInfoLocationKey, kKeyRead}));
  EXPECT_EQ(platform_.registryQueries, std::vector<std::wstring>{kSysInfoLocationValue});
  EXPECT_EQ(platform_.fileChecks, std::vector<std::wstring>{L"C:\\Tools\\MSINFO32.EXE"});
  ASSERT_EQ(platform_.programStarts.size(), 1u);
  EXPECT_EQ(platform_.programStarts[0],
            (ProgramStartRequest{L"\"C:\\Tools\\MSINFO32.EXE\"", kSwShowNormal}));
}

TEST_F(SysInfoTest, FolderEndingInABackslashKeepsBoth) {
  SetFolder(L"C:\\Tools\\");
  platform_.files.insert(L"C:\\Tools\\\\MSINFO32.EXE");
  StartSysInfo(platform_, kAbout);
  ASSERT_EQ(platform_.programStarts.size(), 1u);
  EXPECT_EQ(platform_.programStarts[0].commandLine, L"\"C:\\Tools\\\\MSINFO32.EXE\"");
}

TEST_F(SysInfoTest, SecondFolderWithoutTheToolShowsTheMessage) {
  SetFolder(L"C:\\Tools");
  StartSysInfo(platform_, kAbout);
  EXPECT_EQ(platform_.fileChecks.size(), 1u);
  ExpectUnavailable();
}

TEST_F(SysInfoTest, BothMissingShowsTheMessage) {
  StartSysInfo(platform_, kAbout);
  EXPECT_EQ(platform_.registryOpens.size(), 2u);
  ExpectUnavailable();
}

TEST_F(SysInfoTest, KeyWithoutTheValueCountsAsMissing) {
  platform_.AddRegistryKey(kHklm, kSysInfoKey);
  StartSysInfo(platform_, kAbout);
  EXPECT_EQ(platform_.OpenRegistryKeyCount(), 0u);
  ExpectUnavailable();
}

TEST_F(SysInfoTest, ExpandableValueIsExpanded) {
  platform_.environment[L"CommonProgramFiles"] = L"C:\\Program Files\\Common Files";
  SetPath(L"%CommonProgramFiles%\\Microsoft Shared\\MSInfo\\msinfo32.exe", kRegExpandSz);
  StartSysInfo(platform_, kAbout);
  ASSERT_EQ(platform_.programStarts.size(), 1u);
  EXPECT_EQ(platform_.programStarts[0].commandLine,
            L"\"C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo\\msinfo32.exe\"");
}

TEST_F(SysInfoTest, EmptyValuesCountAsNotFound) {
  // No data at all in the first value, only a terminating zero in the second.
  platform_.SetRegistryValue(kHklm, kSysInfoKey, kSysInfoValue, RegistryData{kRegSz, {}});
  SetFolder(L"");
  platform_.files.insert(L"\\MSINFO32.EXE");
  StartSysInfo(platform_, kAbout);
  EXPECT_TRUE(platform_.fileChecks.empty());
  ExpectUnavailable();
}

TEST_F(SysInfoTest, ValuesThatAreNotTextOrTooLongCountAsNotFound) {
  platform_.SetRegistryValue(kHklm, kSysInfoKey, kSysInfoValue,
                             RegistryData{kRegDword, {1, 0, 0, 0}});
  SetFolder(std::wstring(kRegistryTextCapacity, L'x'));
  StartSysInfo(platform_, kAbout);
  EXPECT_TRUE(platform_.fileChecks.empty());
  ExpectUnavailable();
}

TEST_F(SysInfoTest, AlreadyQuotedPathIsNotQuotedAgain) {
  SetPath(L"\"C:\\Program Files\\msinfo32.exe\"");
  StartSysInfo(platform_, kAbout);
  ASSERT_EQ(platform_.programStarts.size(), 1u);
  EXPECT_EQ(platform_.programStarts[0].commandLine, L"\"C:\\Program Files\\msinfo32.exe\"");
}

TEST(WebLogTest, ExplorerWithTheFullAddressMinimized) {
  FakePlatform platform;
  OpenWebLog(platform);
  ASSERT_EQ(platform.programStarts.size(), 1u);
  EXPECT_EQ(platform.programStarts[0],
            (ProgramStartRequest{L"explorer http://tavilo.example.org/", kSwShowMinimized}));
}

}  // namespace
}  // namespace tavilo
