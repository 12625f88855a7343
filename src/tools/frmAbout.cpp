#include "tools/frmAbout.h"

#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>

#include "../../assets/resource.h"
#include "tools/logic/AboutInfo.h"
#include "ui/BufferedPaint.h"
#include "ui/RtlText.h"

namespace tavilo {

namespace {

constexpr wchar_t kClassName[] = L"TaviloFrmAbout";
constexpr wchar_t kDesignCaption[] = L"About MyApp";
constexpr wchar_t kLabel2ToolTip[] = L"ورود به وبلاگ";

constexpr DWORD kStyle = kToolWindowStyle;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME;

// Window and drawn parts, in twips.
constexpr float kClientLeft = 2340;
constexpr float kClientTop = 1935;
constexpr float kClientWidth = 5730;
constexpr float kClientHeight = 3555;
struct TwipRect {
  float left, top, width, height;
};
constexpr TwipRect kImage1Area{120, 120, 1335, 2295};
constexpr TwipRect kLabel2Area{1680, 960, 3855, 1215};
constexpr TwipRect kLblTitleArea{1560, 120, 3885, 240};
constexpr TwipRect kLblVersionArea{1560, 480, 3885, 225};
// The separator: a white line two pixels wide under a grey one.
constexpr float kLineTop = 2520;
constexpr float kWhiteLineLeft = 105;
constexpr float kGreyLineLeft = 90;
constexpr float kLinesRight = 5654;

constexpr UINT_PTR kLabel2ToolId = 1;

// In tab order.
constexpr ControlSpec kControls[] = {
    {frmAbout::kCmdOK, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 4245, 2640, 1260, 345},
    {frmAbout::kCmdSysInfo, L"BUTTON", L"&System Info...", BS_PUSHBUTTON | WS_TABSTOP, 0, 4200,
     3120, 1305, 345},
    {frmAbout::kLblTitle, L"STATIC", L"Application Title", SS_LEFT | SS_NOPREFIX, 0,
     kLblTitleArea.left, kLblTitleArea.top, kLblTitleArea.width, kLblTitleArea.height},
    {frmAbout::kLblVersion, L"STATIC", L"Version", SS_LEFT | SS_NOPREFIX, 0, kLblVersionArea.left,
     kLblVersionArea.top, kLblVersionArea.width, kLblVersionArea.height},
};

RECT Pixels(const TwipRect& rect, unsigned dpi) {
  return PixelRect(rect.left, rect.top, rect.width, rect.height, dpi);
}

// A window owned by a hidden one gets no taskbar button; the owner is never
// shown, so the About window stays as free as an unowned one.
HWND HiddenOwner() {
  static HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
  return owner;
}

// The JPEG photograph from the program's resources, decoded by GDI+ and
// scaled once to `size`; nothing when it is missing or cannot be decoded.
HBITMAP LoadPicture(HINSTANCE instance, SIZE size) {
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDR_ABOUT_JPG), RT_RCDATA);
  if (!found) return nullptr;
  const DWORD length = SizeofResource(instance, found);
  const void* bytes = LockResource(LoadResource(instance, found));
  if (!bytes) return nullptr;
  HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, length);
  if (!copy) return nullptr;
  CopyMemory(GlobalLock(copy), bytes, length);
  GlobalUnlock(copy);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
    GlobalFree(copy);
    return nullptr;
  }

  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartupInput startup;
  HBITMAP picture = nullptr;
  if (Gdiplus::GdiplusStartup(&token, &startup, nullptr) == Gdiplus::Ok) {
    {
      Gdiplus::Bitmap photo(stream);
      if (photo.GetLastStatus() == Gdiplus::Ok) {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        picture = CreateCompatibleBitmap(screen, size.cx, size.cy);
        HGDIOBJ previous = SelectObject(dc, picture);
        {
          Gdiplus::Graphics graphics(dc);
          graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
          graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
          graphics.DrawImage(&photo, 0, 0, static_cast<INT>(size.cx), static_cast<INT>(size.cy));
        }
        SelectObject(dc, previous);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
      }
    }
    Gdiplus::GdiplusShutdown(token);
  }
  stream->Release();
  return picture;
}

bool Contains(const RECT& rect, POINT point) { return PtInRect(&rect, point) != FALSE; }

POINT PointOf(LPARAM lparam) {
  return {static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
}

}  // namespace

const ToolWindowDesign frmAbout::kDesign{
    kClassName,  kDesignCaption, kStyle,        kExStyle,        Origin::kClientArea,
    kClientLeft, kClientTop,     kClientWidth,  kClientHeight,   kControls,
    kTahomaPoints, frmAbout::kCmdOK, frmAbout::kCmdOK};

frmAbout::frmAbout(Platform& platform) : ToolWindowBase(platform) {}

HWND frmAbout::Owner() const { return HiddenOwner(); }

RECT frmAbout::Label2Rect() const { return Pixels(kLabel2Area, dpi_); }

LRESULT frmAbout::WindowMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  HWND hwnd = hwnd_;
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam));
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove(PointOf(lparam));
      return 0;
    case WM_LBUTTONDOWN:
      if (Contains(Label2Rect(), PointOf(lparam))) {
        label2Pressed_ = true;
        SetCapture(hwnd);
      }
      return 0;
    case WM_LBUTTONUP:
      OnLeftButtonUp(PointOf(lparam));
      return 0;
    case WM_CAPTURECHANGED:
      label2Pressed_ = false;
      return 0;
  }
  return DefWindowProcW(hwnd, message, wparam, lparam);
}

