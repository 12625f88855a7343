// The real strip when its screen changes: a new DPI (WM_DPICHANGED) or a new
// resolution (WM_DISPLAYCHANGE). Screen width and DPI come from the fake
// platform; the messages go to the real window.
#include <windows.h>

#include <gtest/gtest.h>

#include "../RenamedTahoma.h"
#include "StripFixture.h"
#include "app/Form1Design.h"
#include "ui/RtlText.h"

namespace tavilo {
namespace {

class Form1Dpi : public StripFixture {
 protected:
  // What the system sends: the new DPI twice, and a suggested rectangle that
  // scales the window about its old left edge.
  void ChangeDpi(unsigned dpi) {
    platform.dpi = dpi;
    RECT suggested = WindowRect();
    suggested.right = suggested.left + MulDiv(350, dpi, 96);
    suggested.bottom = suggested.top + MulDiv(138, dpi, 96);
    SendMessageW(form->Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
  }

  void ChangeScreenWidth(int width) {
    platform.screenWidth = width;
    SendMessageW(form->Handle(), WM_DISPLAYCHANGE, 32, MAKELPARAM(width, 768));
  }

  LONG FontHeight(Form1::Label label) const {
    LOGFONTW font{};
    GetObjectW(form->LabelFont(label), sizeof(font), &font);
    return font.lfHeight;
  }

  COLORREF PaintedPixel(int x, int y) const {
    UpdateWindow(form->Handle());
    HDC dc = GetDC(form->Handle());
    const COLORREF pixel = GetPixel(dc, x, y);
    ReleaseDC(form->Handle(), dc);
    return pixel;
  }
};

TEST_F(Form1Dpi, NewDpiResizesTheStripAndKeepsItAtTheRightEdge) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  ChangeDpi(144);
  const RECT rect = WindowRect();
  EXPECT_EQ(rect.right - rect.left, 525);  // 5250 x 2070 twips at 10 per pixel
  EXPECT_EQ(rect.bottom - rect.top, 207);
  EXPECT_EQ(rect.left, 498);  // 10240 - 5250 - 15 twips = 497.5 pixels, tie to even
  EXPECT_EQ(rect.top, -3);    // still 30 twips above the edge
  EXPECT_EQ(form->Dpi(), 144u);
  EXPECT_EQ(form->motion().State(), MotionState::kDown);
  RECT client{};
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 525);
  EXPECT_EQ(client.bottom, 207);
}

TEST_F(Form1Dpi, NewDpiRebuildsFontsAndLabelsAndRepaintsEverything) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  ASSERT_EQ(FontHeight(Form1::kLabel1), -29);
  ValidateRect(form->Handle(), nullptr);
  ChangeDpi(144);
  EXPECT_EQ(FontHeight(Form1::kLabel1), -44);  // 21.75 pt
  EXPECT_EQ(FontHeight(Form1::kLabel2), -16);  // 8.25 pt: 16.5 pixels, tie to even
  EXPECT_EQ(FontHeight(Form1::kLabel3), -24);  // 12 pt
  const RECT counter = form->LabelRect(Form1::kLabel1);
  EXPECT_EQ(counter.left, 36);
  EXPECT_EQ(counter.top, 60);

  RECT pending{};
  ASSERT_TRUE(GetUpdateRect(form->Handle(), &pending, FALSE));
  const RECT whole{0, 0, 525, 207};
  EXPECT_TRUE(EqualRect(&pending, &whole));
  // The test program has no skin: the background is the key colour, now
  // painted over the whole larger window.
  EXPECT_EQ(PaintedPixel(520, 200), RGB(255, 0, 0));
}

TEST_F(Form1Dpi, CounterIsDrawnOverTheBackgroundAfterADpiChange) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  ChangeDpi(144);
  platform.tickCount = 8888888;  // 2:28:8:888
  form->Timer4_Timer();
  UpdateWindow(form->Handle());
  const RECT counter = form->LabelRect(Form1::kLabel1);
  HDC dc = GetDC(form->Handle());
  int textPixels = 0;
  for (int y = counter.top; y < counter.bottom; ++y) {
    for (int x = counter.left; x < counter.right; ++x) {
      if (GetPixel(dc, x, y) != RGB(255, 0, 0)) ++textPixels;
    }
  }
  ReleaseDC(form->Handle(), dc);
  EXPECT_GT(textPixels, 100);
}

