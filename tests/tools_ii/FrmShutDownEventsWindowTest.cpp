// The scheduler's waiting modes as a real window under Wine (a real program,
// simulated input times, a fake clock), and the warning over another program.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>

#include "RoutedPlatform.h"
#include "WindowTestSupport.h"
#include "tools/FrmShutDown.h"
#include "tools/shared/DialogKeys.h"
#include "ui/Settings.h"

namespace tavilo {
namespace {

using namespace std::chrono_literals;
using testing::PumpUntil;
using testing::WindowText;

const ExitWindowsRequest kForcedShutdown{5, 0};

struct Notepad {
  PROCESS_INFORMATION process{};
  Notepad() {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    wchar_t command[] = L"notepad.exe";
    if (CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
      WaitForInputIdle(process.hProcess, 10000);
    }
  }
  void Close() const { TerminateProcess(process.hProcess, 0); }
  ~Notepad() {
    Close();
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
};

// Where the foreground and focus are once the warning comes over another
// program, and whether Esc with the pointer on it cancels through the
// program's own message loop (keys go to the window under the pointer).
TEST(FrmWarningFocus, InFrontOfAnotherProgramItTakesTheKeyboardAndEscCancels) {
  Notepad notepad;
  HWND other = FindWindowW(L"Notepad", nullptr);
  ASSERT_NE(other, nullptr);
  SetForegroundWindow(other);
  testing::RoutedPlatform platform;
  int cancels = 0;
  FrmWarning warning(platform, {[&] { ++cancels; }, [] {}, [] {}});
  warning.Warn(L"خاموش شدن رایانه", 60);
  EXPECT_EQ(GetForegroundWindow(), warning.Handle());
  EXPECT_EQ(GetFocus(), GetDlgItem(warning.Handle(), FrmWarning::kCmdCancel));

  RECT frame;
  GetWindowRect(warning.Handle(), &frame);
  SetCursorPos((frame.left + frame.right) / 2, frame.top + 8);
  INPUT keys[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
  keys[0].ki.wVk = keys[1].ki.wVk = VK_ESCAPE;
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, keys, sizeof(INPUT));
  const auto end = std::chrono::steady_clock::now() + 3s;
  for (MSG message; cancels == 0 && std::chrono::steady_clock::now() < end; Sleep(10)) {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchProgramMessage(message);
  }
  EXPECT_EQ(cancels, 1);
}

class FrmShutDownEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramSchedule().Cancel();
    ProgramSettings() = Settings{};
    platform.fake.tickCount = 1'000'500;
    form = std::make_unique<FrmShutDown>(platform, [this] { return fullScreen; });
    form->Open();
    SetCursorPos(0, 0);  // off the warning: input there does not count
  }
  HWND Window() const { return form->Handle(); }
  void Type(int id, const wchar_t* text) { SetDlgItemTextW(Window(), id, text); }
  void Click(int id) { SendDlgItemMessageW(Window(), id, BM_CLICK, 0, 0); }
  void Timer(UINT_PTR timer) { SendMessageW(Window(), WM_TIMER, timer, 0); }
  bool Warning() const { return FindWindowW(L"TaviloFrmWarning", nullptr) != nullptr; }
  void ClickWarning(int id) {
    SendDlgItemMessageW(FindWindowW(L"TaviloFrmWarning", nullptr), id, BM_CLICK, 0, 0);
  }
  void Seconds(std::int64_t seconds) {
    platform.fake.tickCount += seconds * 1000;
    platform.fake.unixTimeNow += seconds;
  }

