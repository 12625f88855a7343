// The date converter: three typed numbers, a direction, and the converted
// year, month and day underneath. While it is open its caption is typed out
// and erased again without end, and a label with today's Shamsi date glides
// left and right across a band at the top, ever faster.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "calendar/Class1.h"
#include "platform/Platform.h"
#include "tools/logic/CaptionLoop.h"
#include "tools/logic/ConverterInput.h"
#include "tools/logic/Glide.h"
#include "tools/shared/ToolWindowBase.h"

namespace tavilo {

class DateConvert final : public ToolWindowBase<DateConvert> {
 public:
  // Control identifiers, in tab order; the labels take no focus.
  enum Control : int {
    kOptMil = 101,
    kOptShamsi,
    kTxtSal,
    kTxtMah,
    kTxtRoz,
    kCmdConvert,
    kTxtsal2,
    kTxtmah2,
    kTxtroz2,
    kLabel3,
    kLabel2,
    kLabel1,
  };
  enum Timer : UINT_PTR {
    kTimer1 = 1,  // l1 glides left
    kTimer2,      // caption loop
    kTimer3,      // l1 glides right
  };
  static constexpr UINT kGlideIntervalMs = 200;
  static const ToolWindowDesign kDesign;
  static constexpr bool kPaintsWholeClientArea = true;

  explicit DateConvert(Platform& platform);

  // Slides `frmSlide` off the screen and unloads it (see SlideOut.h).
  void SlideWindow(HWND frmSlide, std::int16_t iSpeed);

  // The label l1, which the window draws itself.
  const std::wstring& l1Caption() const { return l1Caption_; }
  // Its rectangle in client pixels.
  RECT l1Rect() const;
  const LabelGlide& l1Glide() const { return glide_; }

  // Event handlers; the window procedure routes messages to them.
  void Form_Load();
  void Form_Unload();
  void Form_Paint();
  void cmdConvert_Click();
  void txtSal_Change();
  void TxtMah_Change();
  void txtRoz_Change();
  void Timer1_Timer();
  void Timer2_Timer();
  void Timer3_Timer();

 private:
  friend ToolWindowBase;
  void BuildWindow();
  void OnDpiChanged();
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // l1 sizes itself to its text.
  void MeasureL1();
  void OnCommand(int control, int notification);
  void EnableWhenComplete();
  DateFields Input() const;
  ConvertDirection Direction() const;
  std::wstring Text(Control control) const;
  void ShowMessage(const std::wstring& text);
  // Repaints the band l1 glides in.
  void InvalidateBand();
  void Form_Destroyed();

  std::optional<Class1> calendar_;
  std::optional<CaptionLoop> captionLoop_;
  UINT captionIntervalMs_ = CaptionLoop::kGrowIntervalMs;
  LabelGlide glide_;
  std::wstring l1Caption_;
  SIZE l1Size_{};
};

}  // namespace tavilo
