// The date converter as a real window: layout, enable-when-complete, the two
// conversions (the same in every locale the suite runs under), bad input,
// the caption loop, the gliding label, and closing and opening again.
#include "tools/DateConvert.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "WindowTestSupport.h"
#include "calendar/Numbers.h"
#include "platform/fake/FakePlatform.h"
#include "tools/shared/DialogKeys.h"

namespace tavilo {
namespace {

using namespace tools_i;
using D = DateConvert;

constexpr std::uint32_t kMessageStyle = kMbOk | kMbRight | kMbRtlReading;

class DateConvertWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Saturday 11 October 2008, 1387/07/20, at noon.
    platform_.now = DateSerial(2008, 10, 11) + 0.5;
    platform_.screenWidth = 640;
    platform_.screenHeight = 480;
    window_.Open();
    ASSERT_TRUE(window_.IsOpen());
    hwnd_ = window_.Handle();
  }
  void TearDown() override {
    if (window_.IsOpen()) DestroyWindow(window_.Handle());
  }

  void Type(int box, const wchar_t* text) { SetDlgItemTextW(hwnd_, box, text); }
  void TypeDate(const wchar_t* year, const wchar_t* month, const wchar_t* day) {
    Type(D::kTxtSal, year);
    Type(D::kTxtMah, month);
    Type(D::kTxtRoz, day);
  }
  void Choose(int option) { CheckRadioButton(hwnd_, D::kOptMil, D::kOptShamsi, option); }
  void Convert() { SendDlgItemMessageW(hwnd_, D::kCmdConvert, BM_CLICK, 0, 0); }
  std::vector<std::wstring> Output() {
    return {ItemText(hwnd_, D::kTxtsal2), ItemText(hwnd_, D::kTxtmah2),
            ItemText(hwnd_, D::kTxtroz2)};
  }
  bool ConvertEnabled() { return IsWindowEnabled(GetDlgItem(hwnd_, D::kCmdConvert)) != FALSE; }
  // A key pressed in the focused control, through the program's message loop.
  bool PressKey(WPARAM key) {
    MSG message{GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
    return HandleDialogKeys(message);
  }

  FakePlatform platform_;
  DateConvert window_{platform_};
  HWND hwnd_ = nullptr;
};

using Texts = std::vector<std::wstring>;

TEST_F(DateConvertWindowTest, OpensAtItsDesignPositionWithItsLayout) {
  const RECT client = ClientOnScreen(hwnd_);
  EXPECT_EQ(client.left, 123);  // 1845 twips
  EXPECT_EQ(client.top, 161);   // 2415 twips
  EXPECT_EQ(client.right - client.left, 355);
  EXPECT_EQ(client.bottom - client.top, 234);
  EXPECT_EQ(WindowText(hwnd_), L"تبديل تاريخ");
  const LONG_PTR style = GetWindowLongPtrW(hwnd_, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));

  struct Expected {
    int id;
    const wchar_t* text;
    RECT pixels;
  };
  for (const Expected& control : {
           Expected{D::kOptMil, L"ميلادي به شمسي", {216, 56, 337, 89}},
           Expected{D::kOptShamsi, L"شمسي به ميلادي", {216, 112, 337, 145}},
           Expected{D::kTxtSal, L"", {16, 64, 81, 89}},
           Expected{D::kTxtMah, L"", {88, 64, 137, 89}},
           Expected{D::kTxtRoz, L"", {144, 64, 193, 89}},
           Expected{D::kCmdConvert, L"تبديل", {56, 120, 153, 153}},
           Expected{D::kTxtsal2, L"", {16, 184, 81, 209}},
           Expected{D::kTxtmah2, L"", {88, 184, 137, 209}},
           Expected{D::kTxtroz2, L"", {144, 184, 193, 209}},
           Expected{D::kLabel3, L"سال", {40, 32, 73, 49}},
           Expected{D::kLabel2, L"ماه", {120, 32, 137, 57}},
           Expected{D::kLabel1, L"روز", {160, 32, 185, 57}},
       }) {
    SCOPED_TRACE(control.id);
    EXPECT_EQ(ItemText(hwnd_, control.id), control.text);
    const RECT at = ChildRect(hwnd_, control.id);
    EXPECT_EQ(at.left, control.pixels.left);
    EXPECT_EQ(at.top, control.pixels.top);
    EXPECT_EQ(at.right, control.pixels.right);
    EXPECT_EQ(at.bottom, control.pixels.bottom);
    const LOGFONTW font = FontOf(GetDlgItem(hwnd_, control.id));
    EXPECT_STREQ(font.lfFaceName, L"Tahoma");
    EXPECT_EQ(font.lfCharSet, ARABIC_CHARSET);
    EXPECT_EQ(font.lfHeight, -11);  // 8.25 pt at 96 DPI
    EXPECT_TRUE(ExStyleOf(hwnd_, control.id) & WS_EX_RTLREADING);
  }

