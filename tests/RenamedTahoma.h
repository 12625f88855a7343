// Wine's own Tahoma, loaded for this process under the name "Tahomx": the
// prefix substitutes its DejaVu stand-in for any font named Tahoma, even one
// the process adds itself, so only a renamed copy measures like the real one.
#pragma once

#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

namespace tavilo::testing {

inline constexpr wchar_t kRenamedTahoma[] = L"Tahomx";

inline bool LoadRenamedTahoma() {
  std::ifstream file("Z:\\usr\\share\\wine\\fonts\\tahoma.ttf", std::ios::binary);
  std::string tahoma{std::istreambuf_iterator<char>(file), {}};
  const std::string name("\0T\0a\0h\0o\0m\0a", 12);
  for (auto at = tahoma.find(name); at != std::string::npos; at = tahoma.find(name)) {
    tahoma[at + 11] = 'x';
  }
  DWORD fonts = 0;
  return !tahoma.empty() &&
         AddFontMemResourceEx(tahoma.data(), static_cast<DWORD>(tahoma.size()), nullptr, &fonts);
}

}  // namespace tavilo::testing
