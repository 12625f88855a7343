// What the user chose and Tavilo keeps between runs, under
// HKEY_CURRENT_USER\Software\Tavilo, one REG_DWORD a setting. A value that is
// missing, of another type or size, or out of range reads as its default;
// with nothing stored the program looks and behaves as it always did.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "calendar/OccasionKind.h"
#include "calendar/Places.h"
#include "calendar/PrayerTimes.h"
#include "platform/Platform.h"

namespace tavilo {

inline constexpr wchar_t kSettingsKey[] = L"Software\\Tavilo";

enum class Setting {
  kOpacity,
  kPersianDigits,
  kNotificationIcon,
  kLunarCorrection,
  kPrayerPlace,
  kPrayerLatitude,
  kPrayerLongitude,
  kPrayerMethod,
  kAsrShadow,
  kPrayerAsrIsha,
  kScheduleMode,
  kScheduleAction,
  kScheduleGraceful,
  // --- reminders ---
  // A prayer time's reminder in PrayerTimeKind order: -1 none, else the
  // minutes before it (0 at the time).
  kPrayerReminderFajr,
  kPrayerReminderSunrise,
  kPrayerReminderDhuhr,
  kPrayerReminderAsr,
  kPrayerReminderSunset,
  kPrayerReminderMaghrib,
  kPrayerReminderIsha,
  kPrayerReminderMidnight,
  kReminderSound,
  kPrayerReminderShown,
  // --- occasions ---
  kHiddenOccasions,
  // --- the nightly schedule ---
  kScheduleNightlyMinute,
  kScheduleNightlyDays,
  kScheduleNightlyArmed,
};

inline constexpr int kHideMoonInScorpio = 1 << kOccasionKindCount;

// A prayer place, latitude or longitude that was never stored, or that reads
// as garbage.
inline constexpr int kNoPrayerPlace = -1;
inline constexpr int kNoCoordinate = INT32_MIN;

struct Settings {
  int opacity = 255;  // the strip's layered alpha, 30 to 255
  bool persianDigits = false;
  bool notificationIcon = true;
  int lunarCorrection = 0;  // days added to the lunar calendar, -2 to +2
  // The prayer times' place: a GeoNames id of the place table, or 0 for the
  // coordinates typed in (millionths of a degree, north and east positive).
  int prayerPlace = kNoPrayerPlace;
  int prayerLatitude = kNoCoordinate;
  int prayerLongitude = kNoCoordinate;
  int prayerMethod = 0;  // PrayerMethod
  int asrShadow = 0;     // AsrShadow
  // Asr and Isha shown even for the methods that call them with Dhuhr and
  // Maghrib (Tehran, Jafari).
  bool prayerAsrIsha = false;
  // The shutdown scheduler: the mode of the last schedule armed
  // (ScheduleMode, running time at first), its action (ScheduleAction, or -1
  // before the first) and whether it closed programs gracefully.
  int scheduleMode = 2;
  int scheduleAction = -1;
  bool scheduleGraceful = false;
  // --- reminders ---
  std::array<int, 8> prayerReminders{-1, -1, -1, -1, -1, -1, -1, -1};
  int reminderSound = 1;  // ReminderSound
  // The minute (since 1970, UTC) of the last prayer reminder shown, so that
  // none comes twice across a restart; 0 for none.
  int prayerReminderShown = 0;
  // --- occasions ---
  // The occasions not shown: KindBit of each hidden kind (OccasionKind.h),
  // and kHideMoonInScorpio.
  int hiddenOccasions = 0;
  // --- the nightly schedule ---: the minute of the day, the week days (bit
  // 0 Saturday ... bit 6 Friday) and whether it is armed, re-armed at start.
  int scheduleNightlyMinute = 23 * 60;
  int scheduleNightlyDays = 127;
  bool scheduleNightlyArmed = false;

  int Get(Setting setting) const;
  void Put(Setting setting, int value);
};

// Where the prayer times are for: a place of the table, or coordinates typed
// in (`known` is then nullptr).
struct PrayerPlaceChoice {
  Place coordinates;
  const KnownPlace* known;
};
// Nothing until a place is chosen, and nothing when the place's id reads as
// garbage or is not in the table, or its coordinates read as garbage.
std::optional<PrayerPlaceChoice> ChosenPrayerPlace(const Settings& settings);
PrayerSettings ChosenPrayerSettings(const Settings& settings);

// The kinds of occasion hidden (KindBit of each), for HideOccasionKinds.
inline unsigned HiddenOccasionKinds(const Settings& settings) {
  return static_cast<unsigned>(settings.hiddenOccasions) & (kHideMoonInScorpio - 1u);
}

struct SettingRule {
  const wchar_t* valueName;
  int minimum;
  int maximum;
};
const SettingRule& RuleOf(Setting setting);

// The value a setting's stored data stands for; the default when the data is
// missing, not a REG_DWORD of four bytes, or outside the setting's range. A
// DWORD reads as a signed 32-bit number, so 0xFFFFFFFF is -1.
int SettingFromData(Setting setting, const std::optional<RegistryData>& data);
// REG_DWORD bytes of a value (negative values in two's complement).
std::vector<std::uint8_t> SettingData(int value);

// Every setting as stored; the defaults when nothing can be read.
Settings LoadSettings(Platform& platform);
// Stores one setting with the least access the write needs; false when the
// registry cannot be written.
bool StoreSetting(Platform& platform, Setting setting, int value);

// The settings in force for this run. A change the registry refuses still
// holds until Exit.
Settings& ProgramSettings();
// Puts a value in force and stores it.
void ChangeSetting(Platform& platform, Setting setting, int value);

// --- Portable mode ---
// Every setting, in Setting's order.
std::span<const Setting> AllSettings();
// Where ChangeSetting stores, chosen once at start: the registry until a
// writer is given (portable.ini in portable mode, PortableSettings.h).
using SettingWriter = std::function<bool(Setting, int)>;
void UseSettingWriter(SettingWriter writer);
// --- end of portable mode ---

}  // namespace tavilo
