// The store through the recording fake's disk: a save cut at every step,
// recovery of a missing file, failures that keep the change, and files that
// must not be written.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "events/EventStore.h"
#include "platform/fake/FakePlatform.h"

namespace tavilo {
namespace {

const std::wstring kFolder = L"C:\\Users\\user\\AppData\\Roaming\\Tavilo";
const std::wstring kPath = kFolder + L"\\events.tsv";
const std::string kJunk = "not an event";

std::string Line(int day, const std::string& title) {
  return "shamsi\t1405/1/" + std::to_string(day) + "\tyearly\t-\t-\t" + title + "\t\r\n";
}

Event NewEvent() {
  return Event{EventCalendar::Shamsi, {1405, 2, 2}, EventRepeat::None, {}, {}, L"new", {}};
}

// A program started afresh on what the disk holds after a power cut.
EventStore Restarted(const FakePlatform& before, FakePlatform& fresh) {
  fresh.folders = before.folders;
  fresh.disk = before.disk;
  fresh.LoseUnflushedData();
  EventStore store(fresh);
  store.Load();
  return store;
}

TEST(EventStore, ASaveCutAtAnyStepLeavesTheOldEventsOrTheNew) {
  const std::string longTitle(100, 'x');
  std::string manyLines = "# Tavilo events 1\r\n" + kJunk + "\r\n";
  for (int i = 0; i < 1500; ++i) manyLines += Line(1 + i % 28, longTitle);  // several writes
  const std::vector<std::string> startingFiles = {"", "# Tavilo events 1\r\n" + Line(1, "a"),
                                                  manyLines};
  for (std::size_t start = 0; start < startingFiles.size(); ++start) {
    for (std::size_t cut = 0;; ++cut) {
      FakePlatform fake;
      fake.folders.insert(kFolder);
      if (start > 0) fake.PutFile(kPath, startingFiles[start]);
      EventStore store(fake);
      store.Load();
      std::vector<Event> oldEvents(store.Events().begin(), store.Events().end());
      const std::size_t unread = store.File().UnreadableLineCount();
      fake.fileChangesBeforeCut = cut;
      const EventChange change = store.Add(NewEvent());
      std::vector<Event> newEvents(store.Events().begin(), store.Events().end());

      FakePlatform fresh;
      EventStore after = Restarted(fake, fresh);
      const std::vector<Event> read(after.Events().begin(), after.Events().end());
      ASSERT_TRUE(read == oldEvents || read == newEvents) << "file " << start << ", cut " << cut;
      ASSERT_EQ(after.File().UnreadableLineCount(), unread) << "file " << start << ", cut " << cut;
      // The next save, uncut, holds.
      ASSERT_TRUE(after.Add(NewEvent()).saved) << "file " << start << ", cut " << cut;
      if (change.saved) {
        ASSERT_EQ(read, newEvents);
        break;
      }
    }
  }
}

struct FailureCase {
  PlatformCall call;
  long error;
  std::wstring reason;
};

TEST(EventStore, AFailedSaveSaysWhyKeepsTheChangeAndIsTriedAgain) {
  const FailureCase cases[] = {
      {PlatformCall::FileWrite, kErrorDiskFull, L"دیسک پر است (events.tsv.tmp)"},
      {PlatformCall::FileMove, kErrorAccessDenied,
       L"اجازه نوشتن نیست یا پرونده فقط‌خواندنی است (events.tsv)"},
      {PlatformCall::FolderCreate, kErrorPathNotFound, L"پوشه پیدا نشد و ساخته نشد (Tavilo)"},
      {PlatformCall::FileCopy, 1234, L"error 1234 (خطای ۱۲۳۴) (events.tsv.bak)"},
  };
  const std::string old = "# Tavilo events 1\r\n" + Line(1, "a");
  for (const FailureCase& c : cases) {
    FakePlatform fake;
    fake.folders.insert(kFolder);
    fake.PutFile(kPath, old);
    EventStore store(fake);
    store.Load();
    fake.fileFailures[c.call] = c.error;

    const EventChange change = store.Add(NewEvent());
    EXPECT_TRUE(change.applied && !change.saved);
    EXPECT_NE(change.message.find(c.reason), std::wstring::npos) << change.message;
    EXPECT_EQ(store.Events().size(), 2u);
    EXPECT_TRUE(store.HasUnsavedChanges());
    EXPECT_EQ(fake.disk[kPath].content, old);

    fake.fileFailures.clear();
    EXPECT_TRUE(store.SaveAgain().saved);
    EXPECT_EQ(fake.disk[kPath].content, old + "shamsi\t1405/2/2\tnone\t-\t-\tnew\t\r\n");
    EXPECT_EQ(fake.disk[kPath + L".bak"].content, old);
  }
}

TEST(EventStore, AMissingFileComesBackFromTheNewestWholeCopy) {
  const std::string tmp = "# Tavilo events 1\r\n" + Line(1, "tmp");
  const std::string bak = "# Tavilo events 1\r\n" + Line(1, "bak");
  struct Case {
    std::string tmp, bak, title;
    std::wstring notice;
  } cases[] = {
      {tmp, bak, "tmp", L"(events.tsv.tmp) بازگردانده شد"},
      {tmp.substr(0, tmp.size() - 4), bak, "bak", L"(events.tsv.bak) بازگردانده شد"},
  };
  for (const Case& c : cases) {
    FakePlatform fake;
    fake.folders.insert(kFolder);
    fake.PutFile(kPath + L".tmp", c.tmp);
    fake.PutFile(kPath + L".bak", c.bak);
    EventStore store(fake);
    store.Load();
    ASSERT_EQ(store.Events().size(), 1u);
    EXPECT_EQ(store.Events()[0].title, std::wstring(c.title.begin(), c.title.end()));
    EXPECT_NE(store.StatusText().find(c.notice), std::wstring::npos);
    EXPECT_EQ(fake.disk[kPath].content, "# Tavilo events 1\r\n" + Line(1, c.title));
    EXPECT_EQ(fake.disk[kPath + L".bak"].content, bak);
  }
}

TEST(EventStore, AFileItMayNotWriteIsReadAndLeftAlone) {
  FakePlatform newer;
  newer.folders.insert(kFolder);
  newer.PutFile(kPath, "# Tavilo events 2\r\n" + Line(1, "a") + kJunk + "\r\n" + kJunk);
  FakePlatform locked;
  locked.fileFailures[PlatformCall::FileRead] = kErrorSharingViolation;
  for (FakePlatform* fake : {&newer, &locked}) {
    EventStore store(*fake);
    store.Load();
    for (const EventChange& change : {store.Add(NewEvent()), store.Remove(0)}) {
      EXPECT_FALSE(change.applied);
      EXPECT_FALSE(change.message.empty());
      EXPECT_NE(store.StatusText().find(change.message), std::wstring::npos);
    }
    for (const FileRequest& request : fake->fileRequests)
      EXPECT_EQ(request.call, PlatformCall::FileRead);
  }
  EventStore store(newer);
  store.Load();
  EXPECT_TRUE(store.MarkReminderShown(0, {2026, 3, 21}).applied);  // for this session
  EXPECT_EQ(store.Events()[0].lastReminderShown, (EventDate{2026, 3, 21}));
  for (const FileRequest& request : newer.fileRequests)
    EXPECT_EQ(request.call, PlatformCall::FileRead);
  EXPECT_NE(store.StatusText().find(L"۲ سطر از پرونده رویدادها خوانده نشد"), std::wstring::npos);
}

}  // namespace
}  // namespace tavilo
