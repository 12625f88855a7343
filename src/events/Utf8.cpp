#include "events/Utf8.h"

namespace tavilo {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

void AppendEncoded(std::string& bytes, char32_t c) {
  if (c < 0x80) {
    bytes += static_cast<char>(c);
  } else if (c < 0x800) {
    bytes += static_cast<char>(0xC0 | (c >> 6));
    bytes += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    bytes += static_cast<char>(0xE0 | (c >> 12));
    bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    bytes += static_cast<char>(0xF0 | (c >> 18));
    bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

void AppendUtf8(std::string& bytes, std::wstring_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto c = static_cast<char32_t>(text[i]);
    if constexpr (sizeof(wchar_t) == 2) {
      const bool pairs = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() &&
                         text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
      if (pairs) c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<char32_t>(text[++i]) - 0xDC00);
    }
    AppendEncoded(bytes, IsSurrogate(c) || c > 0x10FFFF ? kReplacement : c);
  }
}

std::optional<std::wstring> DecodedUtf8(std::string_view bytes) {
  std::wstring text(bytes.size() + 1, L'\0');
  wchar_t* out = text.data();
  Utf8Decoder decoder;
  for (const char byte : bytes)
    if (!decoder.Take(static_cast<unsigned char>(byte), out)) return std::nullopt;
  if (!decoder.Complete()) return std::nullopt;
  text.resize(static_cast<std::size_t>(out - text.data()));
  return text;
}

}  // namespace tavilo
