#include "tools/logic/Timetable.h"

#include "calendar/Numbers.h"
#include "calendar/Occasions.h"
#include "calendar/Qamari.h"
#include "calendar/ShamsiArithmetic.h"
#include "events/Utf8.h"
#include "tools/logic/PrayerChoice.h"
#include "ui/PersianDigits.h"

namespace tavilo {
namespace {

constexpr int kRamadan = 9;
constexpr std::wstring_view kEstimatedMark = L" (تخمینی)";
constexpr std::wstring_view kOtherDayHeader = L"روز دیگر";

std::wstring Number(int value) { return PersianDigits(std::to_wstring(value)); }

std::wstring InDigits(std::wstring text, bool persianDigits) {
  return persianDigits ? text : LatinDigits(std::move(text));
}

std::wstring HtmlEscaped(const std::wstring& text) {
  std::wstring escaped;
  for (wchar_t c : text) {
    switch (c) {
      case L'&': escaped += L"&amp;"; break;
      case L'<': escaped += L"&lt;"; break;
      case L'>': escaped += L"&gt;"; break;
      case L'"': escaped += L"&quot;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// A field quoted where it holds a separator, a quote or a line break.
std::wstring CsvField(const std::wstring& text) {
  if (text.find_first_of(L",\"\r\n") == std::wstring::npos) return text;
  std::wstring quoted = L"\"";
  for (wchar_t c : text) quoted += c == L'"' ? std::wstring(L"\"\"") : std::wstring(1, c);
  return quoted + L"\"";
}

std::wstring CsvLine(const std::vector<std::wstring>& fields) {
  std::wstring line;
  for (const std::wstring& field : fields) line += (line.empty() ? L"" : L",") + CsvField(field);
  return line + L"\r\n";
}

}  // namespace

Timetable BuildTimetable(Platform& platform, ShamsiMonth month, const PrayerSource& source,
                         const DayPrayers& prayers, int correctionDays, int32_t today,
                         const GregorianMonthNames& names) {
  const MonthView view = BuildMonthView(month, correctionDays, names);
  Timetable table;
  table.month = month;
  table.heading = PrayerHeading(platform, prayers) + L" – " + view.heading;
  table.subheading = view.gregorianSpan;
  if (!view.qamariSpan.empty()) table.subheading += L"، " + view.qamariSpan;
  table.method = L"روش محاسبه: " + std::wstring(PrayerMethodName(source.method.method));
  table.columns = ShownKinds(source.withAsrAndIsha);
  for (const MonthCell& cell : view.cells) {
    if (!cell.inMonth) continue;
    TimetableRow row;
    row.day = cell.day;
    row.weekDay = WeekDayNames()[static_cast<std::size_t>(ModFloor(cell.day, kWeekDays))];
    row.shamsi = Number(cell.shamsiDay);
    const CivilDate gregorian = CivilFromDate(static_cast<double>(cell.day));
    row.gregorian = Number(gregorian.day) + L" " + names[static_cast<std::size_t>(gregorian.month - 1)];
    const QamariDate qamari = QamariFromDay(cell.day, correctionDays);
    if (qamari.year >= 1) {
      row.qamari = Number(qamari.day) + L" " + std::wstring(QamariMonthName(qamari.month));
      if (qamari.estimated) row.qamari += kEstimatedMark;
      row.ramadan = qamari.month == kRamadan;
    }
    const PrayerTimes times = PrayerTimesOn(cell.day, source.place, source.method);
    for (PrayerTimeKind kind : table.columns) {
      row.times.push_back(DayTimeOf(platform, cell.day, MomentOf(times, kind)));
    }
    row.dayOff = cell.dayOff;
    row.today = cell.day == today;
    table.rows.push_back(std::move(row));
  }
  return table;
}

std::vector<std::wstring> TimetableHeaderCells(const Timetable& table) {
  std::vector<std::wstring> cells = {L"روز", L"شمسی", L"میلادی", L"قمری"};
  for (PrayerTimeKind kind : table.columns) cells.emplace_back(PrayerTimeName(kind));
  cells.emplace_back(L"توضیح");
  return cells;
}

std::vector<std::wstring> TimetableRowCells(const TimetableRow& row, bool persianDigits) {
  std::vector<std::wstring> cells = {row.weekDay, row.shamsi, row.gregorian, row.qamari};
  for (const DayTime& time : row.times) cells.push_back(DayTimeText(time));
  cells.emplace_back(row.ramadan ? kRamadanNote : L"");
  for (std::wstring& cell : cells) cell = InDigits(std::move(cell), persianDigits);
  return cells;
}

std::string TimetableHtml(const Timetable& table, bool persianDigits) {
  std::wstring page =
      L"<!DOCTYPE html>\n<html dir=\"rtl\" lang=\"fa\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
      HtmlEscaped(InDigits(table.heading, persianDigits)) +
      L"</title>\n<style>\n"
      L"body { font-family: Tahoma, \"Vazirmatn\", \"DejaVu Sans\", sans-serif; margin: 1em; }\n"
      L"h1 { font-size: 14pt; margin: 0 0 2pt; } p { margin: 0 0 6pt; font-size: 9pt; }\n"
      L"table { border-collapse: collapse; width: 100%; font-size: 7pt; }\n"
      L"th, td { border: 0.5pt solid #888; padding: 1.5pt 1.5pt; text-align: center; "
      L"white-space: nowrap; }\n"
      L"th { background: #e8eef5; } tr.off td { color: #c00000; }\n"
      L"tr.today td { background: #fff3c4; font-weight: bold; }\n"
      L"footer { margin-top: 6pt; font-size: 8pt; color: #444; }\n"
      L"@page { size: A4 portrait; margin: 8mm; }\n"
      L"@media print { body { margin: 0; } tr { break-inside: avoid; } "
      L"th { -webkit-print-color-adjust: exact; print-color-adjust: exact; } }\n"
      L"</style>\n</head>\n<body>\n<h1>" +
      HtmlEscaped(InDigits(table.heading, persianDigits)) + L"</h1>\n<p>" +
      HtmlEscaped(InDigits(table.subheading, persianDigits)) + L"</p>\n<table>\n<thead><tr>";
  for (const std::wstring& cell : TimetableHeaderCells(table)) {
    page += L"<th>" + HtmlEscaped(cell) + L"</th>";
  }
  page += L"</tr></thead>\n<tbody>\n";
  for (const TimetableRow& row : table.rows) {
    std::wstring classes = row.dayOff ? L"off" : L"";
    if (row.today) classes += classes.empty() ? L"today" : L" today";
    page += classes.empty() ? L"<tr>" : L"<tr class=\"" + classes + L"\">";
    for (const std::wstring& cell : TimetableRowCells(row, persianDigits)) {
      page += L"<td>" + HtmlEscaped(cell) + L"</td>";
    }
    page += L"</tr>\n";
  }
  page += L"</tbody>\n</table>\n<footer>" + HtmlEscaped(table.method) +
          L" · Tavilo</footer>\n</body>\n</html>\n";
  std::string bytes;
  AppendUtf8(bytes, page);
  return bytes;
}

std::string TimetableCsv(const Timetable& table) {
  std::vector<std::wstring> header = TimetableHeaderCells(table);
  header.back() = kOtherDayHeader;
  std::wstring text = CsvLine(header);
  for (const TimetableRow& row : table.rows) {
    std::vector<std::wstring> fields = {row.weekDay, row.shamsi, row.gregorian, row.qamari};
    std::wstring otherDay;
    for (std::size_t column = 0; column < row.times.size(); ++column) {
      const DayTime& time = row.times[column];
      fields.push_back(time.local ? ClockText(*time.local) : L"");
      if (time.dayShift == 0) continue;
      if (!otherDay.empty()) otherDay += L"، ";
      otherDay += std::wstring(PrayerTimeName(table.columns[column])) +
                  (time.dayShift > 0 ? L": فردا" : L": دیروز");
    }
    fields.push_back(otherDay);
    for (std::wstring& field : fields) field = LatinDigits(std::move(field));
    text += CsvLine(fields);
  }
  std::string bytes = "\xEF\xBB\xBF";
  AppendUtf8(bytes, text);
  return bytes;
}

}  // namespace tavilo
