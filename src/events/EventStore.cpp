#include "events/EventStore.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "platform/DataFolder.h"
#include "events/Utf8.h"
#include "platform/SafeReplace.h"

namespace tavilo {
namespace {

constexpr wchar_t kFileName[] = L"\\events.tsv";

// Each notice says what happened first: the status line may show only its
// start (its tooltip has the whole).
constexpr wchar_t kRecoveredFromTemporary[] =
    L"پرونده رویدادها از آخرین ذخیره (events.tsv.tmp) بازگردانده شد، چون نبود";
constexpr wchar_t kRecoveredFromBackup[] =
    L"پرونده رویدادها از نسخه پشتیبان (events.tsv.bak) بازگردانده شد، چون نبود";
constexpr wchar_t kNewerVersion[] =
    L"افزودن و ویرایش رویداد ممکن نیست: پرونده رویدادها را نسخه تازه‌تری از Tavilo "
    L"نوشته است و تا چیزی از آن از دست نرود فقط خوانده می‌شود؛ یادآوری‌های "
    L"دیرهنگام ممکن است پس از اجرای دوباره تکرار شوند";
constexpr wchar_t kNotRead[] = L"پرونده رویدادها خوانده نشد: ";
constexpr wchar_t kNotReadTail[] =
    L"؛ تا خوانده نشود چیزی در آن نوشته نمی‌شود";
constexpr wchar_t kNotSaved[] = L"رویدادها ذخیره نشد: ";
constexpr wchar_t kNotSavedTail[] =
    L". تغییر تا وقتی Tavilo باز است نگه داشته می‌شود و ذخیره بعدی دوباره "
    L"انجام می‌شود";
constexpr wchar_t kTakenFromTemporary[] =
    L"تغییرهایی که در اجرای پیشین ذخیره نشده بود از events.tsv.tmp بازگردانده شد "
    L"(پرونده پیشین: events.tsv.bak)";
constexpr wchar_t kOlderTemporaryLeft[] =
    L"ذخیره ناتمام پیشین (events.tsv.tmp) به کار گرفته نشد، چون از پرونده رویدادها تازه‌تر "
    L"نیست؛ ذخیره بعدی جای آن را می‌گیرد";
constexpr wchar_t kConvertedFromUtf16[] =
    L"پرونده رویدادها UTF-16 بود و به UTF-8 نوشته شد (پرونده پیشین: events.tsv.bak)";
constexpr wchar_t kNotUtf8[] = L"؛ پرونده UTF-8 نیست";
constexpr wchar_t kNoTitle[] = L"رویداد عنوان ندارد";
constexpr wchar_t kNoSuchDate[] = L"این تاریخ در تقویم رویداد نیست";
constexpr wchar_t kNoAppData[] = L"پوشه داده‌های کاربر (APPDATA) پیدا نشد";
constexpr wchar_t kUnreadableLines[] = L" سطر از پرونده رویدادها خوانده نشد";

std::wstring PersianNumber(long long value) {
  std::wstring text = std::to_wstring(value);
  for (wchar_t& c : text)
    if (c >= L'0' && c <= L'9') c = static_cast<wchar_t>(L'\x06F0' + (c - L'0'));
  return text;
}

bool IsMissing(long error) { return error == kErrorFileNotFound || error == kErrorPathNotFound; }

// Tavilo writes the first line first and a line end last: a file cut short
// by a power cut lacks one or the other, unless it was cut between lines.
bool LooksWhole(const std::string& bytes) {
  return bytes.starts_with("# Tavilo events ") && bytes.ends_with("\n");
}

// The file name of a path, for messages.
std::wstring NameOf(const std::wstring& path) {
  const std::size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::wstring UnreadableLinesText(std::size_t count) {
  return L"\u200F" + PersianNumber(static_cast<long long>(count)) + kUnreadableLines;
}

EventStore::EventStore(Platform& platform) : platform_(platform) {}

std::wstring EventStore::FilePath() const { return folder_ + kFileName; }

void EventStore::Load() {
  folder_ = UserDataFolder(platform_);
  file_ = EventFile{};
  readError_ = kErrorSuccess;
  recoveryNotice_.clear();
  unsaved_ = false;
  if (folder_.empty()) return;
  std::string bytes;
  const long error = platform_.ReadWholeFile(FilePath(), bytes);
  if (IsMissing(error)) return Recover();
  readError_ = error;
  mainFileEmpty_ = bytes.empty();
  if (error != kErrorSuccess) return;
  if (std::optional<std::string> utf8 = Utf8FromMarkedUtf16(bytes)) {
    file_ = ParseEventFile(*utf8);
    if (!file_.Writable()) return;
    unsaved_ = true;
    recoveryNotice_ = kConvertedFromUtf16;
    if (EventChange saved = Save(); !saved.saved) recoveryNotice_ += L'\n' + saved.message;
    return;
  }
  file_ = ParseEventFile(bytes);
  TakeUnfinishedSave(bytes);
}

// A save that failed after its first step (a read-only events.tsv, say) left
// every event in events.tsv.tmp. A whole one written after events.tsv is
// taken and saved, the file it replaces kept as the backup. One that is not
// newer was overtaken by a later change of events.tsv (the user's own, or a
// restored copy): it is left as it is, and the notice says so.
void EventStore::TakeUnfinishedSave(const std::string& current) {
  if (!file_.Writable()) return;
  const std::wstring temporary = FilePath() + kTemporarySuffix;
  std::string bytes;
  if (platform_.ReadWholeFile(temporary, bytes) != kErrorSuccess || !LooksWhole(bytes) ||
      bytes == current) {
    return;
  }
  std::uint64_t savedAt = 0;
  std::uint64_t unfinishedAt = 0;
  if (platform_.FileLastWriteTime(FilePath(), savedAt) != kErrorSuccess ||
      platform_.FileLastWriteTime(temporary, unfinishedAt) != kErrorSuccess ||
      unfinishedAt <= savedAt) {
    recoveryNotice_ = kOlderTemporaryLeft;
    return;
  }
  EventFile unfinished = ParseEventFile(bytes);
  if (!unfinished.Writable()) return;
  file_ = std::move(unfinished);
  recoveryNotice_ = kTakenFromTemporary;
  unsaved_ = true;
  if (EventChange saved = Save(); !saved.saved) recoveryNotice_ += L'\n' + saved.message;
}

// The newest whole copy: the unfinished save, renamed into place in one step
// (it is newer than the backup, which is made after it from the file before
// it); else the backup, read and saved anew (the backup stays as it is).
void EventStore::Recover() {
  mainFileEmpty_ = true;
  const std::wstring path = FilePath();
  std::string bytes;
  if (platform_.ReadWholeFile(path + kTemporarySuffix, bytes) == kErrorSuccess &&
      LooksWhole(bytes)) {
    file_ = ParseEventFile(bytes);
    recoveryNotice_ = kRecoveredFromTemporary;
    if (platform_.MoveFileOver(path + kTemporarySuffix, path) == kErrorSuccess) {
      mainFileEmpty_ = false;
    } else {
      unsaved_ = file_.Writable();
    }
    return;
  }
  bytes.clear();
  if (platform_.ReadWholeFile(path + kBackupSuffix, bytes) != kErrorSuccess || bytes.empty()) {
    return;
  }
  file_ = ParseEventFile(bytes);
  recoveryNotice_ = kRecoveredFromBackup;
  if (file_.Writable()) {
    unsaved_ = true;
    if (EventChange saved = Save(); !saved.saved) recoveryNotice_ += L'\n' + saved.message;
  }
}

std::wstring EventStore::StatusText() const {
  std::wstring text = recoveryNotice_;
  auto addLine = [&](const std::wstring& line) {
    if (line.empty()) return;
    if (!text.empty()) text += L'\n';
    text += line;
  };
  addLine(WhyReadOnly());
  if (const std::size_t unread = file_.UnreadableLineCount()) {
    addLine(UnreadableLinesText(unread) + (file_.HasUndecodableLine() ? kNotUtf8 : L""));
  }
  return text;
}

std::wstring EventStore::WhyReadOnly() const {
  if (readError_ != kErrorSuccess) return kNotRead + ErrorReason(readError_) + kNotReadTail;
  if (!file_.Writable()) return kNewerVersion;
  return {};
}

EventChange EventStore::Add(Event event) { return Change(file_.events.size(), false, &event); }

EventChange EventStore::Replace(std::size_t position, Event event) {
  return Change(position, false, &event);
}

EventChange EventStore::Remove(std::size_t position) { return Change(position, true, nullptr); }

EventChange EventStore::Change(std::size_t position, bool removes, Event* event) {
  if (std::wstring why = WhyReadOnly(); !why.empty()) return {false, false, std::move(why)};
  if (event && event->title.empty()) return {false, false, kNoTitle};
  if (event && !IsValidEventDate(event->calendar, event->date)) return {false, false, kNoSuchDate};
  const std::size_t count = file_.events.size();
  if (position > count || (position == count && (removes || !event))) return {};
  if (removes) {
    file_.Remove(position);
  } else if (position == count) {
    file_.Add(std::move(*event));
  } else {
    file_.events[position] = std::move(*event);
  }
  unsaved_ = true;
  return Save();
}

EventChange EventStore::MarkReminderShown(std::size_t position, const EventDate& day) {
  if (position >= file_.events.size()) return {};
  file_.events[position].lastReminderShown = day;
  if (std::wstring why = WhyReadOnly(); !why.empty()) return {true, false, std::move(why)};
  unsaved_ = true;
  return Save();
}

EventChange EventStore::SaveAgain() {
  if (!unsaved_) return {true, true, {}};
  return Save();
}

EventChange EventStore::Save() {
  std::wstring failedPath;
  const long error = WriteSteps(failedPath);
  if (error == kErrorSuccess) {
    unsaved_ = false;
    saveFailure_.clear();
    return {true, true, {}};
  }
  saveFailure_ = kNotSaved + ErrorReason(error);
  if (!failedPath.empty()) saveFailure_ += L" (" + NameOf(failedPath) + L")";
  return {true, false, saveFailure_ + kNotSavedTail};
}

long EventStore::CreateEmptyFileIfMissing(const std::wstring& path) {
  FileHandle file = 0;
  const long error = platform_.CreateFileForWriting(path, false, file);
  if (error == kErrorFileExists) return kErrorSuccess;
  if (error != kErrorSuccess) return error;
  mainFileEmpty_ = true;
  return platform_.CloseFile(file);
}

long EventStore::WriteSteps(std::wstring& failedPath) {
  keptInTemporary_ = false;
  if (folder_.empty()) return kErrorPathNotFound;
  const std::wstring path = FilePath();
  failedPath = folder_;
  if (long error = platform_.CreateFolder(folder_)) return error;
  failedPath = path;
  if (long error = CreateEmptyFileIfMissing(path)) return error;

  // An empty events.tsv (made above, or left so) is no backup worth keeping
  // over the one there is.
  if (long error = ReplaceFileSafely(platform_, path, WriteEventFile(file_), !mainFileEmpty_,
                                     failedPath)) {
    // Past the first step, events.tsv.tmp holds every event.
    keptInTemporary_ = failedPath != path + kTemporarySuffix;
    return error;
  }
  mainFileEmpty_ = false;
  return kErrorSuccess;
}

std::wstring EventStore::ErrorReason(long code) const {
  if (code == kErrorPathNotFound)
    return folder_.empty() ? std::wstring(kNoAppData) : L"پوشه پیدا نشد و ساخته نشد";
  return FileErrorReason(platform_, code);
}

std::wstring FileErrorReason(Platform& platform, long code) {
  switch (code) {
    case kErrorAccessDenied:
      return L"اجازه نوشتن نیست یا پرونده فقط‌خواندنی است";
    case kErrorSharingViolation:
    case kErrorLockViolation:
      return L"پرونده در دست برنامه دیگری است";
    case kErrorHandleDiskFull:
    case kErrorDiskFull:
      return L"دیسک پر است";
    case kErrorPathNotFound:
      return L"پوشه پیدا نشد";
    case kErrorWriteProtect:
      return L"دیسک در برابر نوشتن محافظت شده است";
    default:
      break;
  }
  std::wstring reason = platform.ErrorText(code);
  const std::wstring number = L"خطای " + PersianNumber(code);
  return reason.empty() ? number : reason + L" (" + number + L")";
}

}  // namespace tavilo
