// The events file: what is written, byte for byte; which lines are read;
// and unread lines kept in their places through edits.
#include <gtest/gtest.h>

#include <string>

#include "events/EventFile.h"

namespace tavilo {
namespace {

constexpr char kHeader[] = "# Tavilo events 1\r\n";

TEST(EventFile, WritesCrlfFieldsWithoutLeadingZerosAndEscapesText) {
  EventFile file;
  file.Add({EventCalendar::Qamari,
            {1447, 9, 1},
            EventRepeat::Yearly,
            EventReminder{7 * 60 + 5, 3},
            EventDate{2026, 2, 18},
            L"رمضان\ta\\b",
            L"line one\r\nline two \U0001F319"});
  file.Add({EventCalendar::Shamsi, {1405, 1, 1}, EventRepeat::None, {}, {}, L"نوروز", {}});
  EXPECT_EQ(WriteEventFile(file),
            std::string(kHeader) +
                "qamari\t1447/9/1\tyearly\t07:05,3d\t2026/2/18\t"
                "\xD8\xB1\xD9\x85\xD8\xB6\xD8\xA7\xD9\x86\\ta\\\\b\t"
                "line one\\nline two \xF0\x9F\x8C\x99\r\n"
                "shamsi\t1405/1/1\tnone\t-\t-\t\xD9\x86\xD9\x88\xD8\xB1\xD9\x88\xD8\xB2\t\r\n");
  // Read back the same, but for the carriage return, which is dropped.
  EventFile back = ParseEventFile(WriteEventFile(file));
  file.events[0].note = L"line one\nline two \U0001F319";
  EXPECT_EQ(back.events, file.events);
  EXPECT_TRUE(back.keptLines.empty());
}

struct LineCase {
  const char* line;
  bool read;
};

TEST(EventFile, ReadsOnlyWellFormedLines) {
  const LineCase cases[] = {
      {"shamsi\t01403/01/05\tmonthly\t7:30,7d\t-\tt\tn", true},  // leading zeros
      {"gregorian\t2026/2/28\tnone\t-\t-\tno note field", true},
      {"shamsi\t1403/1/5\tnone\t-\t-\tt\\x\t", false},  // unknown escape
      {"shamsi\t1403/1/5\tnone\t-\t-\tt\t\\", false},   // a lone backslash
      {"shamsi\t1404/12/30\tnone\t-\t-\tt\t", false},   // 1404 has no 30 Esfand
      {"qamari\t1447/13/1\tnone\t-\t-\tt\t", false},
      {"shamsi\t1403/1/5\tnone\t24:00\t-\tt\t", false},
      {"shamsi\t1403/1/5\tnone\t08:00,2d\t-\tt\t", false},
      {"shamsi\t1403/1/5\tnone\t-\t2026/2/30\tt\t", false},
      {"shamsi\t1403/1/5\tnone\t-\t-\t\tnote", false},  // no title
      {"shamsi\t1403/1/5\tnone\t-\t-\tt\tn\textra", false},
      {"Shamsi\t1403/1/5\tnone\t-\t-\tt\t", false},
      {"shamsi\t1403/1/5\tnone\t-\t-\t\xC0\xAF\t", false},      // overlong UTF-8
      {"shamsi\t1403/1/5\tnone\t-\t-\t\xED\xA0\x80\t", false},  // a surrogate
  };
  for (const LineCase& c : cases) EXPECT_EQ(ParseEventLine(c.line).has_value(), c.read) << c.line;
}

TEST(EventFile, FirstLineMarkAndLineEnds) {
  const std::string line = "shamsi\t1403/1/5\tnone\t-\t-\tt\t";
  for (const std::string& text : {"\xEF\xBB\xBF# Tavilo events 1\n" + line + "\n",
                                  "# Tavilo events 1\r\n" + line, line + "\r\n"}) {
    const EventFile file = ParseEventFile(text);
    EXPECT_EQ(file.events.size(), 1u) << text;
    EXPECT_TRUE(file.keptLines.empty() && file.Writable()) << text;
  }
  EXPECT_FALSE(ParseEventFile("# Tavilo events 2\r\n" + line).Writable());
  const EventFile unknown = ParseEventFile("# Tavilo events x\r\n" + line + "\r\n\r\n");
  EXPECT_EQ(unknown.events.size(), 1u);
  EXPECT_EQ(unknown.keptLines.size(), 2u);
  EXPECT_EQ(unknown.UnreadableLineCount(), 1u);  // the blank line is not counted
}

TEST(EventFile, UnreadLinesKeepTheirPlacesThroughEdits) {
  const std::string a = "shamsi\t1403/1/5\tnone\t-\t-\ta\t";
  const std::string b = "shamsi\t1403/1/6\tnone\t-\t-\tb\t";
  const std::string c = "shamsi\t1403/1/7\tnone\t-\t-\tc\t";
  EventFile file = ParseEventFile(a + "\n  \xFF\tkept one\r\r\n" + b + "\r\nkept two");
  file.Remove(0);
  file.Add(*ParseEventLine(c));
  EXPECT_EQ(WriteEventFile(file),
            kHeader + ("  \xFF\tkept one\r\r\n" + b + "\r\nkept two\r\n" + c + "\r\n"));
}

}  // namespace
}  // namespace tavilo
