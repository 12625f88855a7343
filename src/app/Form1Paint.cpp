// The strip's drawing: label fonts (the counter's sized to fit), the
// off-screen background and paint buffer, and the paint itself.
#include <algorithm>

#include "app/Form1.h"
#include "app/Form1Design.h"
#include "ui/RtlText.h"
#include "ui/Twips.h"

namespace tavilo {

using namespace strip_design;

namespace {

// The counter's and the date line's fonts never shrink below this height.
constexpr int kSmallestCounterPixels = 6;

HFONT CreateLabelFont(int pixels, int weight) {
  return CreateFontW(-pixels, 0, 0, 0, weight, FALSE, FALSE, FALSE, ARABIC_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                     DEFAULT_PITCH | FF_DONTCARE, kFontFace);
}

// The width of the widest running time with `hourDigits` hour digits, in the
// font selected into `dc`: every digit as wide as the widest one, Latin or
// Persian, so that switching digits never needs another size.
int WidestCounterWidth(HDC dc, size_t hourDigits) {
  int digitWidth = 0;
  for (wchar_t zero : {L'0', L'\u06F0'}) {
    for (wchar_t digit = zero; digit <= zero + 9; ++digit) {
      SIZE size{};
      GetTextExtentPoint32W(dc, &digit, 1, &size);
      digitWidth = std::max(digitWidth, static_cast<int>(size.cx));
    }
  }
  SIZE colon{};
  GetTextExtentPoint32W(dc, L":", 1, &colon);
  // h...h:mm:ss:mmm
  return static_cast<int>(hourDigits + 7) * digitWidth + 3 * colon.cx;
}

}  // namespace

// Gives the label the largest font, from its designed size down to the
// smallest the strip allows, at which its text fits: `nextHeight` answers 0
// when it fits at `height` in the font selected into the DC, else the
// height to try next.
template <typename NextHeight>
void Form1::ShrinkLabelFont(Label label, NextHeight nextHeight) {
  const LabelLayout& layout = kLabelLayout[label];
  int height = PixelsFromPoints(layout.points, dpi_);
  HDC dc = GetDC(hwnd_);
  for (;;) {
    HFONT font = CreateLabelFont(height, layout.weight);
    HGDIOBJ previous = SelectObject(dc, font);
    const int next = nextHeight(dc, height);
    SelectObject(dc, previous);
    if (next == 0 || height <= kSmallestCounterPixels) {
      DeleteObject(fonts_[label]);
      fonts_[label] = font;
      break;
    }
    DeleteObject(font);
    height = next;
  }
  ReleaseDC(hwnd_, dc);
}

void Form1::FitCounterFont() {
  const size_t hourDigits = captions_[kLabel1].Text().find(L':');
  if (!hwnd_ || hourDigits == std::wstring::npos || hourDigits == counterHourDigits_) return;
  counterHourDigits_ = hourDigits;
  // Sized for the widest text with this many hour digits, so the size holds
  // from one second to the next and changes only with the hours' width.
  const RECT area = LabelRect(kLabel1);
  const int room = area.right - area.left;
  ShrinkLabelFont(kLabel1, [&](HDC dc, int height) {
    const int width = WidestCounterWidth(dc, hourDigits);
    return width <= room ? 0 : std::max(1, std::min(height - 1, MulDiv(height, room, width)));
  });
}

void Form1::FitDateLineFont() {
  const std::wstring& text = captions_[kLabel2].Text();
  if (!hwnd_ || text == dateLineFittedFor_) return;
  dateLineFittedFor_ = text;
  // Whatever the digits, the month's name and the font the system gives.
  const RECT area = LabelRect(kLabel2);
  ShrinkLabelFont(kLabel2, [&](HDC dc, int height) {
    return ParagraphFits(dc, text, area) ? 0 : height - 1;
  });
}

void Form1::CreateFonts() {
  for (size_t label = 0; label < kLabelCount; ++label) {
    const LabelLayout& layout = kLabelLayout[label];
    if (fonts_[label]) DeleteObject(fonts_[label]);
    fonts_[label] = CreateLabelFont(PixelsFromPoints(layout.points, dpi_), layout.weight);
  }
  counterHourDigits_ = std::wstring::npos;
  FitCounterFont();
  dateLineFittedFor_.clear();
  FitDateLineFont();
}

void Form1::CreateCanvases() {
  ReleaseCanvases();
  const int width = PixelsFromTwips(kWidth, dpi_);
  const int height = PixelsFromTwips(kHeight, dpi_);
  HDC screen = GetDC(hwnd_);
  for (Canvas* canvas : {&background_, &buffer_}) {
    canvas->dc = CreateCompatibleDC(screen);
    canvas->pixels = CreateCompatibleBitmap(screen, width, height);
    canvas->original = SelectObject(canvas->dc, canvas->pixels);
    SetBkMode(canvas->dc, TRANSPARENT);
  }
  ReleaseDC(hwnd_, screen);
  ComposeBackground();
}

void Form1::ReleaseCanvases() {
  for (Canvas* canvas : {&background_, &buffer_}) {
    if (canvas->dc) {
      SelectObject(canvas->dc, canvas->original);
      DeleteDC(canvas->dc);
    }
    if (canvas->pixels) DeleteObject(canvas->pixels);
    *canvas = {};
  }
}

void Form1::ReleaseResources() {
  ReleaseCanvases();
  for (HFONT& font : fonts_) {
    if (font) DeleteObject(font);
    font = nullptr;
  }
  if (skin_) DeleteObject(skin_);
  skin_ = nullptr;
}

void Form1::Form_Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  const RECT& area = paint.rcPaint;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width > 0 && height > 0 && buffer_.dc) {
    // Composed off screen first so the counter does not flicker.
    BitBlt(buffer_.dc, area.left, area.top, width, height, background_.dc, area.left, area.top,
           SRCCOPY);
    const RECT counter = LabelRect(kLabel1);
    RECT shown;
    if (IntersectRect(&shown, &counter, &area)) DrawLabel(buffer_.dc, kLabel1);
    BitBlt(dc, area.left, area.top, width, height, buffer_.dc, area.left, area.top, SRCCOPY);
  }
  EndPaint(hwnd_, &paint);
}

