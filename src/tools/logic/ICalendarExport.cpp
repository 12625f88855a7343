#include "tools/logic/ICalendarExport.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

#include "calendar/Numbers.h"
#include "calendar/Occasions.h"
#include "calendar/ShamsiArithmetic.h"
#include "events/EventStore.h"
#include "events/Utf8.h"
#include "tools/logic/MonthView.h"
#include "ui/PersianDigits.h"

namespace tavilo {

namespace {

constexpr std::size_t kLineOctets = 75;
constexpr char kLineEnd[] = "\r\n";

constexpr wchar_t kNotAYear[] = L"سال را با رقم بنویسید";
constexpr wchar_t kYearOutside[] = L"سال باید از ";
constexpr wchar_t kYearOutsideAnd[] = L" تا ";
constexpr wchar_t kYearOutsideTail[] = L" باشد";
constexpr wchar_t kCalendarName[] = L"تعطیلات و مناسبت‌های ایران ";
constexpr wchar_t kHoliday[] = L"تعطیل رسمی";
constexpr wchar_t kOccasion[] = L"مناسبت";
constexpr wchar_t kUserEvent[] = L"رویداد من";
constexpr wchar_t kEstimatedMark[] = L" (تخمینی)";
constexpr wchar_t kNotSaved[] = L"پرونده ذخیره نشد: ";
constexpr wchar_t kTemporarySuffix[] = L".tmp";

constexpr const char* kCalendarKeys[] = {"shamsi", "qamari", "gregorian"};

// FNV-1a, 64 bits: the same on every run and platform, unlike std::hash.
std::uint64_t Fnv1a(std::string_view bytes) {
  std::uint64_t hash = 0xCBF29CE484222325u;
  for (unsigned char byte : bytes) {
    hash ^= byte;
    hash *= 0x100000001B3u;
  }
  return hash;
}

std::string Utf8(std::wstring_view text) {
  std::string bytes;
  AppendUtf8(bytes, text);
  return bytes;
}

// "20260321": the Gregorian date of a day, as a DATE value.
std::string DateValue(int32_t day) {
  const CivilDate date = CivilFromDate(static_cast<double>(day));
  char text[16];
  std::snprintf(text, sizeof text, "%04d%02d%02d", date.year, date.month, date.day);
  return text;
}

// "20261207T225300Z": a moment in UTC, as DTSTAMP wants it.
std::string StampValue(std::int64_t unixSeconds) {
  constexpr std::int64_t kDaySeconds = 86400;
  constexpr std::int64_t kUnixEpochDay = 25569;  // 1 January 1970 as a day number
  const std::int64_t days = unixSeconds / kDaySeconds - (unixSeconds % kDaySeconds < 0 ? 1 : 0);
  const auto seconds = static_cast<int>(unixSeconds - days * kDaySeconds);
  char time[16];
  std::snprintf(time, sizeof time, "T%02d%02d%02dZ", seconds / 3600, seconds / 60 % 60,
                seconds % 60);
  return DateValue(static_cast<int32_t>(days + kUnixEpochDay)) + time;
}

class Writer {
 public:
  explicit Writer(std::int64_t stampUnixSeconds) : stamp_(StampValue(stampUnixSeconds)) {}

  void Line(std::string_view name, std::string_view value) {
    text_ += FoldedLine(std::string(name) + ":" + std::string(value));
  }

  // One all-day event; a second with the same UID (the same event twice in
  // the file) is left out.
  void AllDayEvent(int32_t day, std::string_view identity, const std::wstring& summary,
                   const std::wstring& description, std::wstring_view category, bool busy,
                   std::wstring_view secondCategory = {}) {
    const std::string date = DateValue(day);
    char hash[20];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(Fnv1a(identity)));
    const std::string uid = std::string(hash) + "-" + date + "@tavilo";
    if (!uids_.insert(uid).second) return;
    Line("BEGIN", "VEVENT");
    Line("UID", uid);
    Line("DTSTAMP", stamp_);
    Line("DTSTART;VALUE=DATE", date);
    Line("DTEND;VALUE=DATE", DateValue(day + 1));  // the end is exclusive
    Line("SUMMARY", EscapedText(summary));
    Line("DESCRIPTION", EscapedText(description));
    // Categories are comma-separated: each is escaped on its own.
    Line("CATEGORIES", secondCategory.empty() ? EscapedText(category)
                                              : EscapedText(category) + "," +
                                                    EscapedText(secondCategory));
    Line("TRANSP", busy ? "OPAQUE" : "TRANSPARENT");
    Line("END", "VEVENT");
  }

  std::string Take() { return std::move(text_); }

 private:
  std::string stamp_;
  std::string text_;
  std::set<std::string> uids_;
};

// What the user made the event: its calendar, date and title. Its repeat,
// note and reminder stay out, so that a reminder shown since does not make
// the next export a new event.
std::string EventIdentity(const Event& event) {
  char date[40];
  std::snprintf(date, sizeof date, "|%d/%d/%d|", event.date.year, event.date.month,
                event.date.day);
  return kCalendarKeys[static_cast<int>(event.calendar)] + std::string(date) + Utf8(event.title);
}

}  // namespace

ExportYears ExportableYears() {
  const DayRange days = CalendarDays();
  return {ShamsiFromDay(days.first).year, ShamsiFromDay(days.last).year};
}

