// What the real strip paints: the counter over the background on every tick,
// and the labels kept in the background when their text changes.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
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

// Each line of the date line ends at the label's right edge: the lines are
// laid out by their widths as drawn, with the letters joined.
TEST_F(Form1Paint, DateLineLinesEndAtTheLabelsRightEdge) {
  ASSERT_NO_FATAL_FAILURE(CreateStrip());
  SlideDown();
  const RECT area = form->LabelRect(Form1::kLabel2);
  const int width = area.right - area.left;
  const std::vector<COLORREF> pixels = Pixels(Form1::kLabel2);
  TEXTMETRICW metrics{};
  HDC dc = GetDC(form->Handle());
  const HGDIOBJ previous = SelectObject(dc, form->LabelFont(Form1::kLabel2));
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(form->Handle(), dc);
  ASSERT_GT(metrics.tmHeight, 0);

  std::vector<int> lineEnds;  // the rightmost inked column of each line
  const int height = area.bottom - area.top;
  for (int lineTop = 0; lineTop < height; lineTop += metrics.tmHeight) {
    int rightmost = -1;
    for (int y = lineTop; y < std::min<int>(lineTop + metrics.tmHeight, height); ++y) {
      for (int x = width - 1; x > rightmost; --x) {
        if (pixels[static_cast<size_t>(y * width + x)] != Form1::kKeyColor) rightmost = x;
      }
    }
    if (rightmost >= 0) lineEnds.push_back(rightmost);
  }
  // "امروز ... هجري شمسي" and "مطابق با ... ميلادي".
  ASSERT_EQ(lineEnds.size(), 2u);
  for (int end : lineEnds) EXPECT_GE(end, width - 3) << width - 1 - end << " px short";
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