  // The focused option is chosen, and a group of options is one tab stop:
  // the chosen one.
  EXPECT_EQ(TabStops(hwnd_), (std::vector<int>{D::kOptMil, D::kTxtSal, D::kTxtMah, D::kTxtRoz,
                                                 D::kCmdConvert, D::kTxtsal2, D::kTxtmah2,
                                                 D::kTxtroz2}));
  EXPECT_EQ(IsDlgButtonChecked(hwnd_, D::kOptMil), BST_CHECKED);
  for (int box : {D::kTxtSal, D::kTxtMah, D::kTxtRoz, D::kTxtsal2, D::kTxtmah2, D::kTxtroz2}) {
    EXPECT_TRUE(StyleOf(hwnd_, box) & ES_RIGHT);
    EXPECT_GT(SendDlgItemMessageW(hwnd_, box, EM_GETLIMITTEXT, 0, 0), 65535);
  }
  for (int label : {D::kLabel1, D::kLabel2, D::kLabel3}) {
    EXPECT_EQ(StyleOf(hwnd_, label) & SS_TYPEMASK, SS_RIGHT);
  }
  for (int option : {D::kOptMil, D::kOptShamsi}) {
    EXPECT_EQ(StyleOf(hwnd_, option) & BS_TYPEMASK, BS_AUTORADIOBUTTON);
    EXPECT_TRUE(StyleOf(hwnd_, option) & BS_LEFTTEXT);  // the button on the right
  }
  EXPECT_FALSE(ConvertEnabled());
  EXPECT_EQ(GetFocus(), GetDlgItem(hwnd_, D::kOptMil));
}

TEST_F(DateConvertWindowTest, ConvertIsEnabledExactlyWhileAllThreeBoxesHaveText) {
  Type(D::kTxtSal, L"1387");
  EXPECT_FALSE(ConvertEnabled());
  Type(D::kTxtMah, L"7");
  EXPECT_FALSE(ConvertEnabled());
  Type(D::kTxtRoz, L"20");
  EXPECT_TRUE(ConvertEnabled());
  Type(D::kTxtMah, L"");
  EXPECT_FALSE(ConvertEnabled());
  Type(D::kTxtMah, L"x");
  EXPECT_TRUE(ConvertEnabled());
  Type(D::kTxtSal, L"");
  EXPECT_FALSE(ConvertEnabled());
  Type(D::kTxtSal, L"1");
  Type(D::kTxtRoz, L"");
  EXPECT_FALSE(ConvertEnabled());
}

// The suite runs under en-US (M/d/yyyy), en-GB (dd/MM/yyyy) and fa-IR
// (yyyy/M/d); the results must not depend on which.
// Enter presses Convert from any box; leaving the window and coming back
// gives the focus back to the box that had it.
TEST_F(DateConvertWindowTest, EnterConvertsAndReactivationKeepsTheFocus) {
  TypeDate(L"2008", L"10", L"11");
  SetFocus(GetDlgItem(hwnd_, D::kTxtRoz));
  ASSERT_TRUE(PressKey(VK_RETURN));
  EXPECT_EQ(Output(), (Texts{L"1387", L"07", L"20"}));

  SendMessageW(hwnd_, WM_ACTIVATE, WA_INACTIVE, 0);
  SetFocus(nullptr);
  SendMessageW(hwnd_, WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), GetDlgItem(hwnd_, D::kTxtRoz));
}