TEST_F(Form1Dpi, ParkedStripStaysParkedAndComesDownOnTheNewGrid) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  form->Form_Click();
  SlideUp();
  ASSERT_EQ(WindowRect().top, -136);
  ChangeDpi(144);
  EXPECT_EQ(form->motion().State(), MotionState::kParked);
  EXPECT_EQ(WindowRect().top, -204);
  EXPECT_EQ(WindowRect().bottom, 3);  // 30 twips left on the screen
  SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 205));
  EXPECT_EQ(form->motion().State(), MotionState::kSlidingDown);
  SlideDown();
  EXPECT_EQ(WindowRect().top, -3);
}

TEST_F(Form1Dpi, BackToTheStandardDpiRestoresTheFirstGeometry) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  const RECT before = WindowRect();
  ChangeDpi(120);
  ChangeDpi(96);
  const RECT after = WindowRect();
  EXPECT_TRUE(EqualRect(&before, &after));
  EXPECT_EQ(FontHeight(Form1::kLabel1), -29);
}

TEST_F(Form1Dpi, UnreportedDpiCountsAsStandard) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  ChangeDpi(0);
  EXPECT_EQ(form->Dpi(), 96u);
  EXPECT_EQ(WindowRect().right - WindowRect().left, 350);
}

TEST_F(Form1Dpi, NewScreenWidthMovesTheStripAndKeepsItsMotion) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  for (int step = 0; step < 20; ++step) form->Timer1_Timer();
  const LONG top = WindowRect().top;
  ASSERT_EQ(form->motion().State(), MotionState::kSlidingDown);

  ChangeScreenWidth(1280);
  EXPECT_EQ(WindowRect().right, 1279);
  EXPECT_EQ(WindowRect().left, 929);
  EXPECT_EQ(WindowRect().top, top);
  EXPECT_EQ(form->motion().State(), MotionState::kSlidingDown);
  EXPECT_FALSE(IsWindowEnabled(form->Handle()));

  ChangeScreenWidth(800);
  EXPECT_EQ(WindowRect().right, 799);
  SlideDown();
  EXPECT_EQ(WindowRect().top, -2);
  EXPECT_EQ(WindowRect().right, 799);
}

// The longest running time the counter shows stays whole on one line at 96
// to 192 DPI, measured with the font the strip selected: with the prefix's
// stand-in for Tahoma, and in Wine's own Tahoma at the same size.
TEST_F(Form1Dpi, LongestRunningTimeFitsItsLabelOnOneLine) {
  constexpr uint64_t kLongest = ((99999ull * 60 + 59) * 60 + 59) * 1000 + 999;
  ASSERT_TRUE(testing::LoadRenamedTahoma());
  for (bool realTahoma : {false, true}) {
    for (unsigned dpi : {96u, 120u, 144u, 168u, 192u}) {
      platform.dpi = dpi;
      platform.tickCount = kLongest;
      ASSERT_NO_FATAL_FAILURE(CreateStrip());
      form->Timer4_Timer();
      ASSERT_EQ(form->Caption(Form1::kLabel1), L"99999:59:59:999");
      const std::wstring& text = form->Caption(Form1::kLabel1);
      HDC dc = GetDC(form->Handle());
      LOGFONTW font{};
      GetObjectW(form->LabelFont(Form1::kLabel1), sizeof font, &font);
      if (realTahoma) lstrcpyW(font.lfFaceName, testing::kRenamedTahoma);
      HGDIOBJ previous = SelectObject(dc, CreateFontIndirectW(&font));
      SIZE size{};
      GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
      DeleteObject(SelectObject(dc, previous));
      ReleaseDC(form->Handle(), dc);
      const RECT label = form->LabelRect(Form1::kLabel1);
      EXPECT_LE(size.cx, label.right - label.left) << dpi << " DPI, real Tahoma " << realTahoma;
      // Shrunk only as far as needed: no less than half the design size.
      EXPECT_GE(-FontHeight(Form1::kLabel1), MulDiv(29, dpi, 96) / 2) << dpi << " DPI";
      form.reset();
      menu.reset();
    }
  }
}

