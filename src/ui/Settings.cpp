#include "ui/Settings.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <utility>

#include "platform/RegistryText.h"

namespace tavilo {
namespace {

constexpr SettingRule kRules[] = {
    {L"Opacity", 30, 255},
    {L"PersianDigits", 0, 1},
    {L"NotificationIcon", 0, 1},
    {L"LunarCorrection", -2, 2},
    {L"PrayerPlace", 0, INT32_MAX},
    {L"PrayerLatitude", -90 * kMicroDegreesPerDegree, 90 * kMicroDegreesPerDegree},
    {L"PrayerLongitude", -180 * kMicroDegreesPerDegree, 180 * kMicroDegreesPerDegree},
    {L"PrayerMethod", 0, kPrayerMethodCount - 1},
    {L"AsrShadow", 0, 1},
    {L"PrayerAsrIsha", 0, 1},
    {L"ScheduleMode", 0, 5},
    {L"ScheduleAction", -1, 5},
    {L"ScheduleGraceful", 0, 1},
    // --- reminders ---
    {L"PrayerReminderFajr", -1, 60},    {L"PrayerReminderSunrise", -1, 60},
    {L"PrayerReminderDhuhr", -1, 60},   {L"PrayerReminderAsr", -1, 60},
    {L"PrayerReminderSunset", -1, 60},  {L"PrayerReminderMaghrib", -1, 60},
    {L"PrayerReminderIsha", -1, 60},    {L"PrayerReminderMidnight", -1, 60},
    {L"ReminderSound", 0, 2},           {L"PrayerReminderShown", 0, INT32_MAX},
    // --- occasions ---
    {L"HiddenOccasions", 0, kHideMoonInScorpio * 2 - 1},
    // --- the nightly schedule ---
    {L"ScheduleNightlyMinute", 0, 1439},
    {L"ScheduleNightlyDays", 1, 127},
    {L"ScheduleNightlyArmed", 0, 1},
};

constexpr Setting kAllSettings[] = {
    Setting::kOpacity,         Setting::kPersianDigits,   Setting::kNotificationIcon,
    Setting::kLunarCorrection, Setting::kPrayerPlace,     Setting::kPrayerLatitude,
    Setting::kPrayerLongitude, Setting::kPrayerMethod,    Setting::kAsrShadow,
    Setting::kPrayerAsrIsha,
    Setting::kScheduleMode,    Setting::kScheduleAction,  Setting::kScheduleGraceful,
    // --- reminders ---
    Setting::kPrayerReminderFajr, Setting::kPrayerReminderSunrise, Setting::kPrayerReminderDhuhr,
    Setting::kPrayerReminderAsr, Setting::kPrayerReminderSunset, Setting::kPrayerReminderMaghrib,
    Setting::kPrayerReminderIsha, Setting::kPrayerReminderMidnight, Setting::kReminderSound,
    Setting::kPrayerReminderShown,
    // --- occasions ---
    Setting::kHiddenOccasions,
    // --- the nightly schedule ---
    Setting::kScheduleNightlyMinute, Setting::kScheduleNightlyDays, Setting::kScheduleNightlyArmed,
};
static_assert(std::size(kAllSettings) == std::size(kRules));

// --- reminders ---
std::size_t PrayerReminderIndex(Setting setting) {
  return static_cast<std::size_t>(setting) - static_cast<std::size_t>(Setting::kPrayerReminderFajr);
}

}  // namespace

const SettingRule& RuleOf(Setting setting) { return kRules[static_cast<std::size_t>(setting)]; }

int Settings::Get(Setting setting) const {
  switch (setting) {
    case Setting::kOpacity: return opacity;
    case Setting::kPersianDigits: return persianDigits;
    case Setting::kNotificationIcon: return notificationIcon;
    case Setting::kLunarCorrection: return lunarCorrection;
    case Setting::kPrayerPlace: return prayerPlace;
    case Setting::kPrayerLatitude: return prayerLatitude;
    case Setting::kPrayerLongitude: return prayerLongitude;
    case Setting::kPrayerMethod: return prayerMethod;
    case Setting::kAsrShadow: return asrShadow;
    case Setting::kPrayerAsrIsha: return prayerAsrIsha;
    case Setting::kScheduleMode: return scheduleMode;
    case Setting::kScheduleAction: return scheduleAction;
    case Setting::kScheduleGraceful: return scheduleGraceful;
    // --- reminders ---
    case Setting::kPrayerReminderFajr: case Setting::kPrayerReminderSunrise:
    case Setting::kPrayerReminderDhuhr: case Setting::kPrayerReminderAsr:
    case Setting::kPrayerReminderSunset: case Setting::kPrayerReminderMaghrib:
    case Setting::kPrayerReminderIsha: case Setting::kPrayerReminderMidnight:
      return prayerReminders[PrayerReminderIndex(setting)];
    case Setting::kReminderSound: return reminderSound;
    case Setting::kPrayerReminderShown: return prayerReminderShown;
    case Setting::kHiddenOccasions: return hiddenOccasions;
    case Setting::kScheduleNightlyMinute: return scheduleNightlyMinute;
    case Setting::kScheduleNightlyDays: return scheduleNightlyDays;
    case Setting::kScheduleNightlyArmed: return scheduleNightlyArmed;
  }
  return 0;
}

void Settings::Put(Setting setting, int value) {
  switch (setting) {
    case Setting::kOpacity: opacity = value; return;
    case Setting::kPersianDigits: persianDigits = value != 0; return;
    case Setting::kNotificationIcon: notificationIcon = value != 0; return;
    case Setting::kLunarCorrection: lunarCorrection = value; return;
    case Setting::kPrayerPlace: prayerPlace = value; return;
    case Setting::kPrayerLatitude: prayerLatitude = value; return;
    case Setting::kPrayerLongitude: prayerLongitude = value; return;
    case Setting::kPrayerMethod: prayerMethod = value; return;
    case Setting::kAsrShadow: asrShadow = value; return;
    case Setting::kPrayerAsrIsha: prayerAsrIsha = value != 0; return;
    case Setting::kScheduleMode: scheduleMode = value; return;
    case Setting::kScheduleAction: scheduleAction = value; return;
    case Setting::kScheduleGraceful: scheduleGraceful = value != 0; return;
    // --- reminders ---
    case Setting::kPrayerReminderFajr: case Setting::kPrayerReminderSunrise:
    case Setting::kPrayerReminderDhuhr: case Setting::kPrayerReminderAsr:
    case Setting::kPrayerReminderSunset: case Setting::kPrayerReminderMaghrib:
    case Setting::kPrayerReminderIsha: case Setting::kPrayerReminderMidnight:
      prayerReminders[PrayerReminderIndex(setting)] = value;
      return;
    case Setting::kReminderSound: reminderSound = value; return;
    case Setting::kPrayerReminderShown: prayerReminderShown = value; return;
    case Setting::kHiddenOccasions: hiddenOccasions = value; return;
    case Setting::kScheduleNightlyMinute: scheduleNightlyMinute = value; return;
    case Setting::kScheduleNightlyDays: scheduleNightlyDays = value; return;
    case Setting::kScheduleNightlyArmed: scheduleNightlyArmed = value != 0; return;
  }
}

std::optional<PrayerPlaceChoice> ChosenPrayerPlace(const Settings& settings) {
  if (settings.prayerPlace == kNoPrayerPlace) return std::nullopt;
  if (settings.prayerPlace != 0) {
    const KnownPlace* known = FindPlace(settings.prayerPlace);
    if (!known) return std::nullopt;
    return PrayerPlaceChoice{known->Coordinates(), known};
  }
  if (settings.prayerLatitude == kNoCoordinate || settings.prayerLongitude == kNoCoordinate) {
    return std::nullopt;
  }
  return PrayerPlaceChoice{{static_cast<double>(settings.prayerLatitude) / kMicroDegreesPerDegree,
                            static_cast<double>(settings.prayerLongitude) / kMicroDegreesPerDegree},
                           nullptr};
}

PrayerSettings ChosenPrayerSettings(const Settings& settings) {
  return {static_cast<PrayerMethod>(settings.prayerMethod), static_cast<AsrShadow>(settings.asrShadow)};
}

int SettingFromData(Setting setting, const std::optional<RegistryData>& data) {
  const int fallback = Settings{}.Get(setting);
  const std::optional<std::uint32_t> raw = data ? DwordFromData(*data) : std::nullopt;
  if (!raw) return fallback;
  const auto value = static_cast<std::int32_t>(*raw);
  const SettingRule& rule = RuleOf(setting);
  return value >= rule.minimum && value <= rule.maximum ? value : fallback;
}

std::vector<std::uint8_t> SettingData(int value) {
  const auto raw = static_cast<std::uint32_t>(value);
  return {static_cast<std::uint8_t>(raw), static_cast<std::uint8_t>(raw >> 8),
          static_cast<std::uint8_t>(raw >> 16), static_cast<std::uint8_t>(raw >> 24)};
}

Settings LoadSettings(Platform& platform) {
  Settings settings;
  RegistryKey key = 0;
  if (platform.OpenRegistryKey(RegistryRoot::CurrentUser, kSettingsKey, kKeyQueryValue, key) !=
      kErrorSuccess) {
    return settings;
  }
  for (Setting setting : kAllSettings) {
    RegistryData data;
    const long status =
        platform.QueryRegistryValue(key, RuleOf(setting).valueName, kRegistryDwordCapacity, data);
    settings.Put(setting, SettingFromData(setting, status == kErrorSuccess
                                                       ? std::optional<RegistryData>(data)
                                                       : std::nullopt));
  }
  platform.CloseRegistryKey(key);
  return settings;
}

bool StoreSetting(Platform& platform, Setting setting, int value) {
  RegistryKey key = 0;
  if (platform.CreateRegistryKey(RegistryRoot::CurrentUser, kSettingsKey, kKeySetValue, key) !=
      kErrorSuccess) {
    return false;
  }
  const bool stored = platform.WriteRegistryValue(key, RuleOf(setting).valueName, kRegDword,
                                                  SettingData(value)) == kErrorSuccess;
  platform.CloseRegistryKey(key);
  return stored;
}

Settings& ProgramSettings() {
  static Settings settings;
  return settings;
}

// --- Portable mode ---
namespace {
SettingWriter& ProgramSettingWriter() {
  static SettingWriter writer;
  return writer;
}
}  // namespace

std::span<const Setting> AllSettings() { return kAllSettings; }

void UseSettingWriter(SettingWriter writer) { ProgramSettingWriter() = std::move(writer); }
// --- end of portable mode ---

void ChangeSetting(Platform& platform, Setting setting, int value) {
  const SettingRule& rule = RuleOf(setting);
  value = std::clamp(value, rule.minimum, rule.maximum);
  ProgramSettings().Put(setting, value);
  if (const SettingWriter& writer = ProgramSettingWriter()) {
    writer(setting, value);
  } else {
    StoreSetting(platform, setting, value);
  }
}

}  // namespace tavilo