ExportYearAnswer ReadExportYear(std::wstring_view text) {
  while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
  constexpr std::size_t kMostDigits = 6;
  if (text.empty() || text.size() > kMostDigits) return {std::nullopt, kNotAYear};
  int year = 0;
  for (wchar_t c : text) {
    int digit = -1;
    if (c >= L'0' && c <= L'9') digit = c - L'0';
    if (c >= L'\x06F0' && c <= L'\x06F9') digit = c - L'\x06F0';
    if (c >= L'\x0660' && c <= L'\x0669') digit = c - L'\x0660';
    if (digit < 0) return {std::nullopt, kNotAYear};
    year = year * 10 + digit;
  }
  const ExportYears years = ExportableYears();
  if (year < years.first || year > years.last) {
    return {std::nullopt, kYearOutside + PersianDigits(std::to_wstring(years.first)) +
                              kYearOutsideAnd + PersianDigits(std::to_wstring(years.last)) +
                              kYearOutsideTail};
  }
  return {year, {}};
}

std::string FoldedLine(std::string_view line) {
  std::string folded;
  std::size_t room = kLineOctets;
  while (line.size() > room) {
    std::size_t cut = room;
    // Back to the first byte of a character: a continuation byte is 10xxxxxx.
    while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80) --cut;
    folded.append(line.substr(0, cut)).append(kLineEnd).append(" ");
    line.remove_prefix(cut);
    room = kLineOctets - 1;  // after the space that marks a continuation
  }
  return folded.append(line).append(kLineEnd);
}

std::string EscapedText(std::wstring_view text) {
  std::wstring escaped;
  for (wchar_t c : text) {
    switch (c) {
      case L'\\': escaped += L"\\\\"; break;
      case L';': escaped += L"\\;"; break;
      case L',': escaped += L"\\,"; break;
      case L'\n': escaped += L"\\n"; break;
      default:
        if (c >= 0x20 || c == L'\t') escaped += c;  // no other control character is TEXT
    }
  }
  return Utf8(escaped);
}

std::wstring ExportFileName(int year) { return L"Tavilo-" + std::to_wstring(year) + L".ics"; }

std::string ICalendarText(const ICalendarRequest& request, std::span<const Event> events) {
  Writer file(request.stampUnixSeconds);
  file.Line("BEGIN", "VCALENDAR");
  file.Line("VERSION", "2.0");
  file.Line("PRODID", "-//Tavilo//Tavilo Shamsi calendar//FA");
  file.Line("CALSCALE", "GREGORIAN");
  file.Line("METHOD", "PUBLISH");
  file.Line("X-WR-CALNAME",
            EscapedText(kCalendarName + PersianDigits(std::to_wstring(request.year))));

  const DayRange days = CalendarDays();
  const int32_t first = std::max(days.first, FarvardinFirst(request.year));
  const int32_t last = std::min(days.last, FarvardinFirst(request.year + 1) - 1);
  const EventOccurrences occurrences(request.userEvents ? events : std::span<const Event>());
  const GregorianMonthNames& names = PersianGregorianMonthNames();
  for (int32_t day = first; day <= last; ++day) {
    const std::wstring date = FullDateLine(day, request.correctionDays, names);
    for (const Occasion& occasion : OccasionsOn(day, request.correctionDays)) {
      const std::wstring_view kind = occasion.dayOff ? kHoliday : kOccasion;
      file.AllDayEvent(day, Utf8(std::wstring(kind) + L"|" + occasion.name),
                 occasion.estimated ? occasion.name + kEstimatedMark : occasion.name, date,
                 kind, occasion.dayOff, OccasionKindName(occasion.kind));
    }
    for (std::size_t position : occurrences.OnDay(day, request.correctionDays)) {
      const Event& event = events[position];
      file.AllDayEvent(day, EventIdentity(event), event.title,
                 event.note.empty() ? date : date + L"\n" + event.note, kUserEvent, false);
    }
  }
  file.Line("END", "VCALENDAR");
  return file.Take();
}

std::wstring SaveExportFile(Platform& platform, const std::wstring& path, std::string_view bytes) {
  const std::wstring temporary = path + kTemporarySuffix;
  FileHandle file = 0;
  long error = platform.CreateFileForWriting(temporary, true, file);
  if (error == kErrorSuccess) {
    error = platform.WriteToFile(file, bytes);
    if (error == kErrorSuccess) error = platform.FlushFile(file);
    const long closeError = platform.CloseFile(file);
    if (error == kErrorSuccess) error = closeError;
    if (error == kErrorSuccess) error = platform.MoveFileOver(temporary, path);
    if (error != kErrorSuccess) platform.DeleteFileAt(temporary);
  }
  if (error == kErrorSuccess) return {};
  const std::size_t slash = path.rfind(L'\\');
  const std::wstring name = slash == std::wstring::npos ? path : path.substr(slash + 1);
  return kNotSaved + FileErrorReason(platform, error) + L" (" + name + L")";
}

std::wstring ExportSavedText(int year, std::string_view text, const std::wstring& path) {
  constexpr std::string_view kStart = "\r\nDTSTART;VALUE=DATE:";
  std::set<std::string_view> days;
  std::size_t entries = 0;
  for (std::size_t at = text.find(kStart); at != std::string_view::npos;
       at = text.find(kStart, at + 1)) {
    ++entries;
    days.insert(text.substr(at + kStart.size(), 8));
  }
  const auto number = [](std::size_t value) { return PersianDigits(std::to_wstring(value)); };
  return L"خروجی سال " + number(static_cast<std::size_t>(year)) + L": " + number(entries) +
         L" مورد در " + number(days.size()) + L" روز در \u200E" + path + L"\u200F نوشته شد";
}

}  // namespace tavilo
