// The program's own strip (Form1 with its menu host and the real platform),
// held down for measure.sh: its auto-hide tick is swallowed, so once it has
// come down it stays down. Built three times:
//   strip_held_down.exe       paints exactly as tavilo.exe does;
//   strip_invalidate_all.exe  invalidates the whole window on every counter
//                             tick, painted by the strip's own code;
//   strip_redraw_all.exe      invalidates the whole window on every counter
//                             tick and redraws everything each time: key
//                             colour, skin and the three labels in a new
//                             buffer, as a window that keeps nothing would.
#include <windows.h>

#include "../../assets/resource.h"
#include "app/Form1.h"
#include "app/FrmMenu.h"
#include "platform/win32/Win32Platform.h"
#include "ui/RtlText.h"
#include "ui/ToolWindows.h"

namespace {

using tavilo::Form1;

enum class Variant { kHeldDown, kInvalidateAll, kRedrawAll };
constexpr Variant kVariant = static_cast<Variant>(TAVILO_BENCH_VARIANT);

// The strip's label look, in Form1::Label order: the date line reads right
// to left in black, the title and the counter are left-aligned in the
// system's button-text colour.
struct LabelLook {
  bool rightToLeft;
  bool buttonTextColor;
};
constexpr LabelLook kLabelLook[Form1::kLabelCount] = {{false, true}, {true, false}, {false, true}};

const Form1* strip = nullptr;
WNDPROC stripProcedure = nullptr;
HBITMAP skin = nullptr;

void RedrawEverything(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  HDC buffer = CreateCompatibleDC(dc);
  HBITMAP pixels = CreateCompatibleBitmap(dc, client.right, client.bottom);
  HGDIOBJ previousPixels = SelectObject(buffer, pixels);

  HBRUSH key = CreateSolidBrush(Form1::kKeyColor);
  FillRect(buffer, &client, key);
  DeleteObject(key);
  BITMAP picture;
  GetObjectW(skin, sizeof(picture), &picture);
  HDC source = CreateCompatibleDC(buffer);
  HGDIOBJ previousSkin = SelectObject(source, skin);
  SetStretchBltMode(buffer, COLORONCOLOR);
  StretchBlt(buffer, 0, 0, MulDiv(picture.bmWidth, strip->Dpi(), 96),
             MulDiv(picture.bmHeight, strip->Dpi(), 96), source, 0, 0, picture.bmWidth,
             picture.bmHeight, SRCCOPY);
  SelectObject(source, previousSkin);
  DeleteDC(source);

  SetBkMode(buffer, TRANSPARENT);
  for (Form1::Label label : {Form1::kLabel3, Form1::kLabel2, Form1::kLabel1}) {
    const std::wstring& text = strip->Caption(label);
    RECT area = strip->LabelRect(label);
    HGDIOBJ previousFont = SelectObject(buffer, strip->LabelFont(label));
    SetTextColor(buffer, kLabelLook[label].buttonTextColor ? GetSysColor(COLOR_BTNTEXT) : 0);
    if (kLabelLook[label].rightToLeft) {
      const int saved = SaveDC(buffer);
      IntersectClipRect(buffer, area.left, area.top, area.right, area.bottom);
      tavilo::DrawRtlParagraph(buffer, text, area);
      RestoreDC(buffer, saved);
    } else {
      DrawTextW(buffer, text.c_str(), static_cast<int>(text.size()), &area,
                DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
    }
    SelectObject(buffer, previousFont);
  }

  BitBlt(dc, 0, 0, client.right, client.bottom, buffer, 0, 0, SRCCOPY);
  SelectObject(buffer, previousPixels);
  DeleteObject(pixels);
  DeleteDC(buffer);
  EndPaint(window, &paint);
}

LRESULT CALLBACK HeldDownProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_TIMER && wparam == Form1::kTimer3) return 0;
  if (message == WM_PAINT && kVariant == Variant::kRedrawAll) {
    RedrawEverything(window);
    return 0;
  }
  const LRESULT result = CallWindowProcW(stripProcedure, window, message, wparam, lparam);
  if (kVariant != Variant::kHeldDown && message == WM_TIMER && wparam == Form1::kTimer4) {
    InvalidateRect(window, nullptr, FALSE);
  }
  return result;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  tavilo::Win32Platform platform;
  tavilo::ToolWindowRegistry tools;
  tavilo::FrmMenu menu(instance, platform, tools, [] { PostQuitMessage(0); });
  Form1 form1(instance, platform, menu);
  menu.AttachMainWindow(form1);
  skin = static_cast<HBITMAP>(
      LoadImageW(instance, MAKEINTRESOURCEW(IDB_SKIN), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!skin || !form1.Create()) return 1;
  strip = &form1;
  stripProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      form1.Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HeldDownProcedure)));

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  DeleteObject(skin);
  return static_cast<int>(message.wParam);
}
