// The user's data files on a real disk under Wine: the events file's save
// steps (a new file, a replaced one, the backup copy), the errors a caller
// must tell apart, and a read-only file refusing with a reason.
#include "platform/win32/Win32Platform.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace tavilo {
namespace {

class Win32DataFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    folder_ = std::wstring(temp) + L"tavilo-data-files-" + std::to_wstring(GetCurrentProcessId());
    ASSERT_EQ(platform_.CreateFolder(folder_), kErrorSuccess);
  }
  void TearDown() override {
    for (const wchar_t* name : {L"\\events.tsv", L"\\events.tsv.tmp", L"\\events.tsv.bak"}) {
      SetFileAttributesW((folder_ + name).c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW((folder_ + name).c_str());
    }
    RemoveDirectoryW(folder_.c_str());
  }

  // Steps 1 and 3 of a save: the new text in the .tmp, renamed over the file.
  long Save(const std::string& text) {
    FileHandle file = 0;
    if (long error = platform_.CreateFileForWriting(Tmp(), true, file)) return error;
    EXPECT_EQ(platform_.WriteToFile(file, text), kErrorSuccess);
    EXPECT_EQ(platform_.FlushFile(file), kErrorSuccess);
    EXPECT_EQ(platform_.CloseFile(file), kErrorSuccess);
    return platform_.MoveFileOver(Tmp(), Path());
  }
  std::string Read(const std::wstring& path) {
    std::string bytes;
    EXPECT_EQ(platform_.ReadWholeFile(path, bytes), kErrorSuccess);
    return bytes;
  }
  std::wstring Path() const { return folder_ + L"\\events.tsv"; }
  std::wstring Tmp() const { return Path() + L".tmp"; }

  Win32Platform platform_;
  std::wstring folder_;
};

TEST_F(Win32DataFiles, SavesReplacesAndBacksUp) {
  EXPECT_EQ(platform_.CreateFolder(folder_), kErrorSuccess);  // there already
  ASSERT_EQ(Save("first\r\n"), kErrorSuccess);                // no file to replace yet
  ASSERT_EQ(platform_.CopyFileOver(Path(), Path() + L".bak"), kErrorSuccess);
  ASSERT_EQ(Save(std::string(100000, 'x')), kErrorSuccess);

  EXPECT_EQ(Read(Path()), std::string(100000, 'x'));
  EXPECT_EQ(Read(Path() + L".bak"), "first\r\n");
  EXPECT_EQ(GetFileAttributesW(Tmp().c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32DataFiles, TellsMissingExistingAndReadOnlyApart) {
  std::string bytes;
  FileHandle file = 0;
  EXPECT_EQ(platform_.ReadWholeFile(Path(), bytes), kErrorFileNotFound);
  EXPECT_EQ(platform_.CreateFolder(folder_ + L"\\no\\such"), kErrorPathNotFound);
  ASSERT_EQ(Save("old"), kErrorSuccess);
  EXPECT_EQ(platform_.CreateFileForWriting(Path(), false, file), kErrorFileExists);

  ASSERT_TRUE(SetFileAttributesW(Path().c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Save("new"), kErrorAccessDenied);
  EXPECT_EQ(Read(Path()), "old");
  EXPECT_FALSE(platform_.ErrorText(kErrorAccessDenied).empty());
}

TEST(Win32AppData, IsTheUsersRoamingFolder) {
  wchar_t variable[MAX_PATH] = {};
  GetEnvironmentVariableW(L"APPDATA", variable, MAX_PATH);
  const std::wstring folder = Win32Platform().AppDataFolder();
  EXPECT_EQ(lstrcmpiW(folder.c_str(), variable), 0);
  EXPECT_TRUE(GetFileAttributesW(folder.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
}  // namespace tavilo
