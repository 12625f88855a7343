// What the date converter does with the three typed fields: when its button
// may be pressed, and the conversion in either direction down to the texts
// of the three output boxes. The typed numbers are read as year, month and
// day whatever the user's date format; Persian and Arabic-Indic digits count
// as digits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calendar/Class1.h"

namespace tavilo {

struct DateFields {
  std::wstring year;
  std::wstring month;
  std::wstring day;
  bool operator==(const DateFields&) const = default;
};

enum class ConvertDirection { kNone, kMiladiToShamsi, kShamsiToMiladi };

// The convert button is enabled exactly while all three boxes are non-empty.
bool ConvertEnabled(const DateFields& input);

// The texts of the output boxes after a press of the convert button, or
// nothing while no direction is chosen (the press changes nothing).
//
// Miladi to Shamsi: the Gregorian date of the three numbers (years 100 to
// 9999) becomes the Shamsi year, the 2-digit month and the 2-digit day.
// Anything that is not such a date, or falls before Shamsi year 1, shows
// kInvalidDateMessage through `messages` and empties the boxes.
//
// Shamsi to Miladi: the year as typed, then the month and the day padded to
// two characters with a leading "0", form the Shamsi date text given to the
// calendar. The result is the 4-digit year, the 2-digit month and the 2-digit
// day. When the calendar rejects the text or finds no day for it, it has
// shown its own message and the boxes are emptied.
std::optional<DateFields> ConvertDate(const Class1& calendar, ConvertDirection direction,
                                      const DateFields& input, const MessageFn& messages);

// The text with Persian and Arabic-Indic digits replaced by ASCII digits.
std::wstring WithAsciiDigits(std::wstring_view text);

}  // namespace tavilo
