#include "tools/logic/CellSpeech.h"

#include "calendar/Occasions.h"
#include "ui/PersianDigits.h"

namespace tavilo {

std::wstring CellSpokenName(const MonthCell& cell, int correctionDays,
                            const GregorianMonthNames& names) {
  std::wstring name = FullDateLine(cell.day, correctionDays, names);
  if (cell.dayOff) name += L"، تعطیل";
  for (const Occasion& occasion : OccasionsOn(cell.day, correctionDays)) name += L"، " + occasion.name;
  if (cell.events > 0) name += L"، " + PersianDigits(std::to_wstring(cell.events)) + L" رویداد";
  return name;
}

}  // namespace tavilo
