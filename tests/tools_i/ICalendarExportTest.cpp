// The export's year box, UIDs and file writing. The file itself (folding,
// escaping, dates, repeats) is read back by an independent parser in
// ical-export-vs-icalendar.py.
#include "tools/logic/ICalendarExport.h"

#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"

namespace tavilo {
namespace {

TEST(ICalendarExportTest, ReadsTheYear) {
  EXPECT_EQ(ReadExportYear(L" ۱۴۰۵ ").year, 1405);
  EXPECT_EQ(ReadExportYear(L"١٤٠٣").year, 1403);
  EXPECT_EQ(ReadExportYear(L"9378").year, 9378);
  for (const wchar_t* bad : {L"", L"0", L"9379", L"14o5", L"-1", L"1405/1"})
    EXPECT_FALSE(ReadExportYear(bad).year) << bad;
  EXPECT_EQ(ReadExportYear(L"9379").message, L"سال باید از ۱ تا ۹۳۷۸ باشد");
}

// An edited title makes new UIDs; a reminder shown since does not.
TEST(ICalendarExportTest, UidsFollowWhatTheEventIs) {
  Event event{EventCalendar::Shamsi, {1403, 12, 30}, EventRepeat::Yearly, {}, {}, L"x", L""};
  const auto uids = [&] {
    const std::string file = ICalendarText({1405, 0, true, 0}, std::vector<Event>{event});
    const std::size_t summary = file.find("SUMMARY:" + std::string(event.title.begin(), event.title.end()));
    return summary == std::string::npos ? "" : file.substr(file.rfind("UID:", summary), 40);
  };
  const std::string before = uids();
  ASSERT_NE(before, "");
  event.lastReminderShown = EventDate{2027, 3, 20};
  EXPECT_EQ(uids(), before);
  event.title = L"y";
  EXPECT_NE(uids(), before);
}

// A failed rename leaves no half-written file beside the target and says why.
TEST(ICalendarExportTest, SaveFailureSaysWhyAndCleansUp) {
  FakePlatform platform;
  platform.folders.insert(L"C:\\out");
  platform.fileFailures[PlatformCall::FileMove] = kErrorAccessDenied;
  EXPECT_EQ(SaveExportFile(platform, L"C:\\out\\a.ics", "x"),
            L"پرونده ذخیره نشد: اجازه نوشتن نیست یا پرونده فقط‌خواندنی است (a.ics)");
  EXPECT_TRUE(platform.disk.empty());
}

}  // namespace
}  // namespace tavilo
