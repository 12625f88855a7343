// The common controls (tooltips, and the themed look of buttons and boxes)
// are initialised when the first window that uses them is made, not at
// start-up: the parked strip uses none of them.
#pragma once

namespace tavilo {

// Initialises the common controls once; later calls do nothing.
void EnsureCommonControls();

}  // namespace tavilo
