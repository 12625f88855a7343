// The calendar data a user keeps beside the events (UserDataFolder):
// iran-lunar-months.txt and iran-holidays.txt, in the formats of data/,
// read once after the strip's first paint and laid over the compiled tables
// (CalendarDataText.h). A file that is missing changes nothing; one that
// fails a check is not used at all, and the calendar's status line says so.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace tavilo {

inline constexpr wchar_t kLunarMonthsFileName[] = L"iran-lunar-months.txt";
inline constexpr wchar_t kHolidaysFileName[] = L"iran-holidays.txt";

// Reads both files and puts what they give in force, replacing what an
// earlier call put; call before the events are read, whose lunar dates
// depend on the months.
void LoadCalendarDataFiles(Platform& platform);

// One line for each file not used ("iran-holidays.txt به کار نرفت (سطر ۱۲)"),
// empty when all is well.
const std::wstring& CalendarDataNotice();

}  // namespace tavilo
