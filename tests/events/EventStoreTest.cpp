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
const std::string kHeader = "# Tavilo events 1\r\n";

std::string Line(const std::string& title, const char* repeat = "yearly") {
  return "shamsi\t1405/2/2\t" + std::string(repeat) + "\t-\t-\t" + title + "\t\r\n";
}

const Event kNew{EventCalendar::Shamsi, {1405, 2, 2}, EventRepeat::None, {}, {}, L"new", {}};

struct Disk {
  FakePlatform fake;
  EventStore store{fake};
  explicit Disk(std::vector<std::pair<std::wstring, std::string>> files = {}) {
    fake.folders.insert(kFolder);
    for (auto& [path, content] : files) fake.PutFile(path, content);
    store.Load();
  }
  std::vector<Event> Events() const { return {store.Events().begin(), store.Events().end()}; }
};

TEST(EventStore, ASaveCutAtAnyStepLeavesTheOldEventsOrTheNew) {
  std::string many = kHeader + "not an event\r\n";
  for (int i = 0; i < 1500; ++i) many += Line(std::string(100, 'x'));  // several writes
  for (const std::string& start : {std::string(), kHeader + Line("a"), many}) {
    for (std::size_t cut = 0;; ++cut) {
      Disk before(start.empty()
                      ? std::vector<std::pair<std::wstring, std::string>>{}
                      : std::vector<std::pair<std::wstring, std::string>>{{kPath, start}});
      const std::vector<Event> oldEvents = before.Events();
      before.fake.fileChangesBeforeCut = cut;
      const bool saved = before.store.Add(kNew).saved;

      Disk after;
      after.fake.disk = before.fake.disk;
      after.fake.LoseUnflushedData();
      after.store.Load();
      const std::vector<Event> read = after.Events();
      ASSERT_TRUE(read == oldEvents || read == before.Events()) << start.size() << ", " << cut;
      ASSERT_EQ(after.store.File().keptLines, before.store.File().keptLines);
      ASSERT_TRUE(after.store.Add(kNew).saved);  // and the next save holds
      if (saved) {
        ASSERT_EQ(read, before.Events());
        break;
      }
    }
  }
}

TEST(EventStore, AFailedSaveSaysWhyKeepsTheChangeAndIsTriedAgain) {
  const struct {
    PlatformCall call;
    long error;
    std::wstring reason;
    bool keepsTemporary;  // written whole, it holds the only copy of the change
  } cases[] = {
      {PlatformCall::FileWrite, kErrorDiskFull, L"دیسک پر است (events.tsv.tmp)", false},
      {PlatformCall::FileMove, kErrorAccessDenied,
       L"اجازه نوشتن نیست یا پرونده فقط‌خواندنی است "
       L"(events.tsv)",
       true},
      {PlatformCall::FolderCreate, kErrorPathNotFound, L"پوشه پیدا نشد و ساخته نشد (Tavilo)",
       false},
      {PlatformCall::FileCopy, 1234, L"error 1234 (خطای ۱۲۳۴) (events.tsv.bak)", true},
  };
  const std::string old = kHeader + Line("a");
  for (const auto& c : cases) {
    Disk disk({{kPath, old}});
    disk.fake.fileFailures[c.call] = c.error;
    const EventChange change = disk.store.Add(kNew);
    EXPECT_TRUE(change.applied && !change.saved && disk.store.HasUnsavedChanges());
    EXPECT_NE(change.message.find(c.reason), std::wstring::npos) << change.message;
    EXPECT_EQ(disk.Events().size(), 2u);
    EXPECT_EQ(disk.fake.disk[kPath].content, old);
    EXPECT_EQ(disk.fake.disk.contains(kPath + L".tmp"), c.keepsTemporary);
    EXPECT_EQ(disk.store.ChangesKeptForNextStart(), c.keepsTemporary);

    disk.fake.fileFailures.clear();
    EXPECT_TRUE(disk.store.SaveAgain().saved);
    EXPECT_EQ(disk.fake.disk[kPath].content, old + Line("new", "none"));
    EXPECT_EQ(disk.fake.disk[kPath + L".bak"].content, old);
  }
}

