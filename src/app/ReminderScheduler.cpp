#include "app/ReminderScheduler.h"

#include <algorithm>
#include <map>
#include <memory>
#include <utility>

#include "../../assets/resource.h"
#include "tools/logic/PrayerChoice.h"
#include "tools/logic/UserEvents.h"
#include "ui/Globals.h"
#include "ui/ProgramMessages.h"
#include "ui/Settings.h"

namespace tavilo {
namespace {

constexpr wchar_t kClassName[] = L"TaviloReminders";
// The system's notification sound, for the window (a balloon sounds it
// itself).
constexpr std::uint32_t kMbIconAsterisk = 0x40;
// The timer comes half a second into the reminder's second, never before it.
constexpr std::int64_t kAimPastMs = 500;
constexpr std::int64_t kSnoozeSeconds = 5 * 60;
// A file whose length the media service cannot tell stops after this long.
constexpr std::uint32_t kLongestSoundMs = 10 * 60 * 1000;

// Windows would not show a balloon now.
bool UserIsBusy(int notificationState) {
  return notificationState == kQunsBusy || notificationState == kQunsRunningD3dFullScreen ||
         notificationState == kQunsPresentationMode;
}

bool AnythingToRemind(const ReminderSetup& setup) {
  const bool prayers =
      setup.place && std::any_of(setup.leads.begin(), setup.leads.end(),
                                 [](int lead) { return lead != kReminderOff; });
  return prayers || std::any_of(setup.events.begin(), setup.events.end(),
                                [](const Event& event) { return event.reminder.has_value(); });
}

std::wstring PlaceName(const Settings& settings) {
  const std::optional<PrayerPlaceChoice> place = ChosenPrayerPlace(settings);
  if (!place) return {};
  return place->known ? std::wstring(place->known->persianName)
                      : CoordinatesName(settings.prayerLatitude, settings.prayerLongitude);
}

}  // namespace

ReminderScheduler::ReminderScheduler(HINSTANCE instance, Platform& platform, TrayIcon& trayIcon,
                                     std::function<void(std::int32_t)> openCalendarAt)
    : instance_(instance),
      platform_(platform),
      trayIcon_(trayIcon),
      openCalendarAt_(std::move(openCalendarAt)),
      window_(platform, {[this] { Clicked(); }, [this] { StopSound(); }, [this] { Snooze(); }}),
      sound_(platform, {IsPlaying, SongFile}) {
  if (!RegisterWindowClass(instance_, kClassName, &RoutedWindowProc<ReminderScheduler>, IDI_TAVILO,
                           nullptr)) {
    return;
  }
  // Top-level, never shown: WM_TIMECHANGE and WM_POWERBROADCAST go to
  // top-level windows.
  CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Tavilo", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                  instance_, this);
  trayIcon_.SetBalloonClick([this] { BalloonClicked(); });
}

ReminderScheduler::~ReminderScheduler() {
  trayIcon_.SetBalloonClick({});
  sound_.Stop();
  if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT ReminderScheduler::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
      if (wparam == kReminderTimer) Check();
      if (wparam == kSoundTimer) StopSound();
      return 0;
    case WM_TIMECHANGE:     // the clock or the time zone set
    case WM_SETTINGCHANGE:  // perhaps the zone's daylight-saving choice
    case kSettingsChanged:  // the leads, the place, the events
      Check();
      return 0;
    case WM_POWERBROADCAST:
      if (wparam == PBT_APMRESUMEAUTOMATIC || wparam == PBT_APMRESUMESUSPEND) Check();
      return TRUE;
    case WM_CLOSE:
      return 0;  // goes only with the program
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

ReminderSetup ReminderScheduler::Setup() const {
  const Settings& settings = ProgramSettings();
  ReminderSetup setup;
  // The times the strip's title and the tooltips count down to.
  if (const std::optional<PrayerSource> source = ChosenPrayerSource(settings)) {
    setup.place = source->place;
    setup.method = source->method;
    setup.withAsrAndIsha = source->withAsrAndIsha;
  }
  std::copy(settings.prayerReminders.begin(), settings.prayerReminders.end(), setup.leads.begin());
  setup.events = ProgramEvents().Events();
  setup.lunarCorrection = settings.lunarCorrection;
  setup.lastPrayerShown = static_cast<std::int64_t>(settings.prayerReminderShown) * 60;
  // The zone's rule is asked once a year a look.
  auto rules = std::make_shared<std::map<int, TimeZoneRule>>();
  setup.ruleOf = [rules, &platform = platform_](int year) {
    auto found = rules->find(year);
    if (found == rules->end()) {
      found = rules->emplace(year, platform.TimeZoneForYear(year).value_or(TimeZoneRule{})).first;
    }
    return found->second;
  };
  return setup;
}

void ReminderScheduler::Check() {
  if (!hwnd_) return;
  const std::int64_t now = platform_.UnixTimeNow();
  ReminderSetup setup = Setup();
  const std::vector<DueReminder> due = DueReminders(now, setup);
  if (!due.empty()) {
    Record(due);
    Remind(due, setup);
    setup = Setup();
  }
  ShowSnoozed(now);
  Aim(now, setup);
}

void ReminderScheduler::Record(const std::vector<DueReminder>& due) {
  for (const DueReminder& reminder : due) {
    if (reminder.isPrayer) {
      ChangeSetting(platform_, Setting::kPrayerReminderShown,
                    static_cast<int>(reminder.moment / 60));
    } else {
      ProgramEvents().MarkReminderShown(reminder.event, ShownDateOf(reminder));
    }
  }
}

void ReminderScheduler::Remind(const std::vector<DueReminder>& due, const ReminderSetup& setup) {
  const std::wstring placeName = PlaceName(ProgramSettings());
  Shown shown;
  std::wstring note;
  for (const DueReminder& reminder : due) {
    const ReminderWords words =
        reminder.isPrayer
            ? PrayerReminderWords(reminder, placeName, setup.ruleOf)
            : EventReminderWords(reminder, setup.events[reminder.event], setup.lunarCorrection);
    shown.prayer = shown.prayer || reminder.isPrayer;
    if (!reminder.isPrayer && !shown.day) {
      shown.day = reminder.eventDay;
      note = setup.events[reminder.event].note;
    }
    // Several at once share one balloon: the first's title, every text.
    if (shown.title.empty()) {
      shown.title = words.title;
      shown.text = words.text;
    } else {
      shown.text += L"\n\u200F" + words.title + L": " + words.text;
    }
  }
  shown.windowText = note.empty() ? shown.text : shown.text + L"\n\u200F" + note;
  Present(shown);
}

void ReminderScheduler::Present(const Shown& shown) {
  last_ = shown;
  const auto sound = static_cast<ReminderSound>(ProgramSettings().reminderSound);
  const bool balloonSounds = sound == ReminderSound::kSystem;
  const bool inBalloon = trayIcon_.Shown() &&
                         !UserIsBusy(platform_.Foreground(trayIcon_.Handle()).notificationState) &&
                         platform_.ShowBalloon(trayIcon_.Handle(), TrayIcon::kIconId, shown.title,
                                               shown.text, !balloonSounds);
  if (!inBalloon) window_.Remind(shown.title, shown.windowText, shown.day.has_value());
  PlaySound(shown.prayer, !inBalloon);
}

void ReminderScheduler::Snooze() {
  snoozed_.push_back({platform_.UnixTimeNow() + kSnoozeSeconds, last_});
  Check();
}

void ReminderScheduler::ShowSnoozed(std::int64_t now) {
  for (std::size_t i = 0; i < snoozed_.size();) {
    if (snoozed_[i].moment > now) {
      ++i;
      continue;
    }
    const Shown shown = snoozed_[i].shown;
    snoozed_.erase(snoozed_.begin() + static_cast<std::ptrdiff_t>(i));
    Present(shown);
  }
}

void ReminderScheduler::PlaySound(bool prayer, bool inWindow) {
  const auto sound = static_cast<ReminderSound>(ProgramSettings().reminderSound);
  if (sound == ReminderSound::kNone) return;
  if (sound == ReminderSound::kFile && prayer) {
    const std::wstring path = LoadReminderSoundFile(platform_);
    if (!path.empty()) {
      if (const std::optional<std::uint32_t> length = sound_.Play(path)) {
        SetTimer(hwnd_, kSoundTimer, *length ? *length + 1000 : kLongestSoundMs, nullptr);
        return;
      }
    }
  }
  // The balloon sounds the system's notification itself, unless told not to.
  if (inWindow || sound == ReminderSound::kFile) platform_.AlertSound(kMbIconAsterisk);
}

void ReminderScheduler::StopSound() {
  KillTimer(hwnd_, kSoundTimer);
  sound_.Stop();
}

void ReminderScheduler::Clicked() {
  StopSound();
  if (last_.day && openCalendarAt_) openCalendarAt_(*last_.day);
}

// An event's balloon opens its day, and our window beside the calendar
// offers the note and the snooze the balloon has no room for.
void ReminderScheduler::BalloonClicked() {
  Clicked();
  if (last_.day) window_.Remind(last_.title, last_.windowText, true);
}

void ReminderScheduler::Aim(std::int64_t now, const ReminderSetup& setup) {
  if (!AnythingToRemind(setup) && snoozed_.empty()) {
    KillTimer(hwnd_, kReminderTimer);
    aimedMs_.reset();
    return;
  }
  std::optional<std::int64_t> next = NextReminderMoment(now, setup);
  for (const Snoozed& snoozed : snoozed_)
    if (!next || snoozed.moment < *next) next = snoozed.moment;
  const std::int64_t aheadMs =
      next ? (*next - now) * 1000 + kAimPastMs : kReminderHorizonDays * 86400LL * 1000;
  const auto delay = static_cast<std::uint32_t>(
      std::clamp<std::int64_t>(aheadMs, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM));
  // Setting a running timer again replaces its interval.
  SetTimer(hwnd_, kReminderTimer, delay, nullptr);
  aimedMs_ = delay;
}

}  // namespace tavilo
