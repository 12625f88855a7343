// Registry text values read through the seam, against the scripted registry
// of the fake: what counts as found, what is expanded, and that the key is
// always closed again.
#include "platform/RegistryText.h"

#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"

namespace tavilo {
namespace {

constexpr wchar_t kKey[] = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

TEST(RegistryBytes, EncodeAsUtf16LittleEndianWithTerminator) {
  std::vector<std::uint8_t> expected{0x41, 0x00, 0x33, 0x06, 0x00, 0x00};
  EXPECT_EQ(ToRegistryBytes(L"A\u0633"), expected);
}

TEST(RegistryBytes, EncodeCharactersBeyondTheBasicPlaneAsSurrogatePairs) {
  std::vector<std::uint8_t> expected{0x3D, 0xD8, 0x00, 0xDE, 0x00, 0x00};
  EXPECT_EQ(ToRegistryBytes(L"\U0001F600"), expected);
  EXPECT_EQ(FromRegistryBytes(expected), L"\U0001F600");
}

TEST(RegistryBytes, DecodeStopsAtTheFirstZeroCharacter) {
  EXPECT_EQ(FromRegistryBytes({0x61, 0x00, 0x00, 0x00, 0x62, 0x00}), L"a");
}

TEST(RegistryBytes, DataWithoutTerminatorStaysWhole) {
  EXPECT_EQ(FromRegistryBytes({0x61, 0x00, 0x62, 0x00}), L"ab");
}

TEST(RegistryBytes, AnOddTrailingByteIsIgnored) {
  EXPECT_EQ(FromRegistryBytes({0x61, 0x00, 0x62}), L"a");
}

TEST(RegistryBytes, PersianTextSurvivesTheRoundTrip) {
  const std::wstring text = L"C:\\برنامه‌ها\\ابزار.exe";
  EXPECT_EQ(FromRegistryBytes(ToRegistryBytes(text)), text);
}

class ReadRegistryStringTest : public ::testing::Test {
 protected:
  std::optional<std::wstring> Read(const std::wstring& name) {
    return ReadRegistryString(fake_, RegistryRoot::LocalMachine, kKey, name);
  }
  FakePlatform fake_;
};

TEST_F(ReadRegistryStringTest, PlainTextOpensReadOnlyAndClosesTheKey) {
  fake_.SetRegistryString(RegistryRoot::LocalMachine, kKey, L"PATH",
                          L"C:\\Program Files\\Tools\\msinfo32.exe");

  EXPECT_EQ(Read(L"PATH"), L"C:\\Program Files\\Tools\\msinfo32.exe");

  ASSERT_EQ(fake_.registryOpens.size(), 1u);
  EXPECT_EQ(fake_.registryOpens[0], (RegistryOpenRequest{RegistryRoot::LocalMachine, kKey, kKeyRead}));
  EXPECT_EQ(fake_.registryQueries, std::vector<std::wstring>{L"PATH"});
  EXPECT_EQ(fake_.calls, (std::vector<PlatformCall>{PlatformCall::RegistryOpen, PlatformCall::RegistryQuery,
                                                    PlatformCall::RegistryClose}));
  EXPECT_EQ(fake_.OpenRegistryKeyCount(), 0u);
}

TEST_F(ReadRegistryStringTest, ExpandableTextIsExpanded) {
  fake_.environment[L"SystemRoot"] = L"C:\\windows";
  fake_.SetRegistryString(RegistryRoot::LocalMachine, kKey, L"PATH",
                          L"%SystemRoot%\\system32\\msinfo32.exe", kRegExpandSz);

  EXPECT_EQ(Read(L"PATH"), L"C:\\windows\\system32\\msinfo32.exe");
}

TEST_F(ReadRegistryStringTest, PlainTextIsNotExpanded) {
  fake_.environment[L"SystemRoot"] = L"C:\\windows";
  fake_.SetRegistryString(RegistryRoot::LocalMachine, kKey, L"PATH", L"%SystemRoot%\\x.exe");

  EXPECT_EQ(Read(L"PATH"), L"%SystemRoot%\\x.exe");
}

TEST_F(ReadRegistryStringTest, ValueWithNoDataIsNotFound) {
  fake_.SetRegistryValue(RegistryRoot::LocalMachine, kKey, L"PATH", RegistryData{kRegSz, {}});

  EXPECT_EQ(Read(L"PATH"), std::nullopt);
  EXPECT_EQ(fake_.OpenRegistryKeyCount(), 0u);
}

TEST_F(ReadRegistryStringTest, ValueHoldingOnlyTheTerminatorIsEmptyText) {
  fake_.SetRegistryString(RegistryRoot::LocalMachine, kKey, L"PATH", L"");

  EXPECT_EQ(Read(L"PATH"), L"");
}

TEST_F(ReadRegistryStringTest, MissingKeyIsNotFoundAndNothingIsLeftOpen) {
  EXPECT_EQ(Read(L"PATH"), std::nullopt);
  EXPECT_EQ(fake_.calls, std::vector<PlatformCall>{PlatformCall::RegistryOpen});
  EXPECT_EQ(fake_.OpenRegistryKeyCount(), 0u);
}

TEST_F(ReadRegistryStringTest, MissingValueIsNotFoundAndTheKeyIsClosed) {
  fake_.AddRegistryKey(RegistryRoot::LocalMachine, kKey);

  EXPECT_EQ(Read(L"PATH"), std::nullopt);
  EXPECT_EQ(fake_.calls.back(), PlatformCall::RegistryClose);
  EXPECT_EQ(fake_.OpenRegistryKeyCount(), 0u);
}

TEST_F(ReadRegistryStringTest, LongestTextThatFitsIsRead) {
  const std::wstring longest(kRegistryTextCapacity / 2 - 1, L'x');
  fake_.SetRegistryString(RegistryRoot::LocalMachine, kKey, L"PATH", longest);

  EXPECT_EQ(Read(L"PATH"), longest);
}

TEST_F(ReadRegistryStringTest, TextLongerThanTheBufferIsNotFound) {
  fake_.SetRegistryString(RegistryRoot::LocalMachine, kKey, L"PATH",
                          std::wstring(kRegistryTextCapacity / 2, L'x'));

  EXPECT_EQ(Read(L"PATH"), std::nullopt);
  EXPECT_EQ(fake_.OpenRegistryKeyCount(), 0u);
}

TEST_F(ReadRegistryStringTest, NumberValueIsNotText) {
  fake_.SetRegistryValue(RegistryRoot::LocalMachine, kKey, L"PATH",
                         RegistryData{kRegDword, {1, 0, 0, 0}});

  EXPECT_EQ(Read(L"PATH"), std::nullopt);
}

TEST_F(ReadRegistryStringTest, KeyAndValueNamesIgnoreCase) {
  fake_.SetRegistryString(RegistryRoot::LocalMachine, L"software\\microsoft\\shared tools\\msinfo",
                          L"path", L"found");

  EXPECT_EQ(Read(L"PATH"), L"found");
}

}  // namespace
}  // namespace tavilo