void frmAbout::BuildWindow() {
  CreateDrawingResources();
  label2Caption_ = CreditsText();
  AddLabel2ToolTip();
  Form_Load();
}

void frmAbout::OnDpiChanged() {
  ReleaseDrawingResources();
  CreateDrawingResources();
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = hwnd_;
  tool.uId = kLabel2ToolId;
  tool.rect = Label2Rect();
  SendMessageW(toolTip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(toolTip_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
}

void frmAbout::CreateDrawingResources() {
  italicFont_ = CreateTahoma(dpi_, ARABIC_CHARSET, true);
  versionFont_ = CreateTahoma(dpi_, ANSI_CHARSET);
  SendDlgItemMessageW(hwnd_, kLblVersion, WM_SETFONT, reinterpret_cast<WPARAM>(versionFont_),
                      TRUE);
  const RECT image = Pixels(kImage1Area, dpi_);
  picture_ = LoadPicture(GetModuleHandleW(nullptr),
                         {image.right - image.left, image.bottom - image.top});
}

void frmAbout::ReleaseDrawingResources() {
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(italicFont_), static_cast<HGDIOBJ>(versionFont_),
                         static_cast<HGDIOBJ>(picture_)}) {
    DeleteObject(object);
  }
  italicFont_ = versionFont_ = nullptr;
  picture_ = nullptr;
}

void frmAbout::AddLabel2ToolTip() {
  HWND tip = toolTip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                             CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(tip, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_SUBCLASS | TTF_RTLREADING;
  tool.hwnd = hwnd_;
  tool.uId = kLabel2ToolId;
  tool.rect = Label2Rect();
  tool.lpszText = const_cast<wchar_t*>(kLabel2ToolTip);
  SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void frmAbout::Form_Load() {
  SetWindowTextW(hwnd_, AboutCaption().c_str());
  SetDlgItemTextW(hwnd_, kLblVersion,
                  VersionCaption(TAVILO_VERSION_MAJOR, TAVILO_VERSION_MINOR,
                                 TAVILO_VERSION_REVISION)
                      .c_str());
  SetDlgItemTextW(hwnd_, kLblTitle, kApplicationTitle);
}

void frmAbout::Form_MouseMove() { SetLabel2Italic(false); }

void frmAbout::Form_Paint() {
  PaintBuffered(hwnd_, [this](HDC dc, const RECT&) { DrawSurface(dc); });
}

void frmAbout::DrawSurface(HDC dc) const {
  if (picture_) {
    const RECT image = Pixels(kImage1Area, dpi_);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(source, picture_);
    BitBlt(dc, image.left, image.top, image.right - image.left, image.bottom - image.top, source,
           0, 0, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  }

  const RECT white = PixelRect(kWhiteLineLeft, kLineTop, kLinesRight - kWhiteLineLeft, 0, dpi_);
  const RECT whiteLine{white.left, white.top, white.right, white.top + 2};
  FillRect(dc, &whiteLine, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const RECT grey = PixelRect(kGreyLineLeft, kLineTop, kLinesRight - kGreyLineLeft, 0, dpi_);
  const RECT greyLine{grey.left, grey.top, grey.right, grey.top + 1};
  FillRect(dc, &greyLine, GetSysColorBrush(COLOR_BTNSHADOW));

  HGDIOBJ previousFont = SelectObject(dc, label2Italic_ ? italicFont_ : font_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorOf(ActivePalette().windowText));
  DrawRtlParagraph(dc, CreditsLines(label2Caption_), Label2Rect());
  SelectObject(dc, previousFont);
}

void frmAbout::OnCommand(int control, int notification) {
  if (notification != BN_CLICKED) return;
  if (control == kCmdOK) cmdOK_Click();
  if (control == kCmdSysInfo) cmdSysInfo_Click();
}

// Closed once the button has finished its own click: the slide destroys it.
void frmAbout::cmdOK_Click() { PostMessageW(hwnd_, WM_CLOSE, 0, 0); }

void frmAbout::cmdSysInfo_Click() { StartSysInfo(platform_, hwnd_); }

void frmAbout::Label2_Click() { OpenWebLog(platform_); }

void frmAbout::Label2_MouseMove() { SetLabel2Italic(true); }

void frmAbout::OnMouseMove(POINT point) {
  if (Contains(Label2Rect(), point)) {
    Label2_MouseMove();
    return;
  }
  // The picture and the other labels have mouse moves of their own, which
  // change nothing.
  for (const TwipRect& other : {kImage1Area, kLblTitleArea, kLblVersionArea}) {
    if (Contains(Pixels(other, dpi_), point)) return;
  }
  Form_MouseMove();
}

void frmAbout::OnLeftButtonUp(POINT point) {
  if (!label2Pressed_) return;
  ReleaseCapture();  // clears label2Pressed_
  if (Contains(Label2Rect(), point)) Label2_Click();
}

void frmAbout::SetLabel2Italic(bool italic) {
  if (label2Italic_ == italic) return;
  label2Italic_ = italic;
  const RECT label = Label2Rect();
  InvalidateRect(hwnd_, &label, FALSE);
}

void frmAbout::Form_Destroyed() {
  ReleaseDrawingResources();
  toolTip_ = nullptr;  // owned by the window, gone with it
  label2Italic_ = false;
  label2Pressed_ = false;
}

}  // namespace tavilo
