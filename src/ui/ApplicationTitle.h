// The program's name: the strip's title label, the About window's title and
// the title of every message box.
#pragma once

namespace tavilo {

inline constexpr wchar_t kApplicationTitle[] = L"Tavilo";

}  // namespace tavilo
