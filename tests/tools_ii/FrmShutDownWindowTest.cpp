// The shutdown scheduler as a real window under Wine. Ending the session,
// message boxes and the clock are recorded or injected: the running-time
// fields are set by hand and timer ticks are delivered directly.
#include "tools/FrmShutDown.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "RoutedPlatform.h"
#include "WindowTestSupport.h"
#include "tools/shared/DialogKeys.h"
#include "ui/Globals.h"
#include "ui/Settings.h"
#include "tools/FrmWarning.h"

namespace tavilo {
namespace {

using namespace std::chrono_literals;
using testing::ChildRect;
using testing::ClientSize;
using testing::PumpUntil;
using testing::RoutedPlatform;
using testing::WindowText;
using Call = PlatformCall;
using Calls = std::vector<PlatformCall>;
using Requests = std::vector<ExitWindowsRequest>;

constexpr wchar_t kOnlyNumbers[] = L"فقط بايد عدد وارد کنيد";
const ExitWindowsRequest kForcedLogOff{4, 0xFFFFFFFF};
const ExitWindowsRequest kForcedShutdown{5, 0};

class FrmShutDownTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ShutHour = ShutMin = ShutSec = 0;
    ProgramSchedule().Cancel();
    ProgramSettings() = Settings{};
    platform.fake.tickCount = 0;
    form.Open();
    ASSERT_TRUE(form.IsOpen());
  }

  HWND Window() const { return form.Handle(); }
  HWND Control(int id) const { return GetDlgItem(form.Handle(), id); }
  std::wstring Text(int id) const { return WindowText(Control(id)); }
  void Type(int id, const wchar_t* text) { SetDlgItemTextW(Window(), id, text); }
  void Click(int id) { SendMessageW(Control(id), BM_CLICK, 0, 0); }
  bool Checked(int id) const { return IsDlgButtonChecked(Window(), id) == BST_CHECKED; }
  bool ConfirmEnabled() const { return IsWindowEnabled(Control(FrmShutDown::kCmdOk)); }

  void Fill(const wchar_t* hours, const wchar_t* minutes, const wchar_t* seconds) {
    Type(FrmShutDown::kTxtHour, hours);
    Type(FrmShutDown::kTxtMin, minutes);
    Type(FrmShutDown::kTxtSec, seconds);
  }
  void Confirm(const wchar_t* hours, const wchar_t* minutes, const wchar_t* seconds) {
    Fill(hours, minutes, seconds);
    ASSERT_TRUE(ConfirmEnabled());
    Click(FrmShutDown::kCmdOk);
  }
  void Tick() { SendMessageW(Window(), WM_TIMER, FrmShutDown::kTimer1, 0); }
  // The running time at 0.5 s into the given second.
  void RunningTime(std::int32_t hours, std::int16_t minutes, std::int16_t seconds) {
    platform.fake.tickCount = ((hours * 60ull + minutes) * 60 + seconds) * 1000 + 500;
  }
  const Requests& SessionEnds() const { return platform.fake.exitWindowsRequests; }

  RoutedPlatform platform;
  FrmShutDown form{platform};
};

// --- The window as it opens ---

