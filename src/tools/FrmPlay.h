// The song player: "Play" asks for an MP3 file and plays it in the
// background, "Stop" closes it. The song state (IsPlaying, SongFile) is
// program-wide: the song plays on after this window has closed, until the
// drop-down strip's unload or the Exit command closes it.
#pragma once

#include <windows.h>

#include "platform/Platform.h"
#include "tools/shared/ToolWindowBase.h"

namespace tavilo {

class FrmPlay final : public ToolWindowBase<FrmPlay> {
 public:
  // The two buttons form the control array Command1: Play is index 0, Stop
  // index 1; the control identifier is kCommand1 + index.
  static constexpr int kCommand1 = 201;
  enum Command1Index : int { kPlay = 0, kStop = 1 };
  static const ToolWindowDesign kDesign;

  explicit FrmPlay(Platform& platform);

 private:
  friend ToolWindowBase;
  void BuildWindow();
  void OnDpiChanged();
  void LoadBackground();
  LRESULT WindowMessage(UINT message, WPARAM wparam, LPARAM lparam);
  void Command1_Click(int index);
  void Form_Paint();
  void Form_Destroyed();

  HBITMAP background_ = nullptr;
};

}  // namespace tavilo
