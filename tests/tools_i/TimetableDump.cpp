// A month's timetable for Tehran as HTML and CSV: timetable_dump <year> <month> <html> <csv>
#include <fstream>

#include "calendar/ShamsiArithmetic.h"
#include "platform/fake/FakePlatform.h"
#include "tools/logic/Timetable.h"

int main(int argc, char** argv) {
  using namespace tavilo;
  if (argc != 5) return 2;
  FakePlatform platform;
  platform.timeZone = TimeZoneRule{-210, 0, 0, {}, {}};
  const ShamsiMonth month{std::stoi(argv[1]), std::stoi(argv[2])};
  const PrayerSource source{{35.69439, 51.42151}, PrayerSettings{}, true};
  const int32_t first = DayFromShamsi({month.year, month.month, 1});
  const DayPrayers prayers{PrayerTimesOn(first, source.place, source.method), L"تهران", true, false};
  const Timetable table =
      BuildTimetable(platform, month, source, prayers, 0, first + 10, PersianGregorianMonthNames());
  std::ofstream(argv[3], std::ios::binary) << TimetableHtml(table, true);
  std::ofstream(argv[4], std::ios::binary) << TimetableCsv(table);
}
