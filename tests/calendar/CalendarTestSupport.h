// A calendar with a hand-set clock and a message recorder, for tests.
#pragma once

#include <string>
#include <vector>

#include "calendar/Class1.h"
#include "calendar/Numbers.h"

namespace tavilo::test {

struct RecordingCalendar {
  double now = DateSerial(2026, 12, 5) + 0.5;  // Saturday 14 Azar 1405, noon
  std::vector<std::wstring> messages;
  Class1 calendar{[this] { return now; }, [this](const std::wstring& m) { messages.push_back(m); }};
};

}  // namespace tavilo::test
