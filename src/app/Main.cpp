// Start-up: the drop-down strip is the program's main window; the hidden menu
// host and the tool windows come on first use. Exit ends the message loop.
#include <windows.h>

#include <memory>

#include "app/Form1.h"
#include "app/FrmMenu.h"
#include "app/Messages.h"
#include "app/logic/ToolWindows.h"
#include "platform/win32/Win32Platform.h"
#include "tools/FrmPlay.h"
#include "tools/FrmShutDown.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  tavilo::Win32Platform platform;
  tavilo::SetDefaultMessageSink(tavilo::TaviloMessageBox(platform));

  tavilo::ToolWindowRegistry tools;
  tools.Register(tavilo::ToolWindowKind::kFrmShutDown,
                 std::make_unique<tavilo::FrmShutDown>(platform));
  tools.Register(tavilo::ToolWindowKind::kFrmPlay, std::make_unique<tavilo::FrmPlay>(platform));
  tavilo::FrmMenu menu(instance, platform, tools, [] { PostQuitMessage(0); });
  tavilo::Form1 form1(instance, platform, menu);
  menu.AttachMainWindow(form1);
  if (!form1.Create()) return 1;

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