// The longest date line (a Wednesday in September), each digit setting and
// month name, 96 to 192 DPI: inside its box with a margin past the border,
// wrapped into its label as drawn, in the font the strip chose (shrunk a
// fifth at most) and in Wine's own Tahoma at that size.
TEST_F(Form1Dpi, DateLineFitsInsideItsBox) {
  ASSERT_TRUE(testing::LoadRenamedTahoma());
  platform.now = DateSerial(2026, 9, 16) + 0.5;
  for (int setting = 0; setting < 12; ++setting) {
    platform.calendarInfoResponder = [setting](auto&) { return setting % 2 ? L"سپتامبر" : L""; };
    ProgramSettings().persianDigits = setting / 2 % 2;
    const unsigned dpi = platform.dpi = 96 + 48 * (setting / 4);
    ASSERT_NO_FATAL_FAILURE(CreateStrip());
    const RECT label = form->LabelRect(Form1::kLabel2), &box = strip_design::kDateBox;
    const auto at = ::testing::Message() << dpi << " DPI " << form->Caption(Form1::kLabel2);
    EXPECT_TRUE(label.left >= MulDiv(box.left + 4, dpi, 96) &&
                label.right <= MulDiv(box.right - 4, dpi, 96) &&
                label.top > MulDiv(box.top, dpi, 96) && label.bottom < MulDiv(box.bottom, dpi, 96))
        << at;
    LOGFONTW font{};
    GetObjectW(form->LabelFont(Form1::kLabel2), sizeof font, &font);
    EXPECT_GE(-font.lfHeight * 5, MulDiv(11, dpi, 96) * 4) << at;  // 8.25 points
    for (const wchar_t* face : {strip_design::kFontFace, testing::kRenamedTahoma}) {
      lstrcpyW(font.lfFaceName, face);
      HDC dc = GetDC(form->Handle());
      HGDIOBJ previous = SelectObject(dc, CreateFontIndirectW(&font));
      EXPECT_TRUE(ParagraphFits(dc, form->Caption(Form1::kLabel2), label)) << at << face;
      DeleteObject(SelectObject(dc, previous));
      ReleaseDC(form->Handle(), dc);
    }
    form.reset();
    menu.reset();
  }
}

// The title's next prayer time, full or short, stays whole on its widened
// line at 96, 144 and 192 DPI in Wine's own Tahoma, for the longest waits.
TEST_F(Form1Dpi, NextPrayerTitleFitsItsLabel) {
  ASSERT_TRUE(testing::LoadRenamedTahoma());
  ProgramSettings().prayerPlace = 112931;  // Tehran
  platform.timeZone = TimeZoneRule{-210, 0, 0, {}, {}};
  // 5 December 2026, 00:30 in Tehran: Fajr hours ahead, the longest wait.
  platform.unixTimeNow = (static_cast<std::int64_t>(DateSerial(2026, 12, 5)) - 25569) * 86400;
  platform.unixTimeNow -= 10800;
  for (unsigned dpi : {96u, 144u, 192u}) {
    platform.dpi = dpi;
    ASSERT_NO_FATAL_FAILURE(CreateStrip());
    const std::wstring& text = form->Caption(Form1::kLabel3);
    HDC dc = GetDC(form->Handle());
    LOGFONTW font{};
    GetObjectW(form->LabelFont(Form1::kLabel3), sizeof font, &font);
    lstrcpyW(font.lfFaceName, testing::kRenamedTahoma);
    HGDIOBJ previous = SelectObject(dc, CreateFontIndirectW(&font));
    const int width = ShapedWidth(dc, text);
    DeleteObject(SelectObject(dc, previous));
    ReleaseDC(form->Handle(), dc);
    const RECT label = form->LabelRect(Form1::kLabel3);
    EXPECT_LE(width, label.right - label.left) << dpi << " DPI: " << text.size();
    form.reset();
    menu.reset();
  }
}

}  // namespace
}  // namespace tavilo
