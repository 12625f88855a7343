// The prayer-time window's reminders: a lead for each time, the one-click
// start, and the sound.
#include <string>

#include "tools/FrmPrayer.h"
#include "tools/logic/PrayerText.h"
#include "tools/logic/ReminderSound.h"
#include "tools/logic/Reminders.h"
#include "ui/ProgramMessages.h"

namespace tavilo {
namespace {

// In ReminderSound's order.
constexpr const wchar_t* kSoundNames[] = {L"بی‌صدا", L"صدای اعلان ویندوز",
                                          L"پرونده صوتی برای اوقات"};
constexpr wchar_t kNoSoundFile[] = L"پرونده صوتی انتخاب نشده است";

int LeadLabel(int kind) { return FrmPrayer::kLblRemindFirst + 2 * kind; }
int LeadBox(int kind) { return FrmPrayer::kCboRemindFirst + 2 * kind; }
Setting LeadSetting(int kind) {
  return static_cast<Setting>(static_cast<int>(Setting::kPrayerReminderFajr) + kind);
}

}  // namespace

void FrmPrayer::BuildReminders() {
  for (int kind = 0; kind < kPrayerKindCount; ++kind) {
    SetDlgItemTextW(hwnd_, LeadLabel(kind),
                    std::wstring(PrayerTimeName(static_cast<PrayerTimeKind>(kind))).c_str());
    for (int choice = 0; choice < ReminderChoiceCount(); ++choice) {
      SendDlgItemMessageW(hwnd_, LeadBox(kind), CB_ADDSTRING, 0,
                          reinterpret_cast<LPARAM>(ReminderChoiceText(choice).c_str()));
    }
  }
  for (const wchar_t* name : kSoundNames) {
    SendDlgItemMessageW(hwnd_, kCboSound, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
  }
  ShowReminders();
}

void FrmPrayer::ShowReminders() {
  const Settings& settings = ProgramSettings();
  const bool asrAndIsha =
      ShowsAsrAndIsha(static_cast<PrayerMethod>(settings.prayerMethod), settings.prayerAsrIsha);
  for (int kind = 0; kind < kPrayerKindCount; ++kind) {
    const int lead = settings.prayerReminders[static_cast<std::size_t>(kind)];
    SendDlgItemMessageW(hwnd_, LeadBox(kind), CB_SETCURSEL,
                        static_cast<WPARAM>(ReminderChoiceOfLead(lead)), 0);
    const auto prayer = static_cast<PrayerTimeKind>(kind);
    const bool shown = asrAndIsha || (prayer != PrayerTimeKind::kAsr && prayer != PrayerTimeKind::kIsha);
    EnableWindow(GetDlgItem(hwnd_, LeadBox(kind)), shown);
    EnableWindow(GetDlgItem(hwnd_, LeadLabel(kind)), shown);
  }
  SendDlgItemMessageW(hwnd_, kCboSound, CB_SETCURSEL, static_cast<WPARAM>(settings.reminderSound), 0);
  const std::wstring file = LoadReminderSoundFile(platform_);
  SetDlgItemTextW(hwnd_, kLblSoundFile, file.empty() ? kNoSoundFile : file.c_str());
}

bool FrmPrayer::OnReminderCommand(int control, int notification) {
  if (control >= kCboRemindFirst && control <= kCboRemindLast &&
      (control - kCboRemindFirst) % 2 == 0) {
    if (notification == CBN_SELCHANGE) {
      const int choice = static_cast<int>(SendDlgItemMessageW(hwnd_, control, CB_GETCURSEL, 0, 0));
      ChangePrayerSetting(LeadSetting((control - kCboRemindFirst) / 2), ReminderLeadOfChoice(choice));
    }
    return true;
  }
  switch (control) {
    case kCmdStarterReminders:
      if (notification != BN_CLICKED) return true;
      for (int kind = 0; kind < kPrayerKindCount; ++kind) {
        ChangeSetting(platform_, LeadSetting(kind), StarterPrayerLeads()[static_cast<std::size_t>(kind)]);
      }
      BroadcastSettingsChanged();
      return true;
    case kCboSound: {
      if (notification != CBN_SELCHANGE) return true;
      const int sound = static_cast<int>(SendDlgItemMessageW(hwnd_, kCboSound, CB_GETCURSEL, 0, 0));
      if (sound == static_cast<int>(ReminderSound::kFile) && LoadReminderSoundFile(platform_).empty()) {
        ChooseSoundFile();
      } else {
        ChangePrayerSetting(Setting::kReminderSound, sound);
      }
      return true;
    }
    case kCmdSoundFile:
      if (notification == BN_CLICKED) ChooseSoundFile();
      return true;
  }
  return false;
}

// A file chosen is the sound from now on; cancelled, nothing changes.
void FrmPrayer::ChooseSoundFile() {
  const std::optional<std::wstring> path = platform_.ShowOpenFileDialog(
      hwnd_, {{L"پرونده‌های صوتی", L"*.mp3;*.wav;*.wma;*.m4a"}, {L"همه پرونده‌ها", L"*.*"}});
  if (path && !path->empty()) StoreReminderSoundFile(platform_, *path);
  ChangePrayerSetting(Setting::kReminderSound,
                      path && !path->empty() ? static_cast<int>(ReminderSound::kFile)
                                             : ProgramSettings().reminderSound);
}

}  // namespace tavilo
