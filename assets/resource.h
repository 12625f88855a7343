// Resource identifiers shared by tavilo.rc and the C++ code. Plain #defines
// so that the resource compiler's preprocessor reads this file too.
#ifndef TAVILO_RESOURCE_H
#define TAVILO_RESOURCE_H

// Program icon: three 32 x 32 images (16 colours, 256 colours, 32-bit alpha).
// The lowest icon id, so Explorer shows it for the executable.
#define IDI_TAVILO 1

// Background of the drop-down strip: 350 x 140 24-bit bitmap whose pure red
// (255, 0, 0) pixels are cut away by the window's colour key.
#define IDB_SKIN 101

// The About window's 640 x 480 clock-dial photograph, a JPEG stored as RCDATA.
#define IDR_ABOUT_JPG 102

// Version of the program (TAVILO_VERSION_*): the version resource and the About
// window read it from the header CMake writes from project()'s VERSION.
#include "version.h"

#endif
