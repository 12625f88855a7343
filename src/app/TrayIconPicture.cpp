#include "app/TrayIconPicture.h"

#include <cstring>
#include <optional>
#include <vector>

#include "app/logic/IconPixels.h"

namespace tavilo {
namespace {

// Has the Persian digits too; a system without it substitutes one that has.
constexpr wchar_t kFaceName[] = L"Tahoma";

// A top-down 32-bit DIB section of width x height and its pixels.
struct Surface {
  HBITMAP bitmap = nullptr;
  std::uint32_t* pixels = nullptr;
};

Surface CreateSurface(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  Surface surface;
  void* bits = nullptr;
  surface.bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  surface.pixels = static_cast<std::uint32_t*>(bits);
  return surface;
}

HFONT CreateDigitFont(int height) {
  LOGFONTW font{};
  font.lfHeight = -height;
  font.lfWeight = FW_BOLD;
  font.lfCharSet = DEFAULT_CHARSET;
  // Grey levels, not the colour fringes of ClearType: they become alpha.
  font.lfQuality = ANTIALIASED_QUALITY;
  wcscpy_s(font.lfFaceName, kFaceName);
  return CreateFontIndirectW(&font);
}

// The text drawn white on black at a font of `height` pixels into the work
// surface, as coverage; nothing when it does not fit the surface whole.
std::optional<Coverage> DrawnText(HDC dc, const Surface& work, int side,
                                  const std::wstring& text, int height) {
  HFONT font = CreateDigitFont(height);
  if (!font) return std::nullopt;
  HGDIOBJ previous = SelectObject(dc, font);
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  std::optional<Coverage> drawn;
  if (extent.cx < side && extent.cy < side) {
    std::memset(work.pixels, 0, sizeof(std::uint32_t) * side * side);
    ExtTextOutW(dc, 0, 0, 0, nullptr, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    GdiFlush();
    drawn = Coverage{side, side, std::vector<std::uint8_t>(side * side)};
    // Green: the channel with the most weight in a grey level.
    for (int i = 0; i < side * side; ++i)
      drawn->levels[i] = static_cast<std::uint8_t>(work.pixels[i] >> 8);
  }
  SelectObject(dc, previous);
  DeleteObject(font);
  return drawn;
}

// The largest bold text whose ink fits the icon, centred on it.
Coverage FittedText(const std::wstring& text, int size) {
  // Digits' ink is about three quarters of the font's height: twice the icon
  // leaves room for the largest that can fit.
  const int side = 2 * size;
  Coverage fitted{size, size, std::vector<std::uint8_t>(size * size)};
  const Surface work = CreateSurface(side, side);
  HDC dc = CreateCompatibleDC(nullptr);
  if (!work.bitmap || !dc) {
    if (work.bitmap) DeleteObject(work.bitmap);
    if (dc) DeleteDC(dc);
    return fitted;
  }
  HGDIOBJ previousBitmap = SelectObject(dc, work.bitmap);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(255, 255, 255));
  for (int height = side; height > 0; --height) {
    const std::optional<Coverage> drawn = DrawnText(dc, work, side, text, height);
    if (!drawn) continue;
    const InkBox ink = InkBounds(*drawn);
    if (!InkFits(ink, size)) continue;
    fitted = CentredInk(*drawn, ink, size);
    break;
  }
  SelectObject(dc, previousBitmap);
  DeleteDC(dc);
  DeleteObject(work.bitmap);
  return fitted;
}

}  // namespace

HICON DrawDayIcon(const std::wstring& dayText, int size, IconColours colours) {
  const std::vector<std::uint32_t> pixels = IconPixels(FittedText(dayText, size), colours);
  const Surface colour = CreateSurface(size, size);
  if (!colour.bitmap) return nullptr;
  std::memcpy(colour.pixels, pixels.data(), pixels.size() * sizeof pixels[0]);
  // The mask only matters where alpha is not honoured: opaque (0) on the
  // badge, see-through (1) beside its corners.
  const int maskStride = (size + 15) / 16 * 2;
  std::vector<std::uint8_t> maskBits(maskStride * size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      if ((pixels[y * size + x] >> 24) == 0)
        maskBits[y * maskStride + x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
    }
  }
  HBITMAP mask = CreateBitmap(size, size, 1, 1, maskBits.data());
  ICONINFO info{};
  info.fIcon = TRUE;
  info.hbmMask = mask;
  info.hbmColor = colour.bitmap;
  HICON icon = mask ? CreateIconIndirect(&info) : nullptr;
  if (mask) DeleteObject(mask);
  DeleteObject(colour.bitmap);
  return icon;
}

}  // namespace tavilo
