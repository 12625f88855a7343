// Replacing a file's content so that a cut anywhere (a power cut, a full
// disk) leaves the file either as it was or as it became:
//
//   1. <path>.tmp is written, flushed to the disk and closed;
//   2. <path> is copied to <path>.bak (when there is one worth keeping);
//   3. <path>.tmp is renamed over <path> in one step.
//
// The events file and portable.ini are both written so.
#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tavilo {

inline constexpr wchar_t kTemporarySuffix[] = L".tmp";
inline constexpr wchar_t kBackupSuffix[] = L".bak";

// Writes `bytes` as `path` in the three steps, step 2 only when `backUp`.
// Answers the Win32 error (kErrorSuccess when done) and sets `failedPath` to
// the file the failing step concerned. The temporary is deleted when it
// could not be written whole, and kept when a later step fails: then it
// holds the only copy of the new content.
long ReplaceFileSafely(Platform& platform, const std::wstring& path, std::string_view bytes,
                       bool backUp, std::wstring& failedPath);

}  // namespace tavilo
