#include "ui/PersianDigits.h"

namespace tavilo {

std::wstring PersianDigits(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'0' && c <= L'9') c = static_cast<wchar_t>(L'\x06F0' + (c - L'0'));
  return text;
}

std::wstring LatinDigits(std::wstring text) {
  for (wchar_t& c : text)
    if (c >= L'\x06F0' && c <= L'\x06F9') c = static_cast<wchar_t>(L'0' + (c - L'\x06F0'));
  return text;
}

}  // namespace tavilo