// On a screen of twice the DPI the window takes the suggested rectangle and
// its controls and font double.
TEST_F(DateConvertWindowTest, FollowsADpiChange) {
  platform_.monitorAreas = MonitorAreas{{0, 0, 1920, 1080}, {0, 0, 1920, 1040}};
  RECT suggested{100, 100, 900, 700};
  SendMessageW(hwnd_, WM_DPICHANGED, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
  RECT frame{};
  GetWindowRect(hwnd_, &frame);
  EXPECT_EQ(frame.left, 100);
  EXPECT_EQ(frame.right, 900);
  const RECT box = ChildRect(hwnd_, D::kTxtSal);
  EXPECT_EQ(box.left, 32);  // 240 twips
  EXPECT_EQ(box.right - box.left, 130);
  EXPECT_EQ(FontOf(GetDlgItem(hwnd_, D::kTxtSal)).lfHeight, -22);
}

TEST_F(DateConvertWindowTest, TheLocaleInEffectIsTheOneAskedFor) {
  const char* locale = std::getenv("TAVILO_WINE_LOCALE");
  if (!locale) GTEST_SKIP() << "not run by ctest";
  wchar_t format[80] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, format, 80);
  const std::string wanted(locale);
  if (wanted.starts_with("en_US")) {
    EXPECT_STREQ(format, L"M/d/yyyy");
  } else if (wanted.starts_with("en_GB")) {
    EXPECT_STREQ(format, L"dd/MM/yyyy");
  } else if (wanted.starts_with("fa_IR")) {
    EXPECT_EQ(std::wstring(format).substr(0, 4), L"yyyy");
  }
}

TEST_F(DateConvertWindowTest, MiladiToShamsi) {
  TypeDate(L"2008", L"10", L"11");
  Choose(D::kOptMil);
  Convert();
  EXPECT_EQ(Output(), (Texts{L"1387", L"07", L"20"}));
  // The input boxes keep their text.
  EXPECT_EQ(ItemText(hwnd_, D::kTxtMah), L"10");
  EXPECT_TRUE(platform_.messageBoxes.empty());

  TypeDate(L"2009", L"3", L"20");
  Convert();
  EXPECT_EQ(Output(), (Texts{L"1387", L"12", L"30"}));
}

TEST_F(DateConvertWindowTest, ShamsiToMiladi) {
  TypeDate(L"1387", L"7", L"20");
  Choose(D::kOptShamsi);
  Convert();
  EXPECT_EQ(Output(), (Texts{L"2008", L"10", L"11"}));
  EXPECT_EQ(ItemText(hwnd_, D::kTxtMah), L"7");

  TypeDate(L"1403", L"12", L"30");
  Convert();
  EXPECT_EQ(Output(), (Texts{L"2025", L"03", L"20"}));
  EXPECT_TRUE(platform_.messageBoxes.empty());
}

TEST_F(DateConvertWindowTest, WithoutADirectionTheButtonChangesNothing) {
  Choose(D::kOptMil);
  TypeDate(L"2008", L"10", L"11");
  Convert();
  CheckDlgButton(hwnd_, D::kOptMil, BST_UNCHECKED);
  TypeDate(L"1387", L"7", L"20");
  Convert();
  EXPECT_EQ(Output(), (Texts{L"1387", L"07", L"20"}));
  EXPECT_TRUE(platform_.messageBoxes.empty());
}

TEST_F(DateConvertWindowTest, GregorianInputThatIsNoDateShowsTheMessageAndEmptiesTheBoxes) {
  Choose(D::kOptMil);
  const std::vector<Texts> bad = {{L"abc", L"10", L"11"},
                                  {L"2008", L"13", L"11"},
                                  {L"2008", L"2", L"30"},
                                  {L"10000", L"1", L"1"},
                                  {L"2008", L"10", L"1.5"}};
  for (const Texts& input : bad) {
    TypeDate(L"2008", L"10", L"11");
    Convert();
    ASSERT_EQ(Output(), (Texts{L"1387", L"07", L"20"}));
    platform_.messageBoxes.clear();

    TypeDate(input[0].c_str(), input[1].c_str(), input[2].c_str());
    Convert();
    EXPECT_EQ(Output(), (Texts{L"", L"", L""}));
    ASSERT_EQ(platform_.messageBoxes.size(), 1u);
    EXPECT_EQ(platform_.messageBoxes[0],
              (MessageBoxRequest{hwnd_, kInvalidDateMessage, L"Tavilo", kMessageStyle}));
  }
}

TEST_F(DateConvertWindowTest, RejectedShamsiTextShowsTheCalendarsMessageAndEmptiesTheBoxes) {
  Choose(D::kOptShamsi);
  struct Case {
    Texts input;
    const wchar_t* message;
  };
  for (const Case& bad : {Case{{L"87", L"7", L"20"}, kInvalidDateMessage},
                          Case{{L"1387", L"7", L"31"}, kInvalidDateMessage},
                          Case{{L"1387", L" 5", L"31"}, kCalculationErrorMessage}}) {
    TypeDate(L"1387", L"7", L"20");
    Convert();
    ASSERT_EQ(Output(), (Texts{L"2008", L"10", L"11"}));
    platform_.messageBoxes.clear();

    TypeDate(bad.input[0].c_str(), bad.input[1].c_str(), bad.input[2].c_str());
    Convert();
    // Neither 1899/12/30 nor today: the boxes are emptied.
    EXPECT_EQ(Output(), (Texts{L"", L"", L""}));
    ASSERT_EQ(platform_.messageBoxes.size(), 1u);
    EXPECT_EQ(platform_.messageBoxes[0].text, bad.message);
    EXPECT_EQ(platform_.messageBoxes[0].owner, hwnd_);
  }
}

