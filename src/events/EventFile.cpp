#include "events/EventFile.h"

#include <array>
#include <utility>

#include "events/Utf8.h"

namespace tavilo {
namespace {

constexpr std::string_view kHeaderStart = "# Tavilo events ";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kNone = "-";
constexpr std::size_t kFieldCount = 7;
constexpr int kMaxDigits = 9;  // any more would overflow an int

constexpr std::array<std::string_view, 3> kCalendarNames = {"shamsi", "qamari", "gregorian"};
constexpr std::array<std::string_view, 3> kRepeatNames = {"none", "yearly", "monthly"};

// The position of `word` in `names`, or -1.
template <std::size_t N>
int IndexOf(const std::array<std::string_view, N>& names, std::string_view word) {
  for (std::size_t i = 0; i < N; ++i)
    if (names[i] == word) return static_cast<int>(i);
  return -1;
}

// A whole number of 1 to kMaxDigits decimal digits, or -1.
int Number(std::string_view text) {
  if (text.empty() || text.size() > kMaxDigits) return -1;
  int value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Splits at the first `separator`: the part before it, and the rest after it
// (nothing left when there is no separator).
std::string_view Before(std::string_view& rest, char separator) {
  const std::size_t at = rest.find(separator);
  const std::string_view part = rest.substr(0, at);
  rest = at == std::string_view::npos ? std::string_view() : rest.substr(at + 1);
  return part;
}

// The fields are checked for a real date by the caller.
bool ParseDate(std::string_view text, EventDate& date) {
  date.year = Number(Before(text, '/'));
  date.month = Number(Before(text, '/'));
  date.day = Number(text);
  return date.year >= 0 && date.month >= 0 && date.day >= 0;
}

// "-" is no reminder.
bool ParseReminder(std::string_view text, std::optional<EventReminder>& reminder) {
  if (text == kNone) return true;
  std::string_view time = Before(text, ',');
  const std::string_view hours = Before(time, ':');
  const int hour = hours.size() <= 2 ? Number(hours) : -1;
  const int minute = time.size() <= 2 ? Number(time) : -1;
  if (hour < 0 || minute < 0 || hour > 23 || minute > 59) return false;
  int daysBefore = 0;
  if (!text.empty()) {
    if (text.size() != 2 || text[1] != 'd') return false;
    daysBefore = text[0] - '0';
    if (daysBefore == 0 || !IsReminderLead(daysBefore)) return false;
  }
  reminder = EventReminder{hour * 60 + minute, daysBefore};
  return true;
}

bool ParseShownDate(std::string_view text, std::optional<EventDate>& shown) {
  if (text == kNone) return true;
  EventDate date;
  if (!ParseDate(text, date) || !IsValidEventDate(EventCalendar::Gregorian, date)) return false;
  shown = date;
  return true;
}

// A title or note: escapes undone, carriage returns dropped, UTF-8 decoded.
// False for an unknown escape, malformed UTF-8 or a NUL character.
bool Unescape(std::string_view field, std::wstring& text) {
  text.reserve(field.size());
  for (std::size_t at = 0; at < field.size();) {
    const char c = field[at];
    if (c == '\\') {
      if (at + 1 == field.size()) return false;
      switch (field[at + 1]) {
        case 't': text += L'\t'; break;
        case 'n': text += L'\n'; break;
        case '\\': text += L'\\'; break;
        default: return false;
      }
      at += 2;
    } else if (c == '\r') {
      ++at;
    } else if (static_cast<unsigned char>(c) < 0x80 && c != 0) {
      text += static_cast<wchar_t>(c);
      ++at;
    } else {
      const std::optional<char32_t> decoded = DecodeUtf8(field, at);
      if (!decoded || *decoded == 0) return false;
      AppendCodePoint(text, *decoded);
    }
  }
  return true;
}

void AppendEscaped(std::string& line, std::wstring_view text) {
  std::size_t plain = 0;  // start of the run not yet appended
  for (std::size_t i = 0; i <= text.size(); ++i) {
    const wchar_t c = i < text.size() ? text[i] : L'\0';
    if (i < text.size() && c != L'\t' && c != L'\n' && c != L'\\' && c != L'\r') continue;
    AppendUtf8(line, text.substr(plain, i - plain));
    plain = i + 1;
    if (c == L'\t') line += "\\t";
    if (c == L'\n') line += "\\n";
    if (c == L'\\') line += "\\\\";
  }
}

void AppendDate(std::string& line, const EventDate& date) {
  line.append(std::to_string(date.year)).append("/");
  line.append(std::to_string(date.month)).append("/");
  line.append(std::to_string(date.day));
}

void AppendTwoDigits(std::string& line, int value) {
  line += static_cast<char>('0' + value / 10);
  line += static_cast<char>('0' + value % 10);
}

// The version the first line names, or nothing when it is no version line.
std::optional<int> HeaderVersion(std::string_view line) {
  if (!line.starts_with(kHeaderStart)) return std::nullopt;
  const int version = Number(line.substr(kHeaderStart.size()));
  if (version < kEventFileVersion) return std::nullopt;
  return version;
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

}  // namespace

std::size_t EventFile::UnreadableLineCount() const {
  std::size_t count = 0;
  for (const KeptLine& line : keptLines) count += !IsBlank(line.bytes);
  return count;
}

void EventFile::Add(Event event) { events.push_back(std::move(event)); }

void EventFile::Remove(std::size_t position) {
  events.erase(events.begin() + static_cast<std::ptrdiff_t>(position));
  for (KeptLine& line : keptLines)
    if (line.eventsBefore > position) --line.eventsBefore;
}

std::optional<Event> ParseEventLine(std::string_view line) {
  std::array<std::string_view, kFieldCount> fields{};
  std::size_t count = 0;
  for (std::string_view rest = line;; ++count) {
    if (count == kFieldCount) return std::nullopt;  // a tab too many
    const std::size_t tab = rest.find('\t');
    fields[count] = rest.substr(0, tab);
    if (tab == std::string_view::npos) break;
    rest.remove_prefix(tab + 1);
  }
  // The note's field may be left out altogether when it is empty.
  if (count + 1 < kFieldCount - 1) return std::nullopt;

  Event event;
  const int calendar = IndexOf(kCalendarNames, fields[0]);
  const int repeat = IndexOf(kRepeatNames, fields[2]);
  if (calendar < 0 || repeat < 0 || !ParseDate(fields[1], event.date) ||
      !ParseReminder(fields[3], event.reminder) ||
      !ParseShownDate(fields[4], event.lastReminderShown)) {
    return std::nullopt;
  }
  event.calendar = static_cast<EventCalendar>(calendar);
  event.repeat = static_cast<EventRepeat>(repeat);
  if (!IsValidEventDate(event.calendar, event.date)) return std::nullopt;
  if (!Unescape(fields[5], event.title) || event.title.empty()) return std::nullopt;
  if (!Unescape(fields[6], event.note)) return std::nullopt;
  return event;
}

std::string EventLine(const Event& event) {
  std::string line;
  line.reserve(48 + event.title.size() + event.note.size());
  line.append(kCalendarNames[static_cast<int>(event.calendar)]).append("\t");
  AppendDate(line, event.date);
  line.append("\t").append(kRepeatNames[static_cast<int>(event.repeat)]).append("\t");
  if (event.reminder) {
    AppendTwoDigits(line, event.reminder->minuteOfDay / 60);
    line += ':';
    AppendTwoDigits(line, event.reminder->minuteOfDay % 60);
    if (event.reminder->daysBefore > 0)
      line.append(",").append(std::to_string(event.reminder->daysBefore)).append("d");
  } else {
    line.append(kNone);
  }
  line += '\t';
  if (event.lastReminderShown) {
    AppendDate(line, *event.lastReminderShown);
  } else {
    line.append(kNone);
  }
  line += '\t';
  AppendEscaped(line, event.title);
  line += '\t';
  AppendEscaped(line, event.note);
  return line;
}

EventFile ParseEventFile(std::string_view bytes) {
  EventFile file;
  if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
  bool first = true;
  while (!bytes.empty()) {
    const std::size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (std::exchange(first, false)) {
      if (const std::optional<int> version = HeaderVersion(line)) {
        file.version = *version;
        continue;
      }
    }
    if (std::optional<Event> event = ParseEventLine(line)) {
      file.events.push_back(std::move(*event));
    } else {
      file.keptLines.push_back({file.events.size(), std::string(line)});
    }
  }
  return file;
}

std::string WriteEventFile(const EventFile& file) {
  std::string text;
  text.append(kHeaderStart).append(std::to_string(kEventFileVersion)).append(kLineEnd);
  auto kept = file.keptLines.begin();
  for (std::size_t position = 0; position <= file.events.size(); ++position) {
    for (; kept != file.keptLines.end() && kept->eventsBefore <= position; ++kept)
      text.append(kept->bytes).append(kLineEnd);
    if (position < file.events.size()) text.append(EventLine(file.events[position])).append(kLineEnd);
  }
  return text;
}

}  // namespace tavilo
