// The calendar data a user may add without a new build: the formats of
// data/iran-lunar-months.txt and data/iran-holidays.txt, read from text and
// checked line by line as data/gen-calendar-tables.py checks them. A file
// with any fault is refused whole: half a year of months, or a holiday list
// missing the lines after a typing slip, would mislead more than none.
//
// Unlike the compiled file, a user's lunar months need not begin with a
// Muharram: they are laid over the compiled table (UseAnnouncedMonths), so a
// year's calendar as published (from the middle of a lunar year) is enough.
#pragma once

#include <string_view>
#include <vector>

#include "calendar/Occasions.h"
#include "calendar/Qamari.h"

namespace tavilo {

// Where a file is at fault: its first faulty line (from 1), or 0 for the
// file as a whole (it holds no data).
struct DataFileCheck {
  bool valid = true;
  int faultLine = 0;
};

struct LunarMonthsData {
  std::vector<AnnouncedMonth> months;  // empty unless valid
  DataFileCheck check;
};

// "year/month YYYY-MM-DD" a line, each month the one after the line before
// and 29 or 30 days after it; '#' lines and blank lines are skipped.
LunarMonthsData ReadLunarMonths(std::wstring_view text);

struct HolidaysData {
  std::vector<HolidayLine> lines;  // empty unless valid
  DataFileCheck check;
};

// Tab-separated fields a line: shamsi, qamari or gregorian, month/day (a
// lunar "last" day), "off" or "-", the first Shamsi year or "-", then either
// the name alone (the older five fields) or the kind (national, religious,
// international, ancient), the name and optionally a former name, which is
// not used. A file of comments only is valid and adds nothing.
HolidaysData ReadHolidays(std::wstring_view text);

}  // namespace tavilo