TEST_F(DateConvertWindowTest, LabelShowsTodayOnceAtLoad) {
  EXPECT_EQ(window_.l1Caption(), L"امروز   شنبه  1387/07/20");
  platform_.now += 1;  // past midnight: the label stays as it was
  window_.Timer1_Timer();
  EXPECT_EQ(window_.l1Caption(), L"امروز   شنبه  1387/07/20");
  const RECT label = window_.l1Rect();
  EXPECT_EQ(label.left, 304);  // 4560 twips
  EXPECT_EQ(label.top, 7);     // 100 twips
  EXPECT_GT(label.right - label.left, 40);
}

TEST_F(DateConvertWindowTest, CaptionIsTypedOutAndErased) {
  const std::wstring title = L"تبديل تاريخ    ";
  std::vector<std::size_t> lengths;
  for (int tick = 0; tick < 32; ++tick) {
    window_.Timer2_Timer();
    const std::wstring caption = WindowText(hwnd_);
    EXPECT_EQ(caption, title.substr(0, caption.size()));
    lengths.push_back(caption.size());
  }
  std::vector<std::size_t> expected;
  for (std::size_t n = 1; n <= 15; ++n) expected.push_back(n);
  for (std::size_t n = 15; n >= 1; --n) expected.push_back(n);
  expected.push_back(1);
  expected.push_back(2);
  EXPECT_EQ(lengths, expected);
}

TEST_F(DateConvertWindowTest, LabelGlidesLeftThenRightWithGrowingSteps) {
  for (int tick = 0; tick < 95; ++tick) window_.Timer1_Timer();
  EXPECT_TRUE(window_.l1Glide().MovingLeft());
  window_.Timer1_Timer();
  EXPECT_EQ(window_.l1Glide().Left(), 0);
  EXPECT_EQ(window_.l1Rect().left, 0);
  EXPECT_FALSE(window_.l1Glide().MovingLeft());
  for (int tick = 0; tick < 86; ++tick) window_.Timer3_Timer();
  EXPECT_EQ(window_.l1Glide().Left(), 3655);
  EXPECT_EQ(window_.l1Rect().left, 244);
  EXPECT_TRUE(window_.l1Glide().MovingLeft());
}

TEST_F(DateConvertWindowTest, TimersRunOnTheirOwn) {
  ASSERT_TRUE(PumpUntil([&] { return WindowText(hwnd_).size() == 3; }));
  EXPECT_LT(window_.l1Glide().Left(), 4560);
}

TEST_F(DateConvertWindowTest, ClosingSlidesOffTheScreenAndTheNextOpenLoadsAfresh) {
  TypeDate(L"2008", L"10", L"11");
  Choose(D::kOptMil);
  Convert();
  for (int tick = 0; tick < 20; ++tick) window_.Timer1_Timer();
  for (int tick = 0; tick < 5; ++tick) window_.Timer2_Timer();

  {
    WindowTrail trail(hwnd_);
    PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !window_.IsOpen(); }));
    ASSERT_TRUE(trail.Destroyed());
    EXPECT_GT(trail.Frames().size(), 50u);
    const RECT last = trail.LastFrame();
    EXPECT_GE(last.right, 640);
    EXPECT_GE(last.top - (last.bottom - last.top), 480);
  }
  EXPECT_FALSE(IsWindow(hwnd_));

  window_.Open();
  hwnd_ = window_.Handle();
  ASSERT_TRUE(hwnd_);
  EXPECT_EQ(WindowText(hwnd_), L"تبديل تاريخ");
  EXPECT_EQ(ClientOnScreen(hwnd_).left, 123);
  EXPECT_EQ(Output(), (Texts{L"", L"", L""}));
  EXPECT_EQ(ItemText(hwnd_, D::kTxtSal), L"");
  EXPECT_FALSE(ConvertEnabled());
  EXPECT_EQ(window_.l1Glide().Left(), 4560);
  EXPECT_EQ(window_.l1Glide().LeftStep(), 0);
  window_.Timer2_Timer();
  EXPECT_EQ(WindowText(hwnd_).size(), 1u);
}

}  // namespace
}  // namespace tavilo
