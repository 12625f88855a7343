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
  std::vector<Rule> gregorian;
};

std::unique_ptr<AnnouncedRules>& Announced() {
  static std::unique_ptr<AnnouncedRules> rules;
  return rules;
}
const AnnouncedRules* announcedRules = nullptr;
unsigned hiddenKinds = 0;

// A rule's own Gregorian month and day; 29 February only in a leap year,
// which CivilFromDate gives by itself.
bool OnGregorianDate(const Rule& rule, const CivilDate& date) {
  return rule.month == date.month && rule.day == date.day;
}

// ForEachOccasion over given rules: the compiled arrays, whose sizes the
// compiler knows, or the announced ones.
template <typename ShamsiRules, typename QamariRules, typename GregorianRules, typename Visit>
void ForEachOccasionIn(const ShamsiRules& shamsiRules, const QamariRules& qamariRules,
                       const GregorianRules& gregorianRules, int32_t day, int correctionDays,
                       Visit visit) {
  const ShamsiDate shamsi = ShamsiFromDay(day);
  for (const Rule& rule : shamsiRules)
    if (rule.month == shamsi.month && rule.day == shamsi.day && shamsi.year >= rule.firstYear)
      visit(rule, false);

  const QamariDate qamari = QamariFromDay(day, correctionDays);
  if (qamari.year >= 1) {  // the lunar calendar begins with the Hijra
    for (const Rule& rule : qamariRules) {
      if (rule.month != qamari.month || shamsi.year < rule.firstYear) continue;
      if (rule.day == qamari.day || (rule.day == occasion_table::kLastDayOfMonth &&
                                     qamari.day == QamariMonthLength(qamari.year, qamari.month))) {
        visit(rule, qamari.estimated);
      }
    }
  }

  const CivilDate gregorian = CivilFromDate(static_cast<double>(day));
  for (const Rule& rule : gregorianRules)
    if (OnGregorianDate(rule, gregorian) && shamsi.year >= rule.firstYear) visit(rule, false);
}

// Calls visit(rule, estimated) for each occasion of the day, in OccasionsOn's
// order; `estimated` for a lunar one on an estimated lunar date. An occasion
// first kept in a later Shamsi year than the day's is not there yet.
template <typename Visit>
void ForEachOccasion(int32_t day, int correctionDays, Visit visit) {
  if (announcedRules) {
    ForEachOccasionIn(announcedRules->shamsi, announcedRules->qamari, announcedRules->gregorian,
                      day, correctionDays, visit);
  } else {
    ForEachOccasionIn(occasion_table::kShamsi, occasion_table::kQamari, occasion_table::kGregorian,
                      day, correctionDays, visit);
  }
}

// The kind of a user's line that gives none and matches no compiled occasion.
OccasionKind KindOfUndeclared(OccasionCalendar calendar) {
  switch (calendar) {
    case OccasionCalendar::kQamari: return OccasionKind::kReligious;
    case OccasionCalendar::kGregorian: return OccasionKind::kInternational;
    case OccasionCalendar::kShamsi: break;
  }
  return OccasionKind::kNational;
}

}  // namespace

std::vector<Occasion> OccasionsOn(int32_t day, int correctionDays) {
  std::vector<Occasion> occasions;
  ForEachOccasion(day, correctionDays, [&](const Rule& rule, bool estimated) {
    if (!rule.dayOff && (hiddenKinds & KindBit(rule.kind)) != 0) return;
    occasions.push_back({std::wstring(rule.name), rule.dayOff, estimated, rule.kind});
  });
  return occasions;
}

bool IsDayOff(int32_t day, int correctionDays) {
  if (ModFloor(day, 7) == kFridayOfWeek) return true;
  bool off = false;
  ForEachOccasion(day, correctionDays, [&](const Rule& rule, bool) { off = off || rule.dayOff; });
  return off;
}

void HideOccasionKinds(unsigned kinds) { hiddenKinds = kinds; }

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
  announced->gregorian.assign(std::begin(occasion_table::kGregorian),
                              std::end(occasion_table::kGregorian));
  for (const HolidayLine& line : announced->lines) {
    std::vector<Rule>& rules = line.calendar == OccasionCalendar::kQamari      ? announced->qamari
                               : line.calendar == OccasionCalendar::kGregorian ? announced->gregorian
                                                                               : announced->shamsi;
    const auto same = std::find_if(rules.begin(), rules.end(), [&](const Rule& compiled) {
      return compiled.month == line.month && compiled.day == line.day &&
             (compiled.name == line.name || compiled.formerName == line.name);
    });
    if (same != rules.end()) {
      // Under its compiled names, so that either still finds it.
      *same = {line.month, line.day, line.dayOff, line.firstYear, line.kind.value_or(same->kind),
               same->name, same->formerName};
    } else {
      rules.push_back({line.month, line.day, line.dayOff, line.firstYear,
                       line.kind.value_or(KindOfUndeclared(line.calendar)), line.name});
    }
  }
  announcedRules = announced.get();
  Announced() = std::move(announced);
}

}  // namespace tavilo
