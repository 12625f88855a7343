// Digits as Persian text writes them (۰ to ۹), swapped only where text is
// shown: the calendar's own texts keep their Latin digits.
#pragma once

#include <string>

namespace tavilo {

std::wstring PersianDigits(std::wstring text);
// And back, where the user chose Latin digits or a file wants them.
std::wstring LatinDigits(std::wstring text);

}  // namespace tavilo
