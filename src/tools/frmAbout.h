// The About window: the program's photograph, title and version, the credits
// text (a link to the author's web log that turns italic under the mouse),
// OK and the button that starts the system information tool.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Platform.h"
#include "tools/shared/ToolWindowBase.h"

namespace tavilo {

class frmAbout final : public ToolWindowBase<frmAbout> {
 public:
  // Control identifiers, in tab order. OK answers to Enter and Esc.
  enum Control : int { kCmdOK = IDOK, kCmdSysInfo = 101, kLblTitle, kLblVersion };
  static const ToolWindowDesign kDesign;
  static constexpr bool kPaintsWholeClientArea = true;

  explicit frmAbout(Platform& platform);

  // Label2, the credits text, which the window draws itself.
  const std::wstring& Label2Caption() const { return label2Caption_; }
  bool Label2FontItalic() const { return label2Italic_; }
  // Its rectangle in client pixels.
  RECT Label2Rect() const;
  // Whether the photograph was decoded from the program's resources.
  bool HasPicture() const { return picture_ != nullptr; }

  // Event handlers; the window procedure routes messages to them.
  void Form_Load();
  void Form_MouseMove();
  void Form_Paint();
  void cmdOK_Click();
  void cmdSysInfo_Click();
  void Label2_Click();
  void Label2_MouseMove();

 private:
  friend ToolWindowBase;
  void BuildWindow();
  void OnDpiChanged();
  HWND Owner() const;
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // The fonts and the photograph at dpi_, beside the controls' font.
  void CreateDrawingResources();
  void ReleaseDrawingResources();
  void AddLabel2ToolTip();
  void OnCommand(int control, int notification);
  // Mouse moves over the window's surface: Label2, another label or the
  // picture, or the bare surface.
  void OnMouseMove(POINT point);
  void OnLeftButtonUp(POINT point);
  void SetLabel2Italic(bool italic);
  void DrawSurface(HDC dc) const;
  void Form_Destroyed();

  HWND toolTip_ = nullptr;
  HFONT italicFont_ = nullptr;
  HFONT versionFont_ = nullptr;
  HBITMAP picture_ = nullptr;
  std::wstring label2Caption_;
  bool label2Italic_ = false;
  bool label2Pressed_ = false;
};

}  // namespace tavilo
