#include "ui/CommonControls.h"

#include <windows.h>
#include <commctrl.h>

namespace tavilo {

void EnsureCommonControls() {
  static const bool initialised = [] {
    INITCOMMONCONTROLSEX controls = {
        sizeof(controls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    return InitCommonControlsEx(&controls) != FALSE;
  }();
  (void)initialised;
}

}  // namespace tavilo
