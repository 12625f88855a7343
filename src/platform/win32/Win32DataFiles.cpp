// The user's data files: the roaming application-data folder, whole-file
// reads, and the write, flush, copy and rename steps of a safe replace.
#include <windows.h>
#include <shlobj.h>

#include "platform/win32/Win32Platform.h"

namespace tavilo {
namespace {

HANDLE FileOf(FileHandle file) { return reinterpret_cast<HANDLE>(file); }
long ErrorUnless(BOOL done) { return done ? ERROR_SUCCESS : static_cast<long>(GetLastError()); }

// FOLDERID_RoamingAppData, spelled out so that no GUID library is needed.
constexpr GUID kRoamingAppData = {
    0x3EB685DB, 0x65F9, 0x4CF6, {0xA0, 0x3A, 0xE3, 0xEF, 0x65, 0x72, 0x9F, 0x3D}};

}  // namespace

// The shell's answer, or the environment's when the shell has none.
std::wstring Win32Platform::AppDataFolder() {
  std::wstring folder;
  PWSTR shellPath = nullptr;
  if (SUCCEEDED(SHGetKnownFolderPath(kRoamingAppData, 0, nullptr, &shellPath))) folder = shellPath;
  CoTaskMemFree(shellPath);
  if (!folder.empty()) return folder;
  wchar_t variable[MAX_PATH];
  const DWORD length = GetEnvironmentVariableW(L"APPDATA", variable, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(variable, length) : std::wstring();
}

long Win32Platform::CreateFolder(const std::wstring& path) {
  if (CreateDirectoryW(path.c_str(), nullptr)) return ERROR_SUCCESS;
  const long error = static_cast<long>(GetLastError());
  const DWORD attributes = GetFileAttributesW(path.c_str());
  const bool isFolder =
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  return error == ERROR_ALREADY_EXISTS && isFolder ? ERROR_SUCCESS : error;
}

long Win32Platform::ReadWholeFile(const std::wstring& path, std::string& bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return static_cast<long>(GetLastError());
  LARGE_INTEGER size{};
  long error = ErrorUnless(GetFileSizeEx(file, &size));
  if (error == ERROR_SUCCESS && size.QuadPart > 0x7FFFFFFF) error = ERROR_FILE_TOO_LARGE;
  if (error == ERROR_SUCCESS) {
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    DWORD read = 0;
    error = ErrorUnless(ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr));
    bytes.resize(read);
  }
  CloseHandle(file);
  return error;
}

long Win32Platform::CreateFileForWriting(const std::wstring& path, bool replace,
                                         FileHandle& file) {
  HANDLE created = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                               replace ? CREATE_ALWAYS : CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (created == INVALID_HANDLE_VALUE) return static_cast<long>(GetLastError());
  file = reinterpret_cast<FileHandle>(created);
  return ERROR_SUCCESS;
}

long Win32Platform::WriteToFile(FileHandle file, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!WriteFile(FileOf(file), bytes.data(), chunk, &written, nullptr)) {
      return static_cast<long>(GetLastError());
    }
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  return ERROR_SUCCESS;
}

long Win32Platform::FlushFile(FileHandle file) { return ErrorUnless(FlushFileBuffers(FileOf(file))); }

long Win32Platform::CloseFile(FileHandle file) { return ErrorUnless(CloseHandle(FileOf(file))); }

long Win32Platform::CopyFileOver(const std::wstring& from, const std::wstring& to) {
  return ErrorUnless(CopyFileW(from.c_str(), to.c_str(), FALSE));
}

// Windows refuses to replace a read-only file (the user's way of saying "do
// not change it"); Wine replaces it, so the refusal is spelled out here.
long Win32Platform::MoveFileOver(const std::wstring& from, const std::wstring& to) {
  const DWORD target = GetFileAttributesW(to.c_str());
  if (target != INVALID_FILE_ATTRIBUTES && (target & FILE_ATTRIBUTE_READONLY)) {
    return ERROR_ACCESS_DENIED;
  }
  return ErrorUnless(
      MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

long Win32Platform::FileLastWriteTime(const std::wstring& path, std::uint64_t& time) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
    return static_cast<long>(GetLastError());
  }
  time = (std::uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) |
         data.ftLastWriteTime.dwLowDateTime;
  return ERROR_SUCCESS;
}

std::wstring Win32Platform::ErrorText(long code) {
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(code), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::wstring message(text ? text : L"", length);
  LocalFree(text);
  // The system ends its texts with a line break (and often a full stop).
  while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                              message.back() == L' ' || message.back() == L'.')) {
    message.pop_back();
  }
  return message;
}

}  // namespace tavilo
