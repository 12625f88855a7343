// The song player: "Play" asks for an MP3 file and plays it in the
// background, "Stop" closes it. The song state (IsPlaying, SongFile) is
// program-wide: the song plays on after this window has closed, until the
// drop-down strip's unload or the Exit command closes it.
#pragma once

#include <windows.h>

#include "app/logic/ToolWindows.h"
#include "platform/Platform.h"
#include "tools/shared/ToolWindowBase.h"

namespace tavilo {

class FrmPlay final : public ToolWindow {
 public:
  // The two buttons form the control array Command1: Play is index 0, Stop
  // index 1; the control identifier is kCommand1 + index.
  static constexpr int kCommand1 = 201;
  enum Command1Index : int { kPlay = 0, kStop = 1 };

  explicit FrmPlay(Platform& platform);
  ~FrmPlay() override;
  FrmPlay(const FrmPlay&) = delete;
  FrmPlay& operator=(const FrmPlay&) = delete;

  bool IsOpen() const override { return hwnd_ != nullptr; }
  void Open() override;
  void BringToFront() override;
  HWND Handle() const { return hwnd_; }

 private:
  friend LRESULT CALLBACK RoutedWindowProc<FrmPlay>(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  // Places and sizes the window for its DPI and creates its buttons.
  void BuildWindow();
  void Command1_Click(int index);
  void Form_Paint();
  void Form_Unload();
  void Form_Destroyed();

  Platform& platform_;
  HWND hwnd_ = nullptr;
  HFONT buttonFont_ = nullptr;
  HBITMAP background_ = nullptr;
};

}  // namespace tavilo
