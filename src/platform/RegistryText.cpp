#include "platform/RegistryText.h"

namespace tavilo {
namespace {

constexpr char32_t kHighSurrogateFirst = 0xD800;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kSurrogateEnd = 0xE000;

void AppendUnit(std::vector<std::uint8_t>& bytes, char16_t unit) {
  bytes.push_back(static_cast<std::uint8_t>(unit & 0xFF));
  bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
}

std::u16string ToUtf16(const std::wstring& text) {
  if constexpr (sizeof(wchar_t) == 2) {
    return std::u16string(text.begin(), text.end());
  } else {
    std::u16string units;
    for (wchar_t ch : text) {
      auto code = static_cast<char32_t>(ch);
      if (code >= 0x10000) {
        code -= 0x10000;
        units.push_back(static_cast<char16_t>(kHighSurrogateFirst + (code >> 10)));
        units.push_back(static_cast<char16_t>(kLowSurrogateFirst + (code & 0x3FF)));
      } else {
        units.push_back(static_cast<char16_t>(code));
      }
    }
    return units;
  }
}

std::wstring FromUtf16(const std::u16string& units) {
  if constexpr (sizeof(wchar_t) == 2) {
    return std::wstring(units.begin(), units.end());
  } else {
    std::wstring text;
    for (std::size_t i = 0; i < units.size(); ++i) {
      char32_t unit = units[i];
      bool pairs = unit >= kHighSurrogateFirst && unit < kLowSurrogateFirst &&
                   i + 1 < units.size() && units[i + 1] >= kLowSurrogateFirst &&
                   units[i + 1] < kSurrogateEnd;
      if (pairs) {
        char32_t low = units[++i];
        unit = 0x10000 + ((unit - kHighSurrogateFirst) << 10) + (low - kLowSurrogateFirst);
      }
      text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
  }
}

}  // namespace

std::vector<std::uint8_t> ToRegistryBytes(const std::wstring& text) {
  std::vector<std::uint8_t> bytes;
  for (char16_t unit : ToUtf16(text)) AppendUnit(bytes, unit);
  AppendUnit(bytes, 0);
  return bytes;
}

std::wstring FromRegistryBytes(const std::vector<std::uint8_t>& bytes) {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    auto unit = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
    if (unit == 0) break;
    units.push_back(unit);
  }
  return FromUtf16(units);
}

std::optional<std::uint32_t> DwordFromData(const RegistryData& data) {
  constexpr std::size_t kDwordSize = 4;
  if (data.type != kRegDword || data.bytes.size() != kDwordSize) return std::nullopt;
  std::uint32_t value = 0;
  for (std::size_t index = kDwordSize; index-- > 0;) value = value << 8 | data.bytes[index];
  return value;
}

std::optional<std::uint32_t> ReadRegistryDword(Platform& platform, RegistryRoot root,
                                               const std::wstring& path,
                                               const std::wstring& valueName) {
  RegistryKey key = 0;
  if (platform.OpenRegistryKey(root, path, kKeyQueryValue, key) != kErrorSuccess) {
    return std::nullopt;
  }
  RegistryData data;
  const long status = platform.QueryRegistryValue(key, valueName, kRegistryDwordCapacity, data);
  platform.CloseRegistryKey(key);
  return status == kErrorSuccess ? DwordFromData(data) : std::nullopt;
}

std::optional<std::wstring> ReadRegistryString(Platform& platform, RegistryRoot root,
                                               const std::wstring& path,
                                               const std::wstring& valueName) {
  RegistryKey key = 0;
  if (platform.OpenRegistryKey(root, path, kKeyRead, key) != kErrorSuccess) return std::nullopt;
  RegistryData data;
  long status = platform.QueryRegistryValue(key, valueName, kRegistryTextCapacity, data);
  platform.CloseRegistryKey(key);

  if (status != kErrorSuccess || data.bytes.empty()) return std::nullopt;
  if (data.type == kRegSz) return FromRegistryBytes(data.bytes);
  if (data.type == kRegExpandSz) {
    return platform.ExpandEnvironment(FromRegistryBytes(data.bytes));
  }
  return std::nullopt;
}

}  // namespace tavilo
