// The iCalendar writer's own rules; the whole file is read back by an
// independent parser in ical-export-vs-icalendar.py.
#include "tools/logic/ICalendarExport.h"

#include <gtest/gtest.h>

#include "platform/fake/FakePlatform.h"

namespace tavilo {
namespace {

// Folded at 75 octets, the continuation lines opening with a space, never
// inside a two- or three-byte character; unfolding gives the line back.
TEST(ICalendarExportTest, FoldsBetweenCharacters) {
  for (const std::string& line : {std::string(200, 'a'), "SUMMARY:" + EscapedText(std::wstring(
                                     90, L'\u06CC')), "X:a" + EscapedText(std::wstring(60, L'\u200C'))}) {
    const std::string folded = FoldedLine(line);
    std::string unfolded;
    for (std::size_t at = 0, end; at < folded.size(); at = end + 2) {
      end = folded.find("\r\n", at);
      const std::string physical = folded.substr(at, end - at);
      EXPECT_LE(physical.size(), 75u);
      EXPECT_NE(static_cast<unsigned char>(physical[at ? 1 : 0]) & 0xC0, 0x80) << physical;
      EXPECT_TRUE(!at || physical[0] == ' ');
      unfolded += at ? physical.substr(1) : physical;
    }
    EXPECT_EQ(unfolded, line);
  }
}

TEST(ICalendarExportTest, EscapesText) {
  EXPECT_EQ(EscapedText(L"a\\b;c,d\r\ne\tf\x01"), "a\\\\b\\;c\\,d\\ne\tf");
  EXPECT_EQ(EscapedText(L"تولد، ۱۴۰۵"), "تولد، ۱۴۰۵");
}

TEST(ICalendarExportTest, ReadsTheYear) {
  EXPECT_EQ(ReadExportYear(L" ۱۴۰۵ ").year, 1405);
  EXPECT_EQ(ReadExportYear(L"١٤٠٣").year, 1403);
  EXPECT_EQ(ReadExportYear(L"9378").year, 9378);
  for (const wchar_t* bad : {L"", L"0", L"9379", L"14o5", L"-1", L"1405/1"})
    EXPECT_FALSE(ReadExportYear(bad).year) << bad;
  EXPECT_EQ(ReadExportYear(L"9379").message, L"سال باید از ۱ تا ۹۳۷۸ باشد");
}

// 30 Esfand of a long year and the last day of a common one, 31 December:
// the end is the next day; an edited event gets new UIDs, a reminder shown
// does not change them.
TEST(ICalendarExportTest, EndsTheNextDayWithStableUids) {
  Event esfand{EventCalendar::Shamsi, {1403, 12, 30}, EventRepeat::Yearly, {}, {}, L"x", L""};
  Event december{EventCalendar::Gregorian, {2026, 12, 31}, EventRepeat::None, {}, {}, L"y", L""};
  const auto text = [&](int year) {
    return ICalendarText({year, 0, true, 0}, std::vector<Event>{esfand, december});
  };
  EXPECT_NE(text(1403).find("DTSTART;VALUE=DATE:20250320\r\nDTEND;VALUE=DATE:20250321\r\n"), std::string::npos);
  const std::string before = text(1405);
  EXPECT_NE(before.find(":20270320\r\nDTEND;VALUE=DATE:20270321\r\nSUMMARY:x\r\n"), std::string::npos);
  const std::size_t y = before.find(":20261231\r\nDTEND;VALUE=DATE:20270101\r\nSUMMARY:y\r\n");
  ASSERT_NE(y, std::string::npos);
  esfand.lastReminderShown = EventDate{2027, 3, 20};
  EXPECT_EQ(text(1405), before);
  december.title = L"z";
  const std::string uid = before.substr(before.rfind("UID:", y), 40);
  EXPECT_EQ(text(1405).find(uid), std::string::npos);
}

// A failed rename leaves no half-written file beside the target and says why.
TEST(ICalendarExportTest, SaveFailureSaysWhyAndCleansUp) {
  FakePlatform platform;
  platform.folders.insert(L"C:\\out");
  platform.fileFailures[PlatformCall::FileMove] = kErrorAccessDenied;
  EXPECT_EQ(SaveExportFile(platform, L"C:\\out\\a.ics", "x"),
            L"پرونده ذخیره نشد: اجازه نوشتن نیست یا پرونده فقط‌خواندنی است (a.ics)");
  EXPECT_TRUE(platform.disk.empty());
  platform.fileFailures.clear();
  EXPECT_EQ(SaveExportFile(platform, L"C:\\out\\a.ics", "x"), L"");
  EXPECT_EQ(platform.disk.size(), 1u);
  EXPECT_EQ(platform.disk[L"C:\\out\\a.ics"].content, "x");
}

}  // namespace
}  // namespace tavilo
