// libFuzzer target for the events file: any bytes are read, and for a file
// Tavilo may write, saving (with an edit or without) must give back every
// unread line unchanged and in its place, and every event as it was read.
// A broken property traps.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "events/EventFile.h"

namespace tavilo {
namespace {

void Require(bool property) {
  if (!property) __builtin_trap();
}

std::vector<std::string> KeptBytes(const EventFile& file) {
  std::vector<std::string> bytes;
  for (const KeptLine& line : file.keptLines) bytes.push_back(line.bytes);
  return bytes;
}

void Check(std::string_view input) {
  EventFile file = ParseEventFile(input);
  // The month view's marks of the events read, at the year they start in.
  if (!file.events.empty()) {
    const Event& first = file.events.front();
    EventOccurrences(file.events)
        .CountsOfDays(DayOfEventDate(first.calendar, first.date, 0) - 20, 42, 1);
  }
  if (!file.Writable()) return;

  const std::string saved = WriteEventFile(file);
  const EventFile back = ParseEventFile(saved);
  Require(back.keptLines == file.keptLines);
  Require(back.events == file.events);
  Require(WriteEventFile(back) == saved);

  // An edit moves no unread line past another one.
  const std::vector<std::string> kept = KeptBytes(file);
  if (!file.events.empty()) file.Remove(0);
  file.Add(Event{EventCalendar::Shamsi, {1405, 1, 1}, EventRepeat::None, {}, {}, L"t", {}});
  Require(KeptBytes(ParseEventFile(WriteEventFile(file))) == kept);
}

}  // namespace
}  // namespace tavilo

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tavilo::Check(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
