// Tab, Enter and Esc in the tool windows, as in dialog boxes. Every message
// loop of the program (the main one and the slide-out's) hands its messages
// to DispatchProgramMessage, so a window keeps its keys while another one slides away.
#pragma once

#include <windows.h>

namespace tavilo {

// A tool window answers dialog keys from its creation until its destruction.
void AddDialogWindow(HWND window);
void RemoveDialogWindow(HWND window);

// True when `message` was a dialog key of a tool window and has been handled;
// the caller then neither translates nor dispatches it.
bool HandleDialogKeys(MSG& message);

// One message of a message loop: its dialog keys, else translated and
// dispatched. An exception stops here (FailureGuard.h): the loop goes on.
void DispatchProgramMessage(MSG& message) noexcept;

}  // namespace tavilo
