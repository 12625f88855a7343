#include "tools/FrmShutDownNumericText.h"

#include <windows.h>
#include <oleauto.h>

namespace tavilo {

std::optional<double> UserLocaleNumericText::ToNumber(const std::wstring& text) {
  double value = 0;
  // The conversion only reads the text; mingw declares it non-const.
  const HRESULT result =
      VarR8FromStr(const_cast<OLECHAR*>(text.c_str()), LOCALE_USER_DEFAULT, 0, &value);
  if (FAILED(result)) return std::nullopt;
  return value;
}

}  // namespace tavilo
