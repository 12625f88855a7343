// A day cell as a screen reader says it.
#include "tools/logic/CellSpeech.h"

#include <gtest/gtest.h>

#include "calendar/Numbers.h"

namespace tavilo {
namespace {

TEST(CellSpeechTest, TheDateLineThenADayOffItsOccasionsAndTheEvents) {
  const GregorianMonthNames names{L"ژانویه", L"فوریه", L"مارس", L"آوریل", L"مه", L"ژوئن",
                                  L"ژوئیه", L"اوت", L"سپتامبر", L"اکتبر", L"نوامبر", L"دسامبر"};
  const int32_t nowruz = static_cast<int32_t>(DateSerial(2026, 3, 21));
  const std::wstring line = FullDateLine(nowruz, 0, names);
  MonthCell cell{nowruz, 1, 21, 1, true, false, false};
  const std::wstring occasions = L"، جشن نوروز، روز جهانی نوروز، عید سعید فطر";
  EXPECT_EQ(CellSpokenName(cell, 0, names), line + occasions);
  cell.dayOff = true;
  cell.events = 2;
  EXPECT_EQ(CellSpokenName(cell, 0, names), line + L"، تعطیل" + occasions + L"، ۲ رویداد");
}

}  // namespace
}  // namespace tavilo
