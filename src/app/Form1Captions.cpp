// The strip's captions that follow the clock and the settings: the title
// (the next prayer time once a place is chosen), the date line and its
// tooltip.
#include "app/Form1.h"

#include <commctrl.h>

#include "app/logic/DateLine.h"
#include "calendar/Numbers.h"
#include "tools/logic/MonthView.h"
#include "tools/logic/PrayerText.h"
#include "tools/logic/UserEvents.h"
#include "ui/ApplicationTitle.h"
#include "ui/CommonControls.h"
#include "ui/GregorianMonths.h"
#include "ui/Messages.h"
#include "ui/Midnight.h"
#include "ui/PersianDigits.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"

namespace tavilo {

void Form1::RefreshTitle(bool always) {
  const int64_t now = platform_.UnixTimeNow();
  const int64_t minute = now / 60 - (now % 60 < 0 ? 1 : 0);
  if (!always && minute == titleMinute_) return;
  titleMinute_ = minute;
  const Settings& settings = ProgramSettings();
  const std::optional<UpcomingTime> next = NextChosenPrayer(platform_, now, settings);
  const bool wasPrayerTitle = prayerTitle_;
  prayerTitle_ = next.has_value();
  if (!next) {
    captions_[kLabel3].Set(kApplicationTitle);
  } else {
    const auto inDigits = [&settings](std::wstring text) {
      return settings.persianDigits ? text : LatinDigits(std::move(text));
    };
    std::wstring line = inDigits(UpcomingTimeText(platform_, now, *next));
    if (!TitleFits(line)) line = inDigits(ShortUpcomingTimeText(platform_, now, *next));
    captions_[kLabel3].Set(std::move(line));
  }
  // The wide rectangle holds the narrow one: either caption goes with it.
  if (wasPrayerTitle != prayerTitle_ && hwnd_) {
    prayerTitle_ = true;
    const RECT wide = LabelRect(kLabel3);
    prayerTitle_ = next.has_value();
    ComposeBackground(&wide);
    InvalidateRect(hwnd_, &wide, FALSE);
  }
}

void Form1::RefreshDateLine() {
  const ClockFn clock = [&platform = platform_] { return platform.Now(); };
  if (!calendar_) calendar_.emplace(clock, TaviloMessageBox(platform_));
  // The user's own names for the Gregorian months, even where the user's
  // dates are written in another calendar.
  const MonthNameFn monthName = [&platform = platform_](int month) {
    return GregorianMonthName(platform, std::wstring(), month);
  };
  captions_[kLabel2].Set(Shown(DateLineText(*calendar_, clock, monthName)));
  FitDateLineFont();
  RedrawChangedLabels();
  const int32_t today = DayOfDate(clock());
  const int correction = ProgramSettings().lunarCorrection;
  std::wstring tip = QamariDayToolTip(today, correction);
  const std::wstring events = TodayEventsText(ProgramEvents().OnDay(today, correction).size());
  if (!events.empty()) tip += L"\n\u200F" + events;
  SetDateToolTip(tip);
  // Timers do not run during sleep and the clock may be set: aim afresh
  // (setting a running timer again replaces its interval).
  if (!hwnd_) return;
  SetTimer(hwnd_, kDateTimer, MillisecondsToNextMidnight(clock()), nullptr);
}

// Today's lunar date and occasions, and the next prayer time, show while
// the pointer rests on the date line. The tooltip asks for its text each time
// it is about to show, so the wait until the prayer time is that minute's.
void Form1::AddDateToolTip() {
  EnsureCommonControls();
  dateToolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                 instance_, nullptr);
  SendMessageW(dateToolTip_, TTM_SETMAXTIPWIDTH, 0, MulDiv(400, dpi_, 96));
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_RTLREADING;
  tool.hwnd = hwnd_;
  tool.rect = LabelRect(kLabel2);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(dateToolTip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form1::SetDateToolTip(const std::wstring& text) {
  dateToolTipText_ = text;
  if (!dateToolTip_) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd_;
  tool.rect = LabelRect(kLabel2);
  SendMessageW(dateToolTip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Form1::DateToolTip_GetDispInfo(NMTTDISPINFOW& info) {
  shownDateToolTip_ = dateToolTipText_;
  const std::wstring prayer = NextPrayerLine(platform_, platform_.UnixTimeNow(), ProgramSettings());
  if (!prayer.empty()) shownDateToolTip_ += L"\n\u200F" + prayer;
  info.lpszText = shownDateToolTip_.data();
}

}  // namespace tavilo
