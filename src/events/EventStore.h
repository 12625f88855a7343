// The user's events on the disk: events.tsv in UserDataFolder (DataFolder.h:
// %APPDATA%\Tavilo, or beside the program in portable mode; EventFile.h),
// read at start and saved whole after every change, so that nothing is lost:
//
//   1. events.tsv.tmp is written, flushed to the disk and closed;
//   2. events.tsv is copied to events.tsv.bak;
//   3. events.tsv.tmp is renamed over events.tsv in one step.
//
// Cut anywhere, the disk holds events.tsv either as it was or as it became.
// Before the first save there is no events.tsv to keep, so an empty one is
// made first: a save cut short then leaves that, never a part of the events.
// At start a missing events.tsv is recovered from events.tsv.tmp when that
// was written whole, else from events.tsv.bak, and the calendar says so; a
// whole events.tsv.tmp that differs from events.tsv and was written after it
// (a save that failed past its first step) is taken over it, an older one
// left alone. A file written as UTF-16 with a byte-order mark is read and
// written again as UTF-8.
//
// A save that fails keeps the change in memory, says why, and the next save
// tries again; past its first step it has the change in events.tsv.tmp,
// which the next start takes. A file that could not be read, or that a newer version wrote,
// is never written.
#pragma once

#include <cstddef>
#include <span>
#include <string>

#include "events/EventFile.h"
#include "platform/Platform.h"

namespace tavilo {

// What became of a change.
struct EventChange {
  bool applied = false;  // the change is in memory (and shown)
  bool saved = false;    // and on the disk
  std::wstring message;  // why it was refused or not saved; empty when saved
};

class EventStore {
 public:
  explicit EventStore(Platform& platform);

  // Reads the file (recovering it when missing). Call once, after the
  // strip's first paint.
  void Load();

  std::span<const Event> Events() const { return file_.events; }
  const EventFile& File() const { return file_; }

  // What the calendar says about the file: that it was recovered, that lines
  // were not read, that it is only read; one notice a line, empty when all
  // is well.
  std::wstring StatusText() const;

  // Changes, each saved at once. Refused, with the reason, for a file that
  // is never written and for an event without a title or a valid date.
  EventChange Add(Event event);
  EventChange Replace(std::size_t position, Event event);
  EventChange Remove(std::size_t position);

  // Records the Gregorian day a reminder of an event was shown: saved when
  // the file may be written, else remembered for this session only.
  EventChange MarkReminderShown(std::size_t position, const EventDate& day);

  // Saves changes a failed save left (nothing to do when there are none).
  EventChange SaveAgain();
  bool HasUnsavedChanges() const { return unsaved_; }
  // Why the last save failed, and the file ("رویدادها ذخیره نشد: ... (events.tsv)").
  const std::wstring& SaveFailure() const { return saveFailure_; }
  // The unsaved changes wait in events.tsv.tmp for the next start.
  bool ChangesKeptForNextStart() const { return unsaved_ && keptInTemporary_; }

  std::wstring FilePath() const;
  // Why the file may not be written; empty when it may.
  std::wstring WhyReadOnly() const;

 private:
  EventChange Change(std::size_t position, bool removes, Event* event);
  EventChange Save();
  // Writes the file in the three steps; the error and the path it concerns.
  long WriteSteps(std::wstring& failedPath);
  long CreateEmptyFileIfMissing(const std::wstring& path);
  void Recover();
  void TakeUnfinishedSave(const std::string& current);
  std::wstring ErrorReason(long code) const;

  Platform& platform_;
  std::wstring folder_;
  EventFile file_;
  bool unsaved_ = false;
  long readError_ = kErrorSuccess;  // the file is there but could not be read
  // events.tsv is missing or empty: there is nothing to back up.
  bool mainFileEmpty_ = true;
  std::wstring recoveryNotice_;
  std::wstring saveFailure_;
  bool keptInTemporary_ = false;  // the last failed save wrote events.tsv.tmp whole
};

// "‏۳ سطر از پرونده رویدادها خوانده نشد", opening with a right-to-left mark
// as every line of the calendar's notice does.
std::wstring UnreadableLinesText(std::size_t count);

// Why a file could not be read or written, in Persian: the common causes in
// words of our own, else the system's description, with the error's number.
std::wstring FileErrorReason(Platform& platform, long code);

}  // namespace tavilo
