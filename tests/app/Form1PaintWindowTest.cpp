// What the real strip paints: the counter over the background on every tick,
// and the labels kept in the background when their text changes.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "StripFixture.h"

namespace tavilo {
namespace {

class Form1Paint : public StripFixture {
 protected:
  // The painted pixels of a label's rectangle.
  std::vector<COLORREF> Pixels(Form1::Label label) const {
    UpdateWindow(form->Handle());
    const RECT area = form->LabelRect(label);
    HDC dc = GetDC(form->Handle());
    std::vector<COLORREF> pixels;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) pixels.push_back(GetPixel(dc, x, y));
    }
    ReleaseDC(form->Handle(), dc);
    return pixels;
  }

  static size_t Inked(const std::vector<COLORREF>& pixels) {
    size_t inked = 0;
    for (COLORREF pixel : pixels) inked += pixel != Form1::kKeyColor;
    return inked;
  }
};

TEST_F(Form1Paint, EveryLabelIsDrawnOnceTheStripIsDown) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  platform.tickCount = 7384123;
  form->Timer4_Timer();
  // The test program has no skin: whatever is not the key colour is text.
  EXPECT_GT(Inked(Pixels(Form1::kLabel1)), 100u);
  EXPECT_GT(Inked(Pixels(Form1::kLabel2)), 100u);
  EXPECT_GT(Inked(Pixels(Form1::kLabel3)), 20u);
}

TEST_F(Form1Paint, CounterTicksRedrawTheCounterOverACleanBackground) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  platform.tickCount = 0;
  form->Timer4_Timer();
  const std::vector<COLORREF> zero = Pixels(Form1::kLabel1);
  platform.tickCount = 7384123;
  form->Timer4_Timer();
  EXPECT_NE(Pixels(Form1::kLabel1), zero);
  platform.tickCount = 0;
  form->Timer4_Timer();
  // Not drawn over the old digits: the same text gives the same pixels.
  EXPECT_EQ(Pixels(Form1::kLabel1), zero);
}

TEST_F(Form1Paint, NewDateLineReplacesTheOldOneOnTheScreen) {
  platform.now = DateSerial(2026, 12, 4) + 0.5;
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  const std::vector<COLORREF> friday = Pixels(Form1::kLabel2);
  const std::vector<COLORREF> title = Pixels(Form1::kLabel3);

  platform.now = DateSerial(2026, 12, 5) + 1.0 / 86400.0;
  SendMessageW(form->Handle(), WM_TIMER, Form1::kDateTimer, 0);
  const std::vector<COLORREF> saturday = Pixels(Form1::kLabel2);
  EXPECT_NE(saturday, friday);
  EXPECT_EQ(Pixels(Form1::kLabel3), title);

  platform.now = DateSerial(2026, 12, 4) + 0.5;
  SendMessageW(form->Handle(), WM_TIMECHANGE, 0, 0);
  EXPECT_EQ(Pixels(Form1::kLabel2), friday);
}

}  // namespace
}  // namespace tavilo
