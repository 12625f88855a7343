#include "tools/FrmPlay.h"

#include <vector>

#include "tools/logic/PlayerCommands.h"
#include "ui/Globals.h"
#include "ui/Twips.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmPlay";
constexpr wchar_t kCaption[] = L"پخش آهنگ";
// 350 x 140 picture made for 96 DPI, drawn at the top-left corner scaled
// like the rest of the window; without it the window shows the plain
// button-face colour.
constexpr wchar_t kBackgroundResource[] = L"FRMPLAY_BACKGROUND";

constexpr float kLeftTwips = 10080;
constexpr float kTopTwips = 2655;
constexpr float kClientWidthTwips = 5235;
constexpr float kClientHeightTwips = 2085;
constexpr float kButtonFontPoints = 9;

// The control array Command1, in tab order.
constexpr DWORD kButtonStyle = BS_PUSHBUTTON | WS_TABSTOP;
constexpr ControlSpec kButtons[] = {
    {FrmPlay::kCommand1 + FrmPlay::kPlay, L"BUTTON", L"پخش", kButtonStyle, WS_EX_RTLREADING, 2400,
     480, 1215, 495},
    {FrmPlay::kCommand1 + FrmPlay::kStop, L"BUTTON", L"توقف", kButtonStyle, WS_EX_RTLREADING, 2400,
     1200, 1215, 495},
};

const std::vector<FileFilter> kSongFilter = {{L"MP3 Files", L"*.mp3"}};

}  // namespace

const ToolWindowDesign FrmPlay::kDesign{
    kClassName, kCaption, kToolWindowStyle, kRightToLeftExStyle, Origin::kWindow,
    kLeftTwips, kTopTwips, kClientWidthTwips, kClientHeightTwips, kButtons,
    kButtonFontPoints, FrmPlay::kCommand1 + FrmPlay::kPlay, FrmPlay::kCommand1 + FrmPlay::kPlay};

FrmPlay::FrmPlay(Platform& platform) : ToolWindowBase(platform) {}

LRESULT FrmPlay::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message != WM_COMMAND) return DefWindowProcW(hwnd_, message, wparam, lparam);
  if (HIWORD(wparam) == BN_CLICKED) Command1_Click(LOWORD(wparam) - kCommand1);
  return 0;
}

void FrmPlay::BuildWindow() { LoadBackground(); }

void FrmPlay::OnDpiChanged() {
  DeleteObject(background_);
  LoadBackground();
}

// Scaled once for the window's DPI, so painting only copies it.
void FrmPlay::LoadBackground() {
  background_ = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), kBackgroundResource,
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!background_ || dpi_ == kStandardDpi) return;
  BITMAP design{};
  GetObjectW(background_, sizeof design, &design);
  const auto scale = [this](int pixels) {
    return MulDiv(pixels, static_cast<int>(dpi_), static_cast<int>(kStandardDpi));
  };
  const int width = scale(design.bmWidth);
  const int height = scale(design.bmHeight);
  HDC screen = GetDC(nullptr);
  HDC source = CreateCompatibleDC(screen);
  HDC target = CreateCompatibleDC(screen);
  HBITMAP scaled = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ previousSource = SelectObject(source, background_);
  HGDIOBJ previousTarget = SelectObject(target, scaled);
  SetStretchBltMode(target, HALFTONE);
  StretchBlt(target, 0, 0, width, height, source, 0, 0, design.bmWidth, design.bmHeight, SRCCOPY);
  SelectObject(source, previousSource);
  SelectObject(target, previousTarget);
  DeleteDC(source);
  DeleteDC(target);
  ReleaseDC(nullptr, screen);
  DeleteObject(background_);
  background_ = scaled;
}

void FrmPlay::Command1_Click(int index) {
  const SongState song{IsPlaying, SongFile};
  if (index == kPlay) {
    // A cancelled dialog leaves the song and its state as they are.
    const auto chosen = platform_.ShowOpenFileDialog(hwnd_, kSongFilter);
    if (chosen) PlayChosenSong(platform_, song, *chosen);
  } else if (index == kStop) {
    StopSong(platform_, song);
  }
}

void FrmPlay::Form_Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(hwnd_, &paint);
  if (background_) {
    BITMAP size{};
    GetObjectW(background_, sizeof size, &size);
    HDC pictureDc = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(pictureDc, background_);
    BitBlt(dc, 0, 0, size.bmWidth, size.bmHeight, pictureDc, 0, 0, SRCCOPY);
    SelectObject(pictureDc, previous);
    DeleteDC(pictureDc);
  }
  EndPaint(hwnd_, &paint);
}

void FrmPlay::Form_Destroyed() {
  DeleteObject(background_);
  background_ = nullptr;
}

}  // namespace tavilo
