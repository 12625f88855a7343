#include "platform/SafeReplace.h"

namespace tavilo {
namespace {

constexpr std::size_t kWriteChunk = 64 * 1024;

}  // namespace

long ReplaceFileSafely(Platform& platform, const std::wstring& path, std::string_view bytes,
                       bool backUp, std::wstring& failedPath) {
  const std::wstring temporary = path + kTemporarySuffix;
  failedPath = temporary;
  FileHandle file = 0;
  if (long error = platform.CreateFileForWriting(temporary, true, file)) return error;
  long error = kErrorSuccess;
  for (std::size_t at = 0; at < bytes.size() && error == kErrorSuccess; at += kWriteChunk)
    error = platform.WriteToFile(file, bytes.substr(at, kWriteChunk));
  if (error == kErrorSuccess) error = platform.FlushFile(file);
  const long closeError = platform.CloseFile(file);
  if (error == kErrorSuccess) error = closeError;
  if (error != kErrorSuccess) {
    // A part of the new content is worth nothing, and a part that happens to
    // end between lines could pass for a whole file at the next start; the
    // creation already emptied any older temporary.
    platform.DeleteFileAt(temporary);
    return error;
  }

  if (backUp) {
    failedPath = path + kBackupSuffix;
    if (long copyError = platform.CopyFileOver(path, failedPath)) return copyError;
  }
  failedPath = path;
  if (long moveError = platform.MoveFileOver(temporary, path)) return moveError;
  failedPath.clear();
  return kErrorSuccess;
}

}  // namespace tavilo
