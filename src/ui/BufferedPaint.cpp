#include "ui/BufferedPaint.h"

#include "ui/WindowTheme.h"

namespace tavilo {

void PaintBuffered(HWND window, const std::function<void(HDC dc, const RECT& client)>& draw) {
  PAINTSTRUCT paint;
  HDC target = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  HDC dc = CreateCompatibleDC(target);
  HBITMAP buffer = CreateCompatibleBitmap(target, client.right, client.bottom);
  HGDIOBJ previousBitmap = SelectObject(dc, buffer);
  const int saved = SaveDC(dc);
  FillRect(dc, &client, SurfaceBrush());
  // A window cut to the work area draws at its scroll position, as its
  // controls stand.
  SetWindowOrgEx(dc, GetScrollPos(window, SB_HORZ), GetScrollPos(window, SB_VERT), nullptr);
  draw(dc, client);
  RestoreDC(dc, saved);
  const RECT& area = paint.rcPaint;
  BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc,
         area.left, area.top, SRCCOPY);
  SelectObject(dc, previousBitmap);
  DeleteObject(buffer);
  DeleteDC(dc);
  EndPaint(window, &paint);
}

}  // namespace tavilo