TEST_F(FrmShutDownTest, OpensWithItsDesignedLayout) {
  EXPECT_EQ(WindowText(Window()), L"مديريت زمان روشن بودن رايانه");
  EXPECT_TRUE(IsWindowVisible(Window()));
  const SIZE client = ClientSize(Window());
  EXPECT_EQ(client.cx, 444);
  EXPECT_EQ(client.cy, 365);
  const LONG style = GetWindowLongW(Window(), GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

  struct Expected {
    int id;
    const wchar_t* text;
    RECT pixels;
  };
  const Expected controls[] = {
      {FrmShutDown::kLabel1, L"زمان و کاری را که رایانه باید انجام دهد، در زیر انتخاب کنید.",
       {8, 8, 436, 40}},
      {FrmShutDown::kLabel2, L"ساعت", {92, 100, 141, 117}},
      {FrmShutDown::kLabel3, L"دقيقه", {196, 100, 237, 117}},
      {FrmShutDown::kLabel4, L"ثانيه", {276, 100, 325, 117}},
      {FrmShutDown::kTxtHour, L"", {100, 124, 157, 149}},
      {FrmShutDown::kTxtMin, L"", {188, 124, 253, 149}},
      {FrmShutDown::kTxtSec, L"", {284, 124, 341, 149}},
      {FrmShutDown::kOptShut, L"خاموش کردن", {142, 232, 272, 257}},
      {FrmShutDown::kOptLog, L"خروج از حساب کاربری", {276, 232, 436, 257}},
      {FrmShutDown::kCmdOk, L"تاييد", {88, 324, 169, 357}},
  };
  for (const Expected& expected : controls) {
    SCOPED_TRACE(expected.id);
    HWND control = Control(expected.id);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(WindowText(control), expected.text);
    const RECT actual = ChildRect(control);
    EXPECT_EQ(actual.left, expected.pixels.left);
    EXPECT_EQ(actual.top, expected.pixels.top);
    EXPECT_EQ(actual.right, expected.pixels.right);
    EXPECT_EQ(actual.bottom, expected.pixels.bottom);
    // Right to left and right-aligned, in Tahoma 8.25 pt with the Arabic set.
    EXPECT_TRUE(GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_RTLREADING);
    EXPECT_TRUE(GetWindowLongW(control, GWL_EXSTYLE) & WS_EX_RIGHT);
    const LOGFONTW font = testing::FontOf(control);
    EXPECT_STREQ(font.lfFaceName, L"Tahoma");
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_EQ(font.lfCharSet, ARABIC_CHARSET);
  }
}

TEST_F(FrmShutDownTest, OpensWithLogOffSelectedConfirmDisabledAndNothingArmed) {
  EXPECT_TRUE(Checked(FrmShutDown::kOptLog));
  EXPECT_FALSE(Checked(FrmShutDown::kOptShut));
  EXPECT_FALSE(ConfirmEnabled());
  // The option buttons draw their round button on the right.
  EXPECT_TRUE(GetWindowLongW(Control(FrmShutDown::kOptShut), GWL_STYLE) & BS_LEFTTEXT);
  EXPECT_TRUE(GetWindowLongW(Control(FrmShutDown::kOptLog), GWL_STYLE) & BS_LEFTTEXT);
  EXPECT_FALSE(KillTimer(Window(), FrmShutDown::kTimer1));
}

// Tab enters each option group at its selected button and skips the boxes
// of the modes not chosen.
TEST_F(FrmShutDownTest, TabOrderIsSecondsMinutesHoursOptionsConfirm) {
  std::vector<int> order;
  HWND at = Control(FrmShutDown::kTxtSec);
  for (int step = 0; step < 6; ++step, at = GetNextDlgTabItem(Window(), at, FALSE)) {
    order.push_back(GetDlgCtrlID(at));
  }
  EXPECT_EQ(order, (std::vector<int>{FrmShutDown::kTxtSec, FrmShutDown::kTxtMin,
                                     FrmShutDown::kTxtHour, FrmShutDown::kOptLog,
                                     FrmShutDown::kChkGraceful, FrmShutDown::kOptRunningTime}));
  EXPECT_EQ(GetNextDlgGroupItem(Window(), Control(FrmShutDown::kOptLog), FALSE),
            Control(FrmShutDown::kOptShut));
}

TEST_F(FrmShutDownTest, BoxesTakeTextBeyondTheUsualLimit) {
  const std::wstring longText(40000, L'1');
  Type(FrmShutDown::kTxtHour, longText.c_str());
  EXPECT_EQ(Text(FrmShutDown::kTxtHour).size(), longText.size());
}

// --- Enable when complete ---

TEST_F(FrmShutDownTest, ConfirmIsEnabledExactlyWhileAllThreeBoxesHoldText) {
  Type(FrmShutDown::kTxtHour, L"1");
  EXPECT_FALSE(ConfirmEnabled());
  Type(FrmShutDown::kTxtSec, L"3");
  EXPECT_FALSE(ConfirmEnabled());
  Type(FrmShutDown::kTxtMin, L"2");
  EXPECT_TRUE(ConfirmEnabled());
  Type(FrmShutDown::kTxtMin, L"");
  EXPECT_FALSE(ConfirmEnabled());
  Type(FrmShutDown::kTxtMin, L"x");  // anything non-empty counts while typing
  EXPECT_TRUE(ConfirmEnabled());
  Type(FrmShutDown::kTxtHour, L"");
  EXPECT_FALSE(ConfirmEnabled());
}

// --- Confirming ---

class FrmShutDownRejectTest : public FrmShutDownTest,
                              public ::testing::WithParamInterface<int> {};

TEST_P(FrmShutDownRejectTest, LettersInAnyBoxShowTheMessageAndEmptyAllBoxes) {
  Fill(L"1", L"2", L"3");
  Type(GetParam(), L"12a");
  Click(FrmShutDown::kCmdOk);

  ASSERT_EQ(platform.fake.messageBoxes.size(), 1u);
  const MessageBoxRequest& message = platform.fake.messageBoxes[0];
  EXPECT_EQ(message.text, kOnlyNumbers);
  EXPECT_EQ(message.caption, L"Tavilo");
  EXPECT_EQ(message.style, 16u);
  EXPECT_EQ(message.owner, Window());
  EXPECT_EQ(Text(FrmShutDown::kTxtHour), L"");
  EXPECT_EQ(Text(FrmShutDown::kTxtMin), L"");
  EXPECT_EQ(Text(FrmShutDown::kTxtSec), L"");
  EXPECT_FALSE(ConfirmEnabled());
  EXPECT_TRUE(IsWindowVisible(Window()));
  EXPECT_FALSE(KillTimer(Window(), FrmShutDown::kTimer1));
  EXPECT_EQ(ShutHour, 0);
}

INSTANTIATE_TEST_SUITE_P(EachBox, FrmShutDownRejectTest,
                         ::testing::Values(FrmShutDown::kTxtHour, FrmShutDown::kTxtMin,
                                           FrmShutDown::kTxtSec));

// The decimal separator of the user's locale ("." in en-US, "," in de-DE).
std::wstring DecimalSeparator() {
  wchar_t separator[8] = {};
  GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
  return separator;
}

TEST_F(FrmShutDownTest, NumbersRoundToTheNearestWithTiesToEven) {
  if (DecimalSeparator() != L".") GTEST_SKIP() << "the locale's decimal separator is not a point";
  Confirm(L"1.5", L"2.5", L"3.5");

  EXPECT_EQ(ShutHour, 2);
  EXPECT_EQ(ShutMin, 2);
  EXPECT_EQ(ShutSec, 4);
  EXPECT_TRUE(platform.fake.messageBoxes.empty());
}

TEST_F(FrmShutDownTest, FractionsUseTheDecimalSeparatorOfTheUsersLocale) {
  const std::wstring separator = DecimalSeparator();
  ASSERT_FALSE(separator.empty());
  Confirm((L"0" + separator + L"5").c_str(), (L"1" + separator + L"5").c_str(),
          (L"58" + separator + L"5").c_str());

  EXPECT_TRUE(platform.fake.messageBoxes.empty());
  EXPECT_EQ(ShutHour, 0);
  EXPECT_EQ(ShutMin, 2);
  EXPECT_EQ(ShutSec, 58);
}

TEST_F(FrmShutDownTest, TheNumericTestIsTheSystemsOwn) {
  // Blanks, a sign, an exponent and hexadecimal are numbers to the system.
  Confirm(L" 1e1 ", L"&H10", L"+7");

  EXPECT_EQ(ShutHour, 10);
  EXPECT_EQ(ShutMin, 16);
  EXPECT_EQ(ShutSec, 7);
  EXPECT_TRUE(platform.fake.messageBoxes.empty());
}

TEST_F(FrmShutDownTest, ValidTargetArmsTheTimerAndHidesTheWindow) {
  Confirm(L"25", L"0", L"0");

  EXPECT_EQ(ShutHour, 25);
  EXPECT_FALSE(IsWindowVisible(Window()));
  EXPECT_TRUE(form.IsOpen());
  // The real timer delivers the ticks: at the target second the session ends.
  RunningTime(25, 0, 0);
  // Generous for a loaded machine: the wait ends with the first tick.
  EXPECT_TRUE(PumpUntil([&] { return !SessionEnds().empty(); }, 20s));
  EXPECT_EQ(SessionEnds().front(), kForcedLogOff);
}

// A number too large for its field is said to be too large, the boxes kept.
TEST_F(FrmShutDownTest, NumberTooLargeForTheTargetIsSaidToBeTooLarge) {
  Confirm(L"99999999999", L"0", L"0");

  EXPECT_TRUE(platform.fake.messageBoxes.empty());
  EXPECT_EQ(Text(FrmShutDown::kLblStatus), L"عدد نوشته‌شده بیش از اندازه بزرگ است.");
  EXPECT_EQ(Text(FrmShutDown::kTxtHour), L"99999999999");
  EXPECT_TRUE(IsWindowVisible(Window()));
  EXPECT_FALSE(KillTimer(Window(), FrmShutDown::kTimer1));
}

TEST_F(FrmShutDownTest, RefusedInputKeepsAnArmedSchedule) {
  Confirm(L"1", L"2", L"3");
  form.BringToFront();
  EXPECT_TRUE(IsWindowVisible(Window()));
  // Opening again shows the boxes as they were.
  EXPECT_EQ(Text(FrmShutDown::kTxtHour), L"1");

  Confirm(L"99999", L"2", L"3");
  Confirm(L"1", L"two", L"3");

  EXPECT_EQ(platform.fake.messageBoxes.size(), 1u);
  EXPECT_EQ(ShutHour, 1);
  EXPECT_EQ(ShutMin, 2);
  EXPECT_EQ(ShutSec, 3);
  RunningTime(1, 2, 3);
  Tick();
  EXPECT_EQ(SessionEnds(), Requests{kForcedLogOff});
}

TEST_F(FrmShutDownTest, ANewValidTargetReplacesTheArmedOne) {
  Confirm(L"1", L"2", L"3");
  form.BringToFront();
  Confirm(L"4", L"5", L"6");

  RunningTime(1, 2, 3);
  Tick();
  EXPECT_TRUE(SessionEnds().empty());
  RunningTime(4, 5, 6);
  Tick();
  EXPECT_EQ(SessionEnds(), Requests{kForcedLogOff});
}

// --- Firing ---

TEST_F(FrmShutDownTest, LogOffFiresOnEveryTickOfTheTargetSecondOnly) {
  Confirm(L"600", L"0", L"5");  // hours beyond the old 596-hour wrap

  RunningTime(600, 0, 4);
  Tick();
  Tick();
  EXPECT_TRUE(SessionEnds().empty());

  RunningTime(600, 0, 5);
  Tick();
  Tick();
  Tick();
  EXPECT_EQ(SessionEnds(), (Requests{kForcedLogOff, kForcedLogOff, kForcedLogOff}));
  // No privilege step for the log-off.
  EXPECT_TRUE(platform.fake.tokenOpens.empty());

  RunningTime(600, 0, 6);
  Tick();
  RunningTime(24, 0, 5);  // same clock time a day later is another running time
  Tick();
  EXPECT_EQ(SessionEnds().size(), 3u);
}

TEST_F(FrmShutDownTest, ShutdownEnablesThePrivilegeThenAsksForFlagsFive) {
  Click(FrmShutDown::kOptShut);
  ASSERT_TRUE(Checked(FrmShutDown::kOptShut));
  ASSERT_FALSE(Checked(FrmShutDown::kOptLog));
  Confirm(L"0", L"1", L"0");
  // Armed: the action is remembered, the system is asked to stay awake; a
  // minute left: the warning's sound.
  EXPECT_EQ(platform.fake.calls, (Calls{Call::RegistryCreate, Call::RegistryWrite,
                                        Call::RegistryClose, Call::ExecutionStateSet,
                                        Call::AlertSoundPlayed}));
  platform.fake.calls.clear();

  RunningTime(0, 0, 59);
  Tick();
  EXPECT_TRUE(platform.fake.calls.empty());

  RunningTime(0, 1, 0);
  Tick();
  EXPECT_EQ(platform.fake.calls,
            (Calls{Call::PlatformIdRead, Call::ProcessTokenOpen, Call::PrivilegeLookup,
                   Call::PrivilegeAdjust, Call::TokenClose, Call::ExitWindowsEx}));
  EXPECT_EQ(SessionEnds(), Requests{kForcedShutdown});

  RunningTime(0, 1, 1);
  Tick();
  EXPECT_EQ(SessionEnds().size(), 1u);
}

TEST_F(FrmShutDownTest, ChangingTheOptionWhileArmedChangesTheAction) {
  Confirm(L"2", L"0", L"0");
  RunningTime(2, 0, 0);
  Tick();
  EXPECT_EQ(SessionEnds(), Requests{kForcedLogOff});

  form.BringToFront();
  Click(FrmShutDown::kOptShut);  // without confirming again
  Tick();
  EXPECT_EQ(SessionEnds(), (Requests{kForcedLogOff, kForcedShutdown}));
}

TEST_F(FrmShutDownTest, PrivilegeStepsRunForRealAndOnlyTheSessionEndIsRecorded) {
  platform.realPrivileges = true;
  Click(FrmShutDown::kOptShut);
  Confirm(L"3", L"4", L"5");
  RunningTime(3, 4, 5);
  Tick();

  EXPECT_TRUE(platform.lastRealAdjustSucceeded);
  EXPECT_EQ(platform.fake.privilegeLookups, std::vector<std::wstring>{L"SeShutdownPrivilege"});
  EXPECT_EQ(platform.fake.tokenOpens, std::vector<std::uint32_t>{0x28});
  EXPECT_EQ(SessionEnds(), Requests{kForcedShutdown});
}

// --- Closing ---

TEST_F(FrmShutDownTest, ClosingCancelsTheSchedule) {
  Confirm(L"1", L"0", L"0");
  form.BringToFront();
  SendMessageW(Window(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(form.IsOpen());

  RunningTime(1, 0, 0);
  PumpUntil([] { return false; }, 200ms);
  EXPECT_TRUE(SessionEnds().empty());
}

TEST_F(FrmShutDownTest, AnArmedScheduleFiresDuringTheSlideOut) {
  Confirm(L"7", L"8", L"9");
  form.BringToFront();
  RunningTime(7, 8, 9);
  // Until the schedule fires, each step of the slide waits longer than a
  // timer period, so its next event-loop pass finds the timer due however
  // fast or slow the machine is. Bounded, so a timer that never comes
  // cannot hold the slide for long.
  int pacedSteps = 0;
  platform.beforeScreenRead = [&] {
    if (SessionEnds().empty() && pacedSteps++ < 100) Sleep(20);
  };

  SendMessageW(Window(), WM_CLOSE, 0, 0);

  EXPECT_FALSE(form.IsOpen());
  EXPECT_FALSE(SessionEnds().empty());
  for (const ExitWindowsRequest& request : SessionEnds()) EXPECT_EQ(request, kForcedLogOff);
}

// Nothing can be armed in a window that is sliding out; the menu command
// that asks for it meanwhile leaves it open afterwards, loaded afresh.
TEST_F(FrmShutDownTest, DuringTheSlideOutConfirmIsDisabledAndTheMenuCommandReopensIt) {
  Fill(L"1", L"2", L"3");
  bool asked = false;
  bool confirmEnabledDuringSlide = true;
  platform.beforeScreenRead = [&] {
    if (asked) return;
    asked = true;
    confirmEnabledDuringSlide = ConfirmEnabled();
    form.BringToFront();
  };
  SendMessageW(Window(), WM_CLOSE, 0, 0);
  platform.beforeScreenRead = nullptr;

  ASSERT_TRUE(asked);
  EXPECT_FALSE(confirmEnabledDuringSlide);
  ASSERT_TRUE(form.IsOpen());
  EXPECT_TRUE(IsWindowVisible(Window()));
  EXPECT_EQ(Text(FrmShutDown::kTxtHour), L"");
}

// Esc hides an armed scheduler and the schedule still fires; with nothing
// armed, Esc closes the window as its close box does.
TEST_F(FrmShutDownTest, EscHidesWhileArmedAndClosesOtherwise) {
  EXPECT_EQ(GetFocus(), Control(FrmShutDown::kTxtSec));
  const auto pressEscape = [&] {
    MSG message{GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
    return HandleDialogKeys(message);
  };
  Confirm(L"2", L"0", L"0");
  form.BringToFront();
  SetFocus(Control(FrmShutDown::kTxtSec));
  ASSERT_TRUE(pressEscape());
  EXPECT_TRUE(form.IsOpen());
  EXPECT_FALSE(IsWindowVisible(Window()));
  RunningTime(2, 0, 0);
  Tick();
  EXPECT_EQ(SessionEnds(), Requests{kForcedLogOff});

  SendMessageW(Window(), WM_CLOSE, 0, 0);
  form.Open();
  ASSERT_TRUE(pressEscape());
  EXPECT_TRUE(PumpUntil([&] { return !form.IsOpen(); }, 20s));
}

TEST_F(FrmShutDownTest, OpeningAgainAfterClosingStartsFromTheDesign) {
  Click(FrmShutDown::kOptShut);
  Fill(L"1", L"2", L"3");
  SendMessageW(Window(), WM_CLOSE, 0, 0);

  form.Open();
  ASSERT_TRUE(form.IsOpen());
  EXPECT_EQ(Text(FrmShutDown::kTxtHour), L"");
  EXPECT_TRUE(Checked(FrmShutDown::kOptLog));
  EXPECT_FALSE(Checked(FrmShutDown::kOptShut));
  EXPECT_FALSE(ConfirmEnabled());
}

// --- Protecting the user's work ---

HWND WarningWindow() { return FindWindowW(L"TaviloFrmWarning", nullptr); }
std::wstring WarningText(int id) { return WindowText(GetDlgItem(WarningWindow(), id)); }
void ClickWarning(int id) { SendMessageW(GetDlgItem(WarningWindow(), id), BM_CLICK, 0, 0); }
constexpr std::uint32_t kAwake = kEsContinuous | kEsSystemRequired;

// Armed, the target would never fire: the window says why and keeps the boxes.
TEST_F(FrmShutDownTest, ATargetPassedOrNeverShownIsRefusedInTheWindow) {
  RunningTime(1, 0, 0);
  Confirm(L"0", L"59", L"59");
  EXPECT_TRUE(IsWindowVisible(Window()));
  EXPECT_EQ(Text(FrmShutDown::kLblStatus),
            L"زمان انتخاب‌شده گذشته است\nزمان روشن بودن رایانه: ۱:۰۰:۰۰");
  EXPECT_EQ(Text(FrmShutDown::kTxtMin), L"59");
  Confirm(L"2", L"60", L"0");
  EXPECT_EQ(Text(FrmShutDown::kLblStatus), L"دقیقه و ثانیه باید بین ۰ و ۵۹ باشند");
  EXPECT_FALSE(KillTimer(Window(), FrmShutDown::kTimer1));
  EXPECT_TRUE(platform.fake.executionStates.empty());
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(Window(), FrmShutDown::kCmdCancel)));
}

TEST_F(FrmShutDownTest, ShownAgainItCountsDownAndItsCancelButtonDisarms) {
  RunningTime(0, 47, 26);
  Confirm(L"1", L"0", L"0");
  EXPECT_EQ(platform.fake.executionStates, std::vector<std::uint32_t>{kAwake});
  form.BringToFront();
  Tick();
  EXPECT_EQ(Text(FrmShutDown::kLblStatus), L"خروج از حساب کاربری\nزمان باقی‌مانده: ۰:۱۲:۳۴");
  ASSERT_TRUE(IsWindowVisible(GetDlgItem(Window(), FrmShutDown::kCmdCancel)));

  Click(FrmShutDown::kCmdCancel);
  EXPECT_FALSE(IsWindowVisible(Window()));
  EXPECT_FALSE(ProgramSchedule().IsArmed());
  EXPECT_EQ(platform.fake.executionStates, (std::vector<std::uint32_t>{kAwake, kEsContinuous}));
  RunningTime(1, 0, 0);
  Tick();
  EXPECT_TRUE(SessionEnds().empty());
}

// A minute before: the warning, once, in front, with cancel focused; later
// moves the target ten minutes on and into the boxes; Esc cancels.
TEST_F(FrmShutDownTest, TheWarningPostponesAndCancels) {
  Click(FrmShutDown::kOptShut);
  Confirm(L"0", L"2", L"0");
  RunningTime(0, 1, 0);
  Tick();
  ASSERT_NE(WarningWindow(), nullptr);
  EXPECT_TRUE(GetWindowLongW(WarningWindow(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(WarningText(FrmWarning::kLblAction), L"خاموش شدن رایانه");
  EXPECT_EQ(WarningText(FrmWarning::kLblCountdown), L"\u200F۶۰ ثانیه دیگر");
  EXPECT_EQ(GetFocus(), GetDlgItem(WarningWindow(), FrmWarning::kCmdCancel));
  RunningTime(0, 1, 1);
  Tick();
  EXPECT_EQ(WarningText(FrmWarning::kLblCountdown), L"\u200F۵۹ ثانیه دیگر");
  EXPECT_EQ(platform.fake.alertSounds, std::vector<std::uint32_t>{kMbIconExclamation});

  ClickWarning(FrmWarning::kCmdLater);
  EXPECT_EQ(WarningWindow(), nullptr);
  EXPECT_EQ(Text(FrmShutDown::kTxtHour) + L":" + Text(FrmShutDown::kTxtMin) + L":" +
                Text(FrmShutDown::kTxtSec),
            L"0:12:0");
  RunningTime(0, 2, 0);
  Tick();
  EXPECT_TRUE(SessionEnds().empty());
  RunningTime(0, 11, 0);
  Tick();
  ASSERT_NE(WarningWindow(), nullptr);

  MSG escape{GetFocus(), WM_KEYDOWN, VK_ESCAPE, 1, 0, {}};
  ASSERT_TRUE(HandleDialogKeys(escape));
  EXPECT_TRUE(PumpUntil([] { return WarningWindow() == nullptr; }, 20s));
  EXPECT_FALSE(ProgramSchedule().IsArmed());
  RunningTime(0, 12, 0);
  Tick();
  EXPECT_TRUE(SessionEnds().empty());
  EXPECT_EQ(platform.fake.executionStates, (std::vector<std::uint32_t>{kAwake, kEsContinuous}));
}

TEST_F(FrmShutDownTest, NowEndsTheSessionAtOnceTheSameWay) {
  Confirm(L"0", L"0", L"30");
  ASSERT_NE(WarningWindow(), nullptr);  // less than a minute left
  ClickWarning(FrmWarning::kCmdNow);
  EXPECT_EQ(SessionEnds(), Requests{kForcedLogOff});
  EXPECT_EQ(WarningWindow(), nullptr);
}

// Timers stand still in sleep and the running time goes on: a target slept
// through warns at resume and ends a minute later.
TEST_F(FrmShutDownTest, ATargetSleptThroughWarnsAtResumeThenEnds) {
  Confirm(L"0", L"5", L"0");
  RunningTime(3, 0, 0);
  SendMessageW(Window(), WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  ASSERT_NE(WarningWindow(), nullptr);
  EXPECT_EQ(WarningText(FrmWarning::kLblCountdown), L"\u200F۶۰ ثانیه دیگر");
  EXPECT_TRUE(SessionEnds().empty());
  RunningTime(3, 1, 0);
  Tick();
  EXPECT_EQ(SessionEnds(), Requests{kForcedLogOff});
}

// A message box elsewhere runs its own message loop: the schedule's timer
// still ends the session in the target second.
TEST_F(FrmShutDownTest, AMessageBoxOpenAtTheTargetDoesNotDelayTheEnd) {
  Confirm(L"7", L"8", L"9");
  RunningTime(7, 8, 9);
  static const Requests* ends;
  static int looks;
  ends = &SessionEnds();
  looks = 0;
  SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR timer, DWORD) {
    if (ends->empty() && ++looks < 400) return;
    KillTimer(nullptr, timer);
    if (HWND box = FindWindowW(L"#32770", L"Tavilo test box"))
      PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  MessageBoxW(nullptr, L"open during the target second", L"Tavilo test box", MB_OK);
  EXPECT_EQ(SessionEnds().front(), kForcedLogOff);
}

// --- Modes and actions ---

// Each option reaches the seam with its call; sleep, hibernate and lock act
// once and disarm. A refusal is told once, with the system's reason.
TEST_F(FrmShutDownTest, EachActionReachesTheSeamWithItsCallAndFlags) {
  struct Case {
    int option;
    bool graceful;
    Call call;
    ExitWindowsRequest request;
  };
  const Case cases[] = {{FrmShutDown::kOptLog, true, Call::ExitWindowsEx, {0x10, 0xFFFFFFFF}},
                        {FrmShutDown::kOptShut, false, Call::ExitWindowsEx, {5, 0}},
                        {FrmShutDown::kOptRestart, true, Call::ExitWindowsEx, {0x12, 0}},
                        {FrmShutDown::kOptSleep, false, Call::SuspendSystem, {}},
                        {FrmShutDown::kOptHibernate, false, Call::SuspendSystem, {}},
                        {FrmShutDown::kOptLock, false, Call::WorkStationLock, {}}};
  for (int second = 1; const Case& c : cases) {
    form.BringToFront();
    Click(c.option);
    CheckDlgButton(Window(), FrmShutDown::kChkGraceful, c.graceful);
    Confirm(L"1", L"0", std::to_wstring(++second).c_str());
    RunningTime(1, 0, static_cast<std::int16_t>(second));
    Tick();
    EXPECT_EQ(platform.fake.calls.back(), c.call) << second;
    if (c.call == Call::ExitWindowsEx) {
      EXPECT_EQ(SessionEnds().back(), c.request);
    }
    EXPECT_EQ(ProgramSchedule().IsArmed(), c.call == Call::ExitWindowsEx) << second;
  }
  EXPECT_EQ(platform.fake.suspends, (std::vector<bool>{false, true}));

  platform.fake.lockSucceeds = false;
  platform.fake.lastError = 120;
  form.BringToFront();
  Confirm(L"1", L"1", L"0");
  RunningTime(1, 1, 0);
  Tick();
  Tick();
  ASSERT_EQ(platform.fake.messageBoxes.size(), 1u);
  EXPECT_EQ(platform.fake.messageBoxes[0].text, L"رایانه قفل نشد.\nerror 120");
  EXPECT_FALSE(ProgramSchedule().IsArmed());
}

// Only the chosen mode's boxes show; "after" counts from the tick count, its
// bad input is named in the status line, and the mode armed opens next time.
TEST_F(FrmShutDownTest, AfterModeRefusesBadInputArmsAndIsRemembered) {
  EXPECT_TRUE(Checked(FrmShutDown::kOptRunningTime));
  Click(FrmShutDown::kOptAfter);
  EXPECT_FALSE(IsWindowVisible(Control(FrmShutDown::kTxtSec)));
  EXPECT_TRUE(IsWindowVisible(Control(FrmShutDown::kTxtAfterMin)));
  const std::pair<const wchar_t*, const wchar_t*> refused[] = {
      {L"-1", L"ساعت باید عددی از ۰ تا ۹۹ باشد"}, {L"100", L"ساعت باید عددی از ۰ تا ۹۹ باشد"},
      {L"0", L"زمان باید دست‌کم یک دقیقه باشد"}};
  for (const auto& [hours, message] : refused) {
    Type(FrmShutDown::kTxtAfterHour, hours);
    Type(FrmShutDown::kTxtAfterMin, L"0");
    Click(FrmShutDown::kCmdOk);
    EXPECT_EQ(Text(FrmShutDown::kLblStatus), message);
  }
  Type(FrmShutDown::kTxtAfterMin, L"۹۰");
  platform.fake.tickCount = 10'500;
  Click(FrmShutDown::kCmdOk);
  EXPECT_EQ(ProgramSchedule().Deadline(), 10 + 90 * 60);
  EXPECT_EQ(LoadSettings(platform.fake).scheduleMode, 0);

  SendMessageW(Window(), WM_CLOSE, 0, 0);
  form.Open();
  EXPECT_TRUE(Checked(FrmShutDown::kOptAfter));
  EXPECT_EQ(GetFocus(), Control(FrmShutDown::kTxtAfterMin));
}

// 08:00 on 10 January 2026 in a zone five hours behind UTC: 23:30 is today,
// 07:00 tomorrow; a clock set back an hour moves the end an hour on.
TEST_F(FrmShutDownTest, AtModeSaysTheDayAndFollowsTheClock) {
  platform.fake.timeZone = TimeZoneRule{300, 0, 0, {}, {}};
  platform.fake.unixTimeNow = 1768050000;
  platform.fake.tickCount = 10'500;
  Click(FrmShutDown::kOptAt);
  Type(FrmShutDown::kTxtAtHour, L"7");
  Type(FrmShutDown::kTxtAtMin, L"0");
  EXPECT_EQ(Text(FrmShutDown::kLblAtDay), L"فردا");
  Type(FrmShutDown::kTxtAtHour, L"24");
  Click(FrmShutDown::kCmdOk);
  EXPECT_EQ(Text(FrmShutDown::kLblStatus), L"ساعت باید عددی از ۰ تا ۲۳ باشد");
  Type(FrmShutDown::kTxtAtHour, L"23");
  Type(FrmShutDown::kTxtAtMin, L"30");
  EXPECT_EQ(Text(FrmShutDown::kLblAtDay), L"امروز");
  Click(FrmShutDown::kCmdOk);
  EXPECT_EQ(ProgramSchedule().Deadline(), 10 + 15 * 3600 + 30 * 60);

  platform.fake.unixTimeNow -= 3600;
  SendMessageW(Window(), WM_TIMECHANGE, 0, 0);
  EXPECT_EQ(ProgramSchedule().Deadline(), 10 + 16 * 3600 + 30 * 60);
}

// An empty box counts as 0, a greyed confirm says why, a change clears an old
// refusal; while armed the close box says that it cancels.
TEST_F(FrmShutDownTest, BoxesStatusLineAndCloseBoxTip) {
  Click(FrmShutDown::kOptAfter);
  EXPECT_FALSE(ConfirmEnabled());
  EXPECT_EQ(Text(FrmShutDown::kLblStatus), L"ساعت یا دقیقه را بنویسید.");
  Type(FrmShutDown::kTxtAfterHour, L"100");
  EXPECT_TRUE(ConfirmEnabled());
  EXPECT_EQ(Text(FrmShutDown::kLblStatus), L"");
  Click(FrmShutDown::kCmdOk);
  EXPECT_EQ(Text(FrmShutDown::kLblStatus), L"ساعت باید عددی از ۰ تا ۹۹ باشد");
  Type(FrmShutDown::kTxtAfterHour, L"");
  Type(FrmShutDown::kTxtAfterMin, L"90");
  EXPECT_EQ(Text(FrmShutDown::kLblStatus), L"");


  EXPECT_FALSE(form.CloseTip().IsShown());
  Click(FrmShutDown::kOptAfter);
  platform.fake.tickCount = 10'500;
  Click(FrmShutDown::kCmdOk);
  ASSERT_TRUE(ProgramSchedule().IsArmed());
  EXPECT_EQ(ProgramSchedule().Deadline(), 10 + 90 * 60);
  SendMessageW(Window(), WM_NCMOUSEMOVE, HTCLOSE, 0);
  EXPECT_TRUE(form.CloseTip().IsShown());
  SendMessageW(Window(), WM_NCMOUSEMOVE, HTCAPTION, 0);
  EXPECT_FALSE(form.CloseTip().IsShown());
}

}  // namespace
}  // namespace tavilo