void Form1::ComposeBackground(const RECT* area) {
  if (!background_.dc) return;
  HDC dc = background_.dc;
  const RECT client{0, 0, PixelsFromTwips(kWidth, dpi_), PixelsFromTwips(kHeight, dpi_)};
  const int saved = SaveDC(dc);
  if (area) IntersectClipRect(dc, area->left, area->top, area->right, area->bottom);
  HBRUSH key = CreateSolidBrush(kKeyColor);
  FillRect(dc, area ? area : &client, key);
  DeleteObject(key);

  if (skin_) {
    BITMAP picture;
    GetObjectW(skin_, sizeof(picture), &picture);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, skin_);
    // Nearest-neighbour scaling keeps the key colour exact at the edges.
    SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, 0, 0, MulDiv(picture.bmWidth, dpi_, kSkinDpi),
               MulDiv(picture.bmHeight, dpi_, kSkinDpi), source, 0, 0, picture.bmWidth,
               picture.bmHeight, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  }

  for (Label label : {kLabel3, kLabel2}) {
    const RECT bounds = LabelRect(label);
    RECT overlap;
    if (!area || IntersectRect(&overlap, &bounds, area)) DrawLabel(dc, label);
  }
  RestoreDC(dc, saved);
}

void Form1::DrawLabel(HDC dc, Label label) const {
  const LabelLayout& layout = kLabelLayout[label];
  const std::wstring& text = captions_[label].Text();
  RECT bounds = LabelRect(label);
  // Selecting a font is not free: the buffer keeps the counter's.
  if (GetCurrentObject(dc, OBJ_FONT) != LabelFont(label)) SelectObject(dc, LabelFont(label));
  SetTextColor(dc, layout.buttonTextColor ? GetSysColor(COLOR_BTNTEXT) : RGB(0, 0, 0));
  if (label == kLabel3 && prayerTitle_) {
    // One line, right to left against the clock, in the middle of the
    // title's height.
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int y = (bounds.top + bounds.bottom - metrics.tmHeight) / 2;
    DrawRtlLine(dc, text, bounds.right, y, RtlAnchor::kRightEdge);
    return;
  }
  if (!layout.rightToLeft) {
    // The running time stands on one line; its font is sized to fit.
    const UINT wrap = label == kLabel1 ? DT_SINGLELINE : DT_WORDBREAK;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &bounds,
              DT_LEFT | wrap | DT_NOPREFIX);
    return;
  }
  // DrawTextW would right-align Persian by the width of its unjoined letters,
  // leaving each line short of the edge; this lays lines out as drawn.
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
  DrawRtlParagraph(dc, text, bounds);
  RestoreDC(dc, saved);
}

bool Form1::TitleFits(const std::wstring& text) const {
  if (!hwnd_) return true;
  const RECT bounds = LabelRect(kLabel3);
  HDC dc = GetDC(hwnd_);
  HGDIOBJ previous = SelectObject(dc, fonts_[kLabel2]);
  const int width = ShapedWidth(dc, text);
  SelectObject(dc, previous);
  ReleaseDC(hwnd_, dc);
  // A tenth to spare: a system may draw Tahoma with a stand-in of other
  // widths (Wine does), and the line is not to lose its end there either.
  return width * 10 <= (bounds.right - bounds.left) * 9;
}

}  // namespace tavilo