  testing::RoutedPlatform platform;
  bool fullScreen = false;
  std::unique_ptr<FrmShutDown> form;
};

// A real notepad, chosen in the list and closed: the warning within a
// second, the shutdown a minute later.
TEST_F(FrmShutDownEventsTest, AProgramClosingBringsTheWarningThenTheAction) {
  platform.realProcesses = true;
  Notepad notepad;
  Click(FrmShutDown::kOptShut);
  Click(FrmShutDown::kOptProgram);
  HWND list = GetDlgItem(Window(), FrmShutDown::kLstPrograms);
  int item = -1;
  ASSERT_TRUE(PumpUntil([&] {
    Click(FrmShutDown::kCmdRefresh);
    for (int index = 0; index < SendMessageW(list, LB_GETCOUNT, 0, 0); ++index) {
      wchar_t text[256] = {};
      SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
      if (std::wstring(text).ends_with(L" — notepad.exe")) item = index;
    }
    return item >= 0;
  }, 5s));
  SendMessageW(list, LB_SETCURSEL, item, 0);
  SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(FrmShutDown::kLstPrograms, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  Click(FrmShutDown::kCmdOk);
  ASSERT_TRUE(ProgramSchedule().IsWaiting());
  EXPECT_EQ(ProgramSchedule().WaitingFor(), L"تا بسته شدن notepad.exe");

  notepad.Close();
  EXPECT_TRUE(PumpUntil([&] { return Warning(); }, 1s));
  Seconds(60);
  Timer(FrmShutDown::kTimer1);
  EXPECT_EQ(platform.fake.exitWindowsRequests, std::vector<ExitWindowsRequest>{kForcedShutdown});

  // A process that cannot be waited for is refused with the reason.
  platform.fake.processWatchError = kErrorAccessDenied;
  platform.realProcesses = false;
  platform.fake.runningPrograms = {{4, L"Admin", L"admin.exe"}};
  form->BringToFront();
  Click(FrmShutDown::kCmdRefresh);
  SendMessageW(list, LB_SETCURSEL, 0, 0);
  Click(FrmShutDown::kCmdOk);
  EXPECT_NE(WindowText(GetDlgItem(Window(), FrmShutDown::kLblStatus)).find(L"error 5"),
            std::wstring::npos);
}

// Ten idle minutes; input during the warning starts the count again, and a
// full-screen program in front is no idleness.
TEST_F(FrmShutDownEventsTest, IdleAimsOneTimerAndInputOrAFilmStartsTheCountAgain) {
  platform.fake.lastInputTick = 1'000'000 - 60'000;  // a minute ago
  Click(FrmShutDown::kOptAt);  // replaced below: its clock time no longer counts
  Type(FrmShutDown::kTxtAtHour, L"23");
  Type(FrmShutDown::kTxtAtMin, L"0");
  Click(FrmShutDown::kCmdOk);
  form->BringToFront();
  Click(FrmShutDown::kOptShut);
  Click(FrmShutDown::kOptIdle);
  Type(FrmShutDown::kTxtIdleMin, L"10");
  Click(FrmShutDown::kCmdOk);
  ASSERT_TRUE(ProgramSchedule().IsWaiting());
  EXPECT_EQ(ProgramSchedule().WaitingFor(), L"پس از ۱۰ دقیقه بیکاری");

  Seconds(300);
  platform.fake.lastInputTick = static_cast<std::uint32_t>(platform.fake.tickCount);  // back
  Timer(FrmShutDown::kTimerIdle);
  EXPECT_FALSE(Warning());
  Seconds(600);
  fullScreen = true;
  Timer(FrmShutDown::kTimerIdle);
  EXPECT_FALSE(Warning());
  fullScreen = false;
  Seconds(600);
  Timer(FrmShutDown::kTimerIdle);
  ASSERT_TRUE(Warning());
  SendMessageW(Window(), WM_TIMECHANGE, 0, 0);
  ASSERT_TRUE(Warning());

  platform.fake.lastInputTick = static_cast<std::uint32_t>(platform.fake.tickCount);
  Timer(FrmShutDown::kTimer1);
  EXPECT_FALSE(Warning());
  EXPECT_TRUE(ProgramSchedule().IsWaiting());
}

// Locking at 23:30 every day but Sunday, kept across a restart; Saturday
// 10 January 2026, 08:00 UTC. The warning's cancel skips one night only,
// and a moment found more than a minute late waits for the next day.
TEST_F(FrmShutDownEventsTest, NightlyComesBackAfterARestartAndAimsAtEachNextDay) {
  platform.fake.unixTimeNow = 1768032000;
  Click(FrmShutDown::kOptLock);
  Click(FrmShutDown::kOptNightly);
  Type(FrmShutDown::kTxtNightlyHour, L"23");
  Type(FrmShutDown::kTxtNightlyMin, L"30");
  Click(FrmShutDown::kChkDay0 + 1);  // Sunday off
  Click(FrmShutDown::kCmdOk);
  ASSERT_TRUE(ProgramSchedule().IsWaiting());

  form.reset();  // Exit: the schedule goes, its settings stay
  ProgramSchedule().Cancel();
  ProgramSettings() = LoadSettings(platform.fake);
  form = std::make_unique<FrmShutDown>(platform);
  form->ResumeNightly();
  ASSERT_TRUE(ProgramSchedule().IsWaiting());
  EXPECT_EQ(ProgramSchedule().WaitingFor(), L"هر روز ساعت ۲۳:۳۰، بار بعد شنبه");

  Seconds(15 * 3600 + 29 * 60);  // 23:29
  Timer(FrmShutDown::kTimerNightly);
  ASSERT_TRUE(Warning());
  SendDlgItemMessageW(FindWindowW(L"TaviloFrmWarning", nullptr), FrmWarning::kCmdCancel, BM_CLICK,
                      0, 0);
  EXPECT_FALSE(Warning());
  EXPECT_EQ(ProgramSchedule().WaitingFor(), L"هر روز ساعت ۲۳:۳۰، بار بعد دوشنبه");

  Seconds(2 * 86400 + 62);  // Monday 23:30:02, found late but within the minute
  Timer(FrmShutDown::kTimerNightly);
  ASSERT_TRUE(Warning());
  Seconds(60);
  Timer(FrmShutDown::kTimer1);
  EXPECT_EQ(platform.fake.calls.back(), PlatformCall::WorkStationLock);
  EXPECT_EQ(ProgramSchedule().WaitingFor(), L"هر روز ساعت ۲۳:۳۰، بار بعد سه‌شنبه");

  Seconds(86400 + 120);  // Tuesday, asleep through it: three minutes late
  Timer(FrmShutDown::kTimerNightly);
  EXPECT_FALSE(Warning());
  EXPECT_EQ(ProgramSchedule().WaitingFor(), L"هر روز ساعت ۲۳:۳۰، بار بعد چهارشنبه");

  Seconds(86400 - 240);  // Wednesday 23:29:02: «now» locks, and Thursday is the next
  Timer(FrmShutDown::kTimerNightly);
  ClickWarning(FrmWarning::kCmdNow);
  EXPECT_EQ(ProgramSchedule().WaitingFor(), L"هر روز ساعت ۲۳:۳۰، بار بعد پنجشنبه");
  Seconds(86400);  // Thursday: postponed, then asleep till the morning
  Timer(FrmShutDown::kTimerNightly);
  ClickWarning(FrmWarning::kCmdLater);
  Seconds(8 * 3600);
  SendMessageW(form->Handle(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  EXPECT_FALSE(Warning());
  EXPECT_EQ(ProgramSchedule().WaitingFor(), L"هر روز ساعت ۲۳:۳۰، بار بعد جمعه");

  form->CancelSchedule();  // the menu's cancel: off for good
  EXPECT_FALSE(LoadSettings(platform.fake).scheduleNightlyArmed);
  form->Open();
  Click(FrmShutDown::kCmdOk);
  ASSERT_TRUE(LoadSettings(platform.fake).scheduleNightlyArmed);
  SendMessageW(Window(), WM_CLOSE, 0, 0);  // the close box: off for good too
  EXPECT_TRUE(PumpUntil([&] { return !LoadSettings(platform.fake).scheduleNightlyArmed; }, 5s));
  EXPECT_TRUE(platform.fake.executionStates.empty());  // never kept from sleeping
}

}  // namespace
}  // namespace tavilo
