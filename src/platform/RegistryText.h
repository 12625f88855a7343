// Text and number values from the registry, read through the platform seam,
// and the conversion between wide strings and the UTF-16 bytes the registry
// stores.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace tavilo {

// Room for 1023 characters and the terminating zero.
inline constexpr std::size_t kRegistryTextCapacity = 2048;

// Reads a text value of a key opened read-only. REG_SZ comes back as stored,
// REG_EXPAND_SZ with its %NAME% references expanded. Nothing when the key or
// the value is missing, the value holds no data at all, is longer than
// kRegistryTextCapacity bytes, or is not text. The key is always closed again.
std::optional<std::wstring> ReadRegistryString(Platform& platform, RegistryRoot root,
                                               const std::wstring& path,
                                               const std::wstring& valueName);

// Room to tell a four-byte REG_DWORD from longer data.
inline constexpr std::size_t kRegistryDwordCapacity = 16;

// The number in REG_DWORD data: four bytes, little-endian. Nothing for data
// of another type or size.
std::optional<std::uint32_t> DwordFromData(const RegistryData& data);

// Reads a REG_DWORD value of a key opened for querying values; nothing when
// the key or the value is missing or the value is not such a number. The key
// is always closed again.
std::optional<std::uint32_t> ReadRegistryDword(Platform& platform, RegistryRoot root,
                                               const std::wstring& path,
                                               const std::wstring& valueName);

// UTF-16LE bytes of `text` followed by a terminating zero, as RegSetValueExW
// expects REG_SZ data.
std::vector<std::uint8_t> ToRegistryBytes(const std::wstring& text);

// The text in UTF-16LE registry data, up to the first zero character; an odd
// trailing byte is ignored.
std::wstring FromRegistryBytes(const std::vector<std::uint8_t>& bytes);

}  // namespace tavilo
