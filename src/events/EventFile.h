// The events file: UTF-8 text, a first line "# Tavilo events 1", then one
// event a line, its fields separated by tabs:
//
//   calendar  shamsi | qamari | gregorian
//   date      Y/M/D (written without leading zeros, read with or without)
//   repeat    none | yearly | monthly
//   reminder  - | HH:MM | HH:MM,Nd (N is 1, 3 or 7)
//   shown     - | Y/M/D, the Gregorian date the last reminder was shown
//   title     never empty
//   note      may be empty
//
// In the title and note a tab, a line break and a backslash are written \t,
// \n and \\; a carriage return is dropped; any other backslash makes the line
// unreadable. Reading takes a UTF-8 byte-order mark and LF or CRLF line ends;
// writing gives CRLF without a mark.
//
// A line that cannot be read (edited by hand, written by a newer Tavilo) is
// kept and written back in its place, byte for byte apart from its line end.
// A file whose first line names a newer version is read but never written.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "events/Event.h"

namespace tavilo {

inline constexpr int kEventFileVersion = 1;

// A line that was not read as an event, without its line end.
struct KeptLine {
  std::size_t eventsBefore;  // the events before it in the file
  std::string bytes;
  bool operator==(const KeptLine&) const = default;
};

struct EventFile {
  // The version the first line names; a file without one counts as ours.
  int version = kEventFileVersion;
  std::vector<Event> events;
  // In file order; a blank line among them is kept but not counted as unread.
  std::vector<KeptLine> keptLines;

  // A newer version's file is read but not written, lest what it holds and
  // this version does not know be lost.
  bool Writable() const { return version <= kEventFileVersion; }
  // Kept lines that are not blank.
  std::size_t UnreadableLineCount() const;
  // A kept line is no UTF-8 text (a file saved in another encoding).
  bool HasUndecodableLine() const;

  // Edits that keep every kept line in its place among the events.
  void Add(Event event);
  void Remove(std::size_t position);
};

EventFile ParseEventFile(std::string_view bytes);
std::string WriteEventFile(const EventFile& file);

// One line (without its line end) as an event, or nothing when it is not one.
std::optional<Event> ParseEventLine(std::string_view line);
// One event as a line, without its line end.
std::string EventLine(const Event& event);

}  // namespace tavilo
