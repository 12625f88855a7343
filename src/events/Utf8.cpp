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

std::optional<std::string> Utf8FromMarkedUtf16(std::string_view bytes) {
  const bool little = bytes.starts_with("\xFF\xFE");
  if (!little && !bytes.starts_with("\xFE\xFF")) return std::nullopt;
  const auto unit = [&](std::size_t at) {
    const auto first = static_cast<unsigned char>(bytes[at]);
    const auto second = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<char32_t>(little ? first | second << 8 : first << 8 | second);
  };
  std::string text;
  text.reserve(bytes.size() * 3 / 2);
  for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
    char32_t c = unit(at);
    const bool pairs = c >= 0xD800 && c <= 0xDBFF && at + 3 < bytes.size() &&
                       unit(at + 2) >= 0xDC00 && unit(at + 2) <= 0xDFFF;
    if (pairs) {
      at += 2;
      c = 0x10000 + ((c - 0xD800) << 10) + (unit(at) - 0xDC00);
    }
    AppendEncoded(text, IsSurrogate(c) ? kReplacement : c);
  }
  if (bytes.size() % 2) AppendEncoded(text, kReplacement);  // a byte short of a character
  return text;
}

}  // namespace tavilo