TEST(EventStore, AMissingFileComesBackFromTheNewestWholeCopy) {
  const std::string tmp = kHeader + Line("tmp");
  const std::string bak = kHeader + Line("bak");
  for (const std::string& written : {tmp, tmp.substr(0, tmp.size() - 4)}) {
    Disk disk({{kPath + L".tmp", written}, {kPath + L".bak", bak}});
    const bool whole = written == tmp;
    EXPECT_EQ(disk.fake.disk[kPath].content, whole ? tmp : bak);
    EXPECT_EQ(disk.fake.disk[kPath + L".bak"].content, bak);
    EXPECT_NE(disk.store.StatusText().find(whole ? L"(events.tsv.tmp) بازگردانده شد"
                                                 : L"(events.tsv.bak) بازگردانده شد"),
              std::wstring::npos);
  }
}

// An unfinished save is taken only when written after events.tsv: one older
// (the file edited or restored since) is left, and so is the file.
TEST(EventStore, AnUnfinishedSaveIsTakenOnlyWhenNewerThanTheFile) {
  const std::pair<std::wstring, std::string> saved{kPath, kHeader + Line("saved")};
  const std::pair<std::wstring, std::string> unfinished{kPath + L".tmp", kHeader + Line("tmp")};
  for (const bool newer : {true, false}) {
    Disk disk(newer ? std::vector{saved, unfinished} : std::vector{unfinished, saved});
    EXPECT_EQ(disk.Events().at(0).title, newer ? L"tmp" : L"saved");
    EXPECT_EQ(disk.fake.disk[kPath].content, newer ? unfinished.second : saved.second);
    EXPECT_EQ(disk.fake.disk.contains(kPath + L".tmp"), !newer);
    EXPECT_EQ(disk.fake.disk[kPath + L".bak"].content, newer ? saved.second : "");
    EXPECT_NE(disk.store.StatusText().find(newer ? L"از events.tsv.tmp بازگردانده شد"
                                                 : L"(events.tsv.tmp) به کار گرفته نشد"),
              std::wstring::npos);
  }
}

// Notepad's "Unicode" in either byte order is read, written back as UTF-8
// (the original kept as the backup) and said once; bytes that are neither
// are kept and the notice says why.
TEST(EventStore, AUtf16FileIsReadAndWrittenBackAsUtf8) {
  const std::string utf8 = kHeader + Line("\xD9\x86\xF0\x9F\x8E\x82");  // "ن" and U+1F382
  std::string little = "\xFF\xFE", big = "\xFE\xFF";
  for (const char16_t unit : std::u16string(u"# Tavilo events 1\r\nshamsi\t1405/2/2\tyearly\t-\t-\t"
                                            u"\u0646\U0001F382\t\r\n")) {
    little += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    big += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
  }
  for (const std::string& file : {little, big}) {
    Disk disk({{kPath, file}});
    ASSERT_EQ(disk.Events().size(), 1u);
    EXPECT_EQ(disk.fake.disk[kPath].content, utf8);
    EXPECT_EQ(disk.fake.disk[kPath + L".bak"].content, file);
    EXPECT_NE(disk.store.StatusText().find(L"UTF-16"), std::wstring::npos);
    Disk again({{kPath, utf8}});
    EXPECT_EQ(again.store.StatusText(), L"");
  }
  Disk ansi({{kPath, kHeader + Line("\xE3\xED")}});
  EXPECT_EQ(ansi.store.StatusText(), L"\u200F۱ سطر از پرونده رویدادها خوانده نشد؛ پرونده UTF-8 نیست");
}

TEST(EventStore, AFileItMayNotWriteIsReadAndLeftAlone) {
  const std::string newer = "# Tavilo events 2\r\n" + Line("a") + "x\r\ny";
  Disk newerFile({{kPath, newer}});
  Disk locked;
  locked.fake.fileFailures[PlatformCall::FileRead] = kErrorSharingViolation;
  locked.store.Load();
  for (Disk* disk : {&newerFile, &locked}) {
    for (const EventChange& change : {disk->store.Add(kNew), disk->store.Remove(0)}) {
      EXPECT_FALSE(change.applied);
      EXPECT_NE(disk->store.StatusText().find(change.message), std::wstring::npos);
    }
  }
  EXPECT_TRUE(newerFile.store.MarkReminderShown(0, {2026, 3, 21}).applied);  // for the session
  EXPECT_TRUE(locked.fake.disk.empty());
  EXPECT_EQ(newerFile.fake.disk.size(), 1u);
  EXPECT_EQ(newerFile.fake.disk[kPath].content, newer);
  EXPECT_NE(newerFile.store.StatusText().find(L"۲ سطر از پرونده رویدادها خوانده نشد"),
            std::wstring::npos);
}

}  // namespace
}  // namespace tavilo
