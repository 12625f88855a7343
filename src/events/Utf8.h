// UTF-8 as the events file stores text, for both widths of wchar_t: UTF-16
// on Windows (surrogate pairs), UTF-32 elsewhere.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tavilo {

// Decodes the character that starts at bytes[at] and moves `at` past it.
// Nothing for a malformed sequence (overlong, a surrogate, past U+10FFFF,
// cut short).
std::optional<char32_t> DecodeUtf8(std::string_view bytes, std::size_t& at);

// Appends a character as one or two wchar_t.
void AppendCodePoint(std::wstring& text, char32_t character);

// Appends text as UTF-8; a lone surrogate becomes U+FFFD.
void AppendUtf8(std::string& bytes, std::wstring_view text);

}  // namespace tavilo
