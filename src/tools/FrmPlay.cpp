#include "tools/FrmPlay.h"

#include <vector>

#include "app/logic/Globals.h"
#include "app/logic/Twips.h"
#include "tools/logic/PlayerCommands.h"
#include "tools/shared/ControlTable.h"
#include "tools/shared/SlideOut.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmPlay";
constexpr wchar_t kCaption[] = L"پخش آهنگ";
// 350 x 140 picture drawn unscaled at the top-left corner; without it the
// window shows the plain button-face colour.
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

FrmPlay::FrmPlay(Platform& platform) : platform_(platform) {}

FrmPlay::~FrmPlay() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void FrmPlay::Open() {
  if (hwnd_) return;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  RegisterToolWindowClass(instance, kClassName, &RoutedWindowProc<FrmPlay>);
  // Placed and sized once the window knows its DPI (BuildWindow).
  CreateWindowExW(kRightToLeftExStyle, kClassName, kCaption, kToolWindowStyle, 0, 0, 0, 0, nullptr,
                  nullptr, instance, this);
  if (hwnd_) ShowWindow(hwnd_, SW_SHOWNORMAL);
}

void FrmPlay::BringToFront() { BringWindowToFront(hwnd_); }

LRESULT FrmPlay::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND hwnd = hwnd_;
  switch (message) {
    case WM_CREATE:
      BuildWindow();
      return 0;
    case WM_COMMAND:
      if (HIWORD(wparam) == BN_CLICKED) Command1_Click(LOWORD(wparam) - kCommand1);
      return 0;
    case WM_PAINT:
      Form_Paint();
      return 0;
    case WM_CLOSE:
      // A close request during the slide belongs to the close under way.
      if (!IsSlidingOut(hwnd)) Form_Unload();
      return 0;
    case WM_NCDESTROY:
      Form_Destroyed();
      break;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void FrmPlay::BuildWindow() {
  const unsigned dpi = platform_.WindowDpi(hwnd_);
  PlaceWindow(hwnd_, Origin::kWindow, kLeftTwips, kTopTwips, kClientWidthTwips, kClientHeightTwips,
              dpi);
  background_ = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), kBackgroundResource,
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  buttonFont_ = CreateFontW(-PixelsFromPoints(kButtonFontPoints, dpi), 0, 0, 0, FW_NORMAL, FALSE,
                            FALSE, FALSE, ARABIC_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                            DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, L"Tahoma");
  CreateControls(hwnd_, kButtons, buttonFont_, dpi);
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

void FrmPlay::Form_Unload() { SlideOutAndUnload(hwnd_, kSlideStepTwips, platform_); }

void FrmPlay::Form_Destroyed() {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
  DeleteObject(buttonFont_);
  buttonFont_ = nullptr;
  DeleteObject(background_);
  background_ = nullptr;
}

}  // namespace tavilo
