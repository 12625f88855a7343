// The user's data files on a real disk under Wine: the events file's save
// steps (a new file, a replaced one, the backup copy), the errors a caller
// tells apart, and a read-only file refused with a reason.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/Win32Platform.h"

namespace tavilo {
namespace {

TEST(Win32DataFiles, SaveStepsAndTheirErrors) {
  Win32Platform platform;
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = temp + std::wstring(L"tavilo-data-files");
  const std::wstring path = folder + L"\\events.tsv";
  const std::wstring tmp = path + L".tmp";
  auto save = [&](const std::string& text) {
    FileHandle file = 0;
    if (long error = platform.CreateFileForWriting(tmp, true, file)) return error;
    EXPECT_EQ(platform.WriteToFile(file, text), kErrorSuccess);
    EXPECT_EQ(platform.FlushFile(file), kErrorSuccess);
    EXPECT_EQ(platform.CloseFile(file), kErrorSuccess);
    return platform.MoveFileOver(tmp, path);
  };
  auto read = [&](const std::wstring& name) {
    std::string bytes;
    return platform.ReadWholeFile(name, bytes) == kErrorSuccess ? bytes : "(unread)";
  };
  auto clean = [&] {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    for (const std::wstring& name : {path, tmp, path + L".bak"}) DeleteFileW(name.c_str());
    RemoveDirectoryW(folder.c_str());
  };
  clean();  // after a run that stopped halfway
  std::string bytes;
  FileHandle file = 0;
  EXPECT_EQ(platform.CreateFolder(folder + L"\\no\\such"), kErrorPathNotFound);
  ASSERT_EQ(platform.CreateFolder(folder), kErrorSuccess);
  EXPECT_EQ(platform.CreateFolder(folder), kErrorSuccess);  // there already
  EXPECT_EQ(platform.ReadWholeFile(path, bytes), kErrorFileNotFound);

  ASSERT_EQ(save("first\r\n"), kErrorSuccess);  // nothing to replace yet
  ASSERT_EQ(platform.CopyFileOver(path, path + L".bak"), kErrorSuccess);
  ASSERT_EQ(save(std::string(100000, 'x')), kErrorSuccess);
  EXPECT_EQ(read(path), std::string(100000, 'x'));
  EXPECT_EQ(read(path + L".bak"), "first\r\n");
  EXPECT_EQ(GetFileAttributesW(tmp.c_str()), INVALID_FILE_ATTRIBUTES);
  FILETIME clock{};
  GetSystemTimeAsFileTime(&clock);
  const std::uint64_t now = (std::uint64_t{clock.dwHighDateTime} << 32) | clock.dwLowDateTime;
  std::uint64_t written = 0;
  EXPECT_EQ(platform.FileLastWriteTime(tmp, written), kErrorFileNotFound);
  ASSERT_EQ(platform.FileLastWriteTime(path, written), kErrorSuccess);
  EXPECT_LT(now - written + 600000000, 1200000000u);  // within a minute of now
  EXPECT_EQ(platform.CreateFileForWriting(path, false, file), kErrorFileExists);

  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(save("new"), kErrorAccessDenied);
  EXPECT_EQ(read(path), std::string(100000, 'x'));
  EXPECT_FALSE(platform.ErrorText(kErrorAccessDenied).empty());
  clean();
}

TEST(Win32DataFiles, AppDataIsTheUsersRoamingFolder) {
  wchar_t variable[MAX_PATH] = {};
  GetEnvironmentVariableW(L"APPDATA", variable, MAX_PATH);
  EXPECT_EQ(lstrcmpiW(Win32Platform().AppDataFolder().c_str(), variable), 0);
}

}  // namespace
}  // namespace tavilo
