// The month's timetable drawn on one portrait page with GDI: the heading,
// the table with ruled rows right to left (days off in the calendar's
// holiday colour, today shaded), and a footer with the method and «Tavilo».
// One function for the printer and for any other device context.
#pragma once

#include <windows.h>

#include "tools/logic/Timetable.h"

namespace tavilo {

// Draws on `dc` within a page of `width` x `height` device pixels at `dpi`
// pixels per inch; the text shrinks until the table fits the page.
void DrawTimetablePage(HDC dc, const Timetable& table, bool persianDigits, int width, int height,
                       int dpi);

}  // namespace tavilo
