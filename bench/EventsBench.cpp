// The user's events against what they add to: the month view with 1,000
// events (its per-day marks) beside the month view alone, and reading a file
// of 10,000 events beside splitting the same file into line strings. Each
// pair runs in one program so that their ratio holds on any machine.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "events/EventFile.h"
#include "tools/logic/MonthView.h"

namespace tavilo::bench {
namespace {

// A mix as people keep them: mostly yearly birthdays and anniversaries on
// Shamsi and lunar dates, some monthly payments, some one-off days.
std::vector<Event> SomeEvents(int count) {
  std::mt19937 random(1405);
  std::vector<Event> events;
  const int32_t first = DayOfEventDate(EventCalendar::Shamsi, {1360, 1, 1}, 0);
  while (static_cast<int>(events.size()) < count) {
    const unsigned kind = random() % 10;
    const auto calendar = kind < 5   ? EventCalendar::Shamsi
                          : kind < 8 ? EventCalendar::Qamari
                                     : EventCalendar::Gregorian;
    const auto repeat = kind % 5 == 4 ? EventRepeat::Monthly
                        : kind == 3   ? EventRepeat::None
                                      : EventRepeat::Yearly;
    const EventDate date =
        EventDateOfDay(calendar, first + static_cast<int32_t>(random() % 16000), 0);
    std::optional<EventReminder> reminder;
    if (kind % 2) reminder = EventReminder{9 * 60, 1};
    events.push_back({calendar,
                      date,
                      repeat,
                      reminder,
                      {},
                      L"تولد مادر بزرگ " + std::to_wstring(events.size()),
                      kind % 3 ? L"" : L"کیک\nو گل"});
  }
  return events;
}

const std::string& TenThousandEventFile() {
  static const std::string text = [] {
    EventFile file;
    file.events = SomeEvents(10000);
    return WriteEventFile(file);
  }();
  return text;
}

// The months of two years, one a call.
ShamsiMonth MonthAt(std::size_t call) { return AddMonths({1404, 1}, static_cast<int>(call % 24)); }

void BM_MonthView_NoEvents(benchmark::State& state) {
  const GregorianMonthNames& names = PersianGregorianMonthNames();
  std::size_t call = 0;
  for (auto _ : state) benchmark::DoNotOptimize(BuildMonthView(MonthAt(call++), 0, names));
}
BENCHMARK(BM_MonthView_NoEvents);

void BM_MonthView_1000Events(benchmark::State& state) {
  const GregorianMonthNames& names = PersianGregorianMonthNames();
  // Built when the events are read or changed, not for each view.
  const EventOccurrences occurrences(SomeEvents(1000));
  std::size_t call = 0;
  for (auto _ : state) {
    MonthView view = BuildMonthView(MonthAt(call++), 0, names);
    benchmark::DoNotOptimize(view);
    benchmark::DoNotOptimize(occurrences.CountsOfDays(view.cells[0].day, kGridCells, 0));
  }
}
BENCHMARK(BM_MonthView_1000Events);

// The marks alone, over the same months' weeks.
void BM_MonthMarks_1000Events(benchmark::State& state) {
  const EventOccurrences occurrences(SomeEvents(1000));
  std::size_t call = 0;
  for (auto _ : state) {
    const ShamsiMonth month = MonthAt(call++);
    const int32_t first = DayOfEventDate(EventCalendar::Shamsi, {month.year, month.month, 1}, 0);
    benchmark::DoNotOptimize(occurrences.CountsOfDays(first - 6, kGridCells, 0));
  }
}
BENCHMARK(BM_MonthMarks_1000Events);

// What a change to the events costs the view: arranging them again.
void BM_Arrange1000Events(benchmark::State& state) {
  const std::vector<Event> events = SomeEvents(1000);
  for (auto _ : state) benchmark::DoNotOptimize(EventOccurrences(events));
}
BENCHMARK(BM_Arrange1000Events);

// The same file on the disk (the page cache), read as a program reads a
// text file: line by line into strings, or whole and then parsed.
const char* TenThousandEventPath() {
  static const std::string path = [] {
    std::string name = "/tmp/tavilo-events-bench-" + std::to_string(::getpid()) + ".tsv";
    std::ofstream(name, std::ios::binary) << TenThousandEventFile();
    return name;
  }();
  return path.c_str();
}

void BM_File10000_Lines(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream file(TenThousandEventPath(), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);) lines.push_back(std::move(line));
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_File10000_Lines)->Unit(benchmark::kMicrosecond);

void BM_File10000_Events(benchmark::State& state) {
  for (auto _ : state) {
    std::ifstream file(TenThousandEventPath(), std::ios::binary | std::ios::ate);
    std::string bytes(static_cast<std::size_t>(file.tellg()), '\0');
    file.seekg(0).read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    benchmark::DoNotOptimize(ParseEventFile(bytes));
  }
}
BENCHMARK(BM_File10000_Events)->Unit(benchmark::kMicrosecond);

// From memory: the file's bytes split into line strings, or parsed.
void BM_Read10000_Lines(benchmark::State& state) {
  const std::string& text = TenThousandEventFile();
  for (auto _ : state) {
    std::vector<std::string> lines;
    std::string_view rest = text;
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n');
      lines.emplace_back(rest.substr(0, end));
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    benchmark::DoNotOptimize(lines);
  }
}
BENCHMARK(BM_Read10000_Lines)->Unit(benchmark::kMicrosecond);

void BM_Read10000_Events(benchmark::State& state) {
  const std::string& text = TenThousandEventFile();
  for (auto _ : state) benchmark::DoNotOptimize(ParseEventFile(text));
}
BENCHMARK(BM_Read10000_Events)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tavilo::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::remove(tavilo::bench::TenThousandEventPath());
}
