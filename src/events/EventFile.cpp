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
constexpr int kMaxDigits = 9;  // any more would overflow an int

constexpr std::array<std::string_view, 3> kCalendarNames = {"shamsi", "qamari", "gregorian"};
constexpr std::array<std::string_view, 3> kRepeatNames = {"none", "yearly", "monthly"};

// The fields are read from the front of the line, each helper taking what
// it reads off `rest`: one pass over the bytes, with no search for the tabs
// of the short fields.

bool TakeChar(std::string_view& rest, char c) {
  if (rest.empty() || rest.front() != c) return false;
  rest.remove_prefix(1);
  return true;
}

// One of `names` followed by a tab: its position, or -1.
template <std::size_t N>
int TakeName(std::string_view& rest, const std::array<std::string_view, N>& names) {
  for (std::size_t i = 0; i < N; ++i) {
    if (rest.size() > names[i].size() && rest.starts_with(names[i]) &&
        rest[names[i].size()] == '\t') {
      rest.remove_prefix(names[i].size() + 1);
      return static_cast<int>(i);
    }
  }
  return -1;
}

// A whole number of 1 to kMaxDigits decimal digits, or -1.
int TakeNumber(std::string_view& rest) {
  std::size_t at = 0;
  int value = 0;
  for (; at < rest.size() && rest[at] >= '0' && rest[at] <= '9'; ++at) {
    if (at == kMaxDigits) return -1;
    value = value * 10 + (rest[at] - '0');
  }
  if (at == 0) return -1;
  rest.remove_prefix(at);
  return value;
}

// Y/M/D; the caller checks that the date exists.
bool TakeDate(std::string_view& rest, EventDate& date) {
  date.year = TakeNumber(rest);
  if (date.year < 0 || !TakeChar(rest, '/')) return false;
  date.month = TakeNumber(rest);
  if (date.month < 0 || !TakeChar(rest, '/')) return false;
  date.day = TakeNumber(rest);
  return date.day >= 0;
}

// "-" for none, or HH:MM with an optional ",Nd"; then a tab.
bool TakeReminder(std::string_view& rest, std::optional<EventReminder>& reminder) {
  if (TakeChar(rest, '-')) return TakeChar(rest, '\t');
  const int hour = TakeNumber(rest);
  if (hour < 0 || hour > 23 || !TakeChar(rest, ':')) return false;
  const int minute = TakeNumber(rest);
  if (minute < 0 || minute > 59) return false;
  int daysBefore = 0;
  if (TakeChar(rest, ',')) {
    daysBefore = TakeNumber(rest);
    if (daysBefore <= 0 || !IsReminderLead(daysBefore) || !TakeChar(rest, 'd')) return false;
  }
  reminder = EventReminder{hour * 60 + minute, daysBefore};
  return TakeChar(rest, '\t');
}

// "-" or the Gregorian date; then a tab.
bool TakeShownDate(std::string_view& rest, std::optional<EventDate>& shown) {
  if (TakeChar(rest, '-')) return TakeChar(rest, '\t');
  EventDate date;
  if (!TakeDate(rest, date) || !IsValidEventDate(EventCalendar::Gregorian, date)) return false;
  shown = date;
  return TakeChar(rest, '\t');
}

// A title or note: escapes undone, carriage returns dropped, UTF-8 decoded.
// False for an unknown escape, malformed UTF-8 or a NUL character. Text
// never has more characters than bytes: a short field is decoded on the
// stack and copied once into a string of its exact length.
bool Unescape(std::string_view field, std::wstring& text) {
  constexpr std::size_t kOnStack = 256;
  wchar_t stack[kOnStack];
  std::wstring heap(field.size() > kOnStack ? field.size() : 0, L'\0');
  wchar_t* const start = field.size() > kOnStack ? heap.data() : stack;
  wchar_t* out = start;
  Utf8Decoder decoder;
  for (std::size_t at = 0; at < field.size(); ++at) {
    const auto c = static_cast<unsigned char>(field[at]);
    if (c == '\\' || c == '\r' || c == 0) [[unlikely]] {
      if (c == 0 || !decoder.Complete()) return false;
      if (c == '\r') continue;
      const char escaped = ++at < field.size() ? field[at] : '\0';
      const wchar_t unescaped = escaped == 't'    ? L'\t'
                                : escaped == 'n'  ? L'\n'
                                : escaped == '\\' ? L'\\'
                                                  : L'\0';
      if (unescaped == L'\0') return false;
      *out++ = unescaped;
    } else if (!decoder.Take(c, out)) {
      return false;
    }
  }
  text.assign(start, out);
  return decoder.Complete();
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
  std::string_view rest = line.substr(kHeaderStart.size());
  const int version = TakeNumber(rest);
  if (!rest.empty() || version < kEventFileVersion) return std::nullopt;
  return version;
}

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t\r") == std::string_view::npos;
}

// Reads a line into `event` (default-constructed); false when it is no event.
bool ReadEventLine(std::string_view line, Event& event) {
  std::string_view rest = line;
  const int calendar = TakeName(rest, kCalendarNames);
  if (calendar < 0 || !TakeDate(rest, event.date) || !TakeChar(rest, '\t')) return false;
  const int repeat = TakeName(rest, kRepeatNames);
  if (repeat < 0 || !TakeReminder(rest, event.reminder) ||
      !TakeShownDate(rest, event.lastReminderShown)) {
    return false;
  }
  event.calendar = static_cast<EventCalendar>(calendar);
  event.repeat = static_cast<EventRepeat>(repeat);
  if (!IsValidEventDate(event.calendar, event.date)) return false;
  // The title, then the note, which may be left out with its tab when empty.
  const std::size_t tab = rest.find('\t');
  const std::string_view note =
      tab == std::string_view::npos ? std::string_view() : rest.substr(tab + 1);
  return note.find('\t') == std::string_view::npos &&  // no field too many
         Unescape(rest.substr(0, tab), event.title) && !event.title.empty() &&
         Unescape(note, event.note);
}

}  // namespace

std::size_t EventFile::UnreadableLineCount() const {
  std::size_t count = 0;
  for (const KeptLine& line : keptLines) count += !IsBlank(line.bytes);
  return count;
}

bool EventFile::HasUndecodableLine() const {
  for (const KeptLine& line : keptLines)
    if (line.bytes.find('\0') != std::string::npos || !DecodedUtf8(line.bytes)) return true;
  return false;
}

void EventFile::Add(Event event) { events.push_back(std::move(event)); }

void EventFile::Remove(std::size_t position) {
  events.erase(events.begin() + static_cast<std::ptrdiff_t>(position));
  for (KeptLine& line : keptLines)
    if (line.eventsBefore > position) --line.eventsBefore;
}

std::optional<Event> ParseEventLine(std::string_view line) {
  Event event;
  if (!ReadEventLine(line, event)) return std::nullopt;
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
  // Room for every line at once: growing moves every event read so far.
  std::size_t lines = 1;
  for (std::size_t at = bytes.find('\n'); at != std::string_view::npos;
       at = bytes.find('\n', at + 1))
    ++lines;
  file.events.reserve(lines);
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
    if (!ReadEventLine(line, file.events.emplace_back())) {
      file.events.pop_back();
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
    if (position < file.events.size())
      text.append(EventLine(file.events[position])).append(kLineEnd);
  }
  return text;
}

}  // namespace tavilo
