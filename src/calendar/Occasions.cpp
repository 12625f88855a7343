#include "calendar/Occasions.h"

#include "calendar/Numbers.h"
#include "calendar/OccasionTable.generated.h"
#include "calendar/Qamari.h"
#include "calendar/ShamsiArithmetic.h"

namespace tavilo {
namespace {

using occasion_table::Rule;

// Day number 0, 30 December 1899, was a Saturday.
constexpr int32_t kFridayOfWeek = 6;

// Calls visit(rule, estimated) for each occasion of the day, in OccasionsOn's
// order; `estimated` for a lunar one on an estimated lunar date. An occasion
// first kept in a later Shamsi year than the day's is not there yet.
template <typename Visit>
void ForEachOccasion(int32_t day, int correctionDays, Visit visit) {
  const ShamsiDate shamsi = ShamsiFromDay(day);
  for (const Rule& rule : occasion_table::kShamsi)
    if (rule.month == shamsi.month && rule.day == shamsi.day && shamsi.year >= rule.firstYear)
      visit(rule, false);

  const QamariDate qamari = QamariFromDay(day, correctionDays);
  if (qamari.year < 1) return;  // the lunar calendar begins with the Hijra
  for (const Rule& rule : occasion_table::kQamari) {
    if (rule.month != qamari.month || shamsi.year < rule.firstYear) continue;
    if (rule.day == qamari.day || (rule.day == occasion_table::kLastDayOfMonth &&
                                   qamari.day == QamariMonthLength(qamari.year, qamari.month))) {
      visit(rule, qamari.estimated);
    }
  }
}

}  // namespace

std::vector<Occasion> OccasionsOn(int32_t day, int correctionDays) {
  std::vector<Occasion> occasions;
  ForEachOccasion(day, correctionDays, [&](const Rule& rule, bool estimated) {
    occasions.push_back({std::wstring(rule.name), rule.dayOff, estimated});
  });
  return occasions;
}

bool IsDayOff(int32_t day, int correctionDays) {
  if (ModFloor(day, 7) == kFridayOfWeek) return true;
  bool off = false;
  ForEachOccasion(day, correctionDays, [&](const Rule& rule, bool) { off = off || rule.dayOff; });
  return off;
}

}  // namespace tavilo
