#include "calendar/Occasions.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <utility>

#include "calendar/Numbers.h"
#include "calendar/OccasionTable.generated.h"
#include "calendar/Qamari.h"
#include "calendar/ShamsiArithmetic.h"

namespace tavilo {
namespace {

using occasion_table::Rule;

// Day number 0, 30 December 1899, was a Saturday.
constexpr int32_t kFridayOfWeek = 6;

static_assert(kLastDayOfLunarMonth == occasion_table::kLastDayOfMonth &&
              kKeptAlways == occasion_table::kAlways);

// The rules the lookups consult: the compiled ones, or those with a user's
// announced lines over them (UseAnnouncedOccasions).
struct AnnouncedRules {
  std::vector<HolidayLine> lines;  // owns the names the rules view
  std::vector<Rule> shamsi;
  std::vector<Rule> qamari;
};

std::unique_ptr<AnnouncedRules>& Announced() {
  static std::unique_ptr<AnnouncedRules> rules;
  return rules;
}
const AnnouncedRules* announcedRules = nullptr;

// ForEachOccasion over given rules: the compiled arrays, whose sizes the
// compiler knows, or the announced ones.
template <typename ShamsiRules, typename QamariRules, typename Visit>
void ForEachOccasionIn(const ShamsiRules& shamsiRules, const QamariRules& qamariRules,
                       int32_t day, int correctionDays, Visit visit) {
  const ShamsiDate shamsi = ShamsiFromDay(day);
  for (const Rule& rule : shamsiRules)
    if (rule.month == shamsi.month && rule.day == shamsi.day && shamsi.year >= rule.firstYear)
      visit(rule, false);

  const QamariDate qamari = QamariFromDay(day, correctionDays);
  if (qamari.year < 1) return;  // the lunar calendar begins with the Hijra
  for (const Rule& rule : qamariRules) {
    if (rule.month != qamari.month || shamsi.year < rule.firstYear) continue;
    if (rule.day == qamari.day || (rule.day == occasion_table::kLastDayOfMonth &&
                                   qamari.day == QamariMonthLength(qamari.year, qamari.month))) {
      visit(rule, qamari.estimated);
    }
  }
}

// Calls visit(rule, estimated) for each occasion of the day, in OccasionsOn's
// order; `estimated` for a lunar one on an estimated lunar date. An occasion
// first kept in a later Shamsi year than the day's is not there yet.
template <typename Visit>
void ForEachOccasion(int32_t day, int correctionDays, Visit visit) {
  if (announcedRules) {
    ForEachOccasionIn(announcedRules->shamsi, announcedRules->qamari, day, correctionDays, visit);
  } else {
    ForEachOccasionIn(occasion_table::kShamsi, occasion_table::kQamari, day, correctionDays, visit);
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

void UseAnnouncedOccasions(std::vector<HolidayLine> lines) {
  if (lines.empty()) {
    announcedRules = nullptr;
    Announced().reset();
    return;
  }
  auto announced = std::make_unique<AnnouncedRules>();
  announced->lines = std::move(lines);
  announced->shamsi.assign(std::begin(occasion_table::kShamsi), std::end(occasion_table::kShamsi));
  announced->qamari.assign(std::begin(occasion_table::kQamari), std::end(occasion_table::kQamari));
  for (const HolidayLine& line : announced->lines) {
    std::vector<Rule>& rules = line.qamari ? announced->qamari : announced->shamsi;
    const Rule rule{line.month, line.day, line.dayOff, line.firstYear, line.name};
    const auto same = std::find_if(rules.begin(), rules.end(), [&](const Rule& compiled) {
      return compiled.month == rule.month && compiled.day == rule.day && compiled.name == rule.name;
    });
    if (same != rules.end()) {
      *same = rule;
    } else {
      rules.push_back(rule);
    }
  }
  announcedRules = announced.get();
  Announced() = std::move(announced);
}

}  // namespace tavilo
