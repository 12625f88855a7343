// The month calendar's export to other calendar programs: one Shamsi year of
// Iran's holidays and occasions and, when asked for, the user's events, as
// an iCalendar file (RFC 5545) that Outlook, Google Calendar and Thunderbird
// import. None of them repeats on Shamsi or lunar dates, so every occurrence
// is written as an all-day event of its own, on its Gregorian date.
//
// The file is UTF-8 with CRLF line ends, each line folded at 75 octets
// between characters. Each event's UID is a hash of what it is (an occasion's
// name, an event's calendar, date and title) and the occurrence's date, so
// importing the same year again finds the events already there, and an
// edited event comes in as a new one.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "events/Event.h"
#include "platform/Platform.h"

namespace tavilo {

// The Shamsi years the calendar holds (the last one only in part).
struct ExportYears {
  int first;
  int last;
};
ExportYears ExportableYears();

// A year typed into the export box, in Latin, Persian or Arabic-Indic
// digits; or the short message beside the box.
struct ExportYearAnswer {
  std::optional<int> year;
  std::wstring message;
};
ExportYearAnswer ReadExportYear(std::wstring_view text);

struct ICalendarRequest {
  int year = 0;  // Shamsi, within ExportableYears()
  int correctionDays = 0;
  bool userEvents = true;
  std::int64_t stampUnixSeconds = 0;  // DTSTAMP: when the file is made
};

// The whole file.
std::string ICalendarText(const ICalendarRequest& request, std::span<const Event> events);

// A content line as the file holds it: folded into lines of at most 75
// octets, never inside a UTF-8 sequence, each ended by CRLF.
std::string FoldedLine(std::string_view line);

// A TEXT value in UTF-8: backslash, semicolon, comma and line breaks
// escaped, other control characters dropped.
std::string EscapedText(std::wstring_view text);

// "Tavilo-1405.ics"
std::wstring ExportFileName(int year);

// What the calendar says of a saved export: the year, how many entries on
// how many days, and the file ("سال ۱۴۰۵: ۸۷ مورد در ۶۲ روز در ‎C:\…\a.ics نوشته شد").
std::wstring ExportSavedText(int year, std::string_view text, const std::wstring& path);

// Writes the file next to its target and renames it over the target in one
// step, so that a failed export never leaves a file half written. Empty when
// done, else the message that says why not.
std::wstring SaveExportFile(Platform& platform, const std::wstring& path, std::string_view bytes);

}  // namespace tavilo
