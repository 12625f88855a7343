// UTF-8 as the events file stores text, for both widths of wchar_t: UTF-16
// on Windows (surrogate pairs), UTF-32 elsewhere.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavilo {

// Decodes UTF-8 one byte at a time through a small state machine, without a
// branch on the length of each character (Persian text mixes one-, two- and
// three-byte characters, which would defeat branch prediction). Overlong
// forms, surrogates and values past U+10FFFF are refused.
class Utf8Decoder {
 public:
  // Takes one byte; writes a character to `out` when it ends one. False once
  // the bytes are not UTF-8.
  bool Take(unsigned char byte, wchar_t*& out) {
    const std::uint8_t kind = kKinds[byte];
    character_ = state_ == kAccept * 6 ? byte & kLeadMask[kind] : (character_ << 6) | (byte & 0x3F);
    state_ = static_cast<std::uint8_t>((kRows[kind] >> state_) & 63);
    if constexpr (sizeof(wchar_t) == 2) {
      if (character_ >= 0x10000 && state_ == kAccept * 6) {
        *out++ = static_cast<wchar_t>(0xD800 + ((character_ - 0x10000) >> 10));
        character_ = 0xDC00 + (character_ & 0x3FF);
      }
    }
    *out = static_cast<wchar_t>(character_);
    out += state_ == kAccept * 6;
    return state_ != kReject * 6;
  }
  // Between characters (not inside one).
  bool Complete() const { return state_ == kAccept * 6; }

 private:
  // Kinds of byte: ASCII; continuation 80..8F, 90..9F, A0..BF; lead of two
  // bytes; E0; other leads of three; ED; F0; F1..F3; F4; never in UTF-8.
  enum : std::uint8_t {
    kAscii,
    kCont8,
    kCont9,
    kContAB,
    kLead2,
    kE0,
    kLead3,
    kED,
    kF0,
    kLead4,
    kF4,
    kBad
  };
  // States: between characters, then how many continuation bytes are due
  // and which the next may be.
  enum : std::uint8_t {
    kAccept,
    kNeed1,
    kNeed2,
    kNeed2AfterE0,
    kNeed2AfterED,
    kNeed3,
    kNeed3AfterF0,
    kNeed3AfterF4,
    kReject
  };

  static constexpr std::array<std::uint8_t, 256> kKinds = [] {
    std::array<std::uint8_t, 256> kinds{};
    for (int b = 0; b < 256; ++b) {
      kinds[b] = b < 0x80    ? kAscii
                 : b < 0x90  ? kCont8
                 : b < 0xA0  ? kCont9
                 : b < 0xC0  ? kContAB
                 : b < 0xC2  ? kBad
                 : b < 0xE0  ? kLead2
                 : b == 0xE0 ? kE0
                 : b == 0xED ? kED
                 : b < 0xF0  ? kLead3
                 : b == 0xF0 ? kF0
                 : b < 0xF4  ? kLead4
                 : b == 0xF4 ? kF4
                             : kBad;
    }
    return kinds;
  }();
  static constexpr std::uint8_t kLeadMask[12] = {0x7F, 0,    0,    0,    0x1F, 0x0F,
                                                 0x0F, 0x0F, 0x07, 0x07, 0x07, 0};
  static constexpr std::uint8_t R = kReject;
  static constexpr std::uint8_t kNext[9][12] = {
      {kAccept, R, R, R, kNeed1, kNeed2AfterE0, kNeed2, kNeed2AfterED, kNeed3AfterF0, kNeed3,
       kNeed3AfterF4, R},
      {R, kAccept, kAccept, kAccept, R, R, R, R, R, R, R, R},
      {R, kNeed1, kNeed1, kNeed1, R, R, R, R, R, R, R, R},
      {R, R, R, kNeed1, R, R, R, R, R, R, R, R},
      {R, kNeed1, kNeed1, R, R, R, R, R, R, R, R, R},
      {R, kNeed2, kNeed2, kNeed2, R, R, R, R, R, R, R, R},
      {R, R, kNeed2, kNeed2, R, R, R, R, R, R, R, R},
      {R, kNeed2, R, R, R, R, R, R, R, R, R, R},
      {R, R, R, R, R, R, R, R, R, R, R, R}};

  // The table packed one row a kind, each state's next state at its own bit
  // offset (state * 6), so that the step from byte to byte is one shift: a
  // table lookup would wait on the one before it.
  static constexpr std::array<std::uint64_t, 12> kRows = [] {
    std::array<std::uint64_t, 12> rows{};
    for (int kind = 0; kind < 12; ++kind)
      for (int state = 0; state <= kReject; ++state)
        rows[kind] |= std::uint64_t{kNext[state][kind] * 6u} << (state * 6);
    return rows;
  }();

  std::uint32_t character_ = 0;
  std::uint8_t state_ = kAccept * 6;  // as an offset into a row
};

// Appends text as UTF-8; a lone surrogate becomes U+FFFD.
void AppendUtf8(std::string& bytes, std::wstring_view text);
// The text the bytes stand for; nothing when they are not UTF-8.
std::optional<std::wstring> DecodedUtf8(std::string_view bytes);
// A UTF-16 text with its byte-order mark (little- or big-endian, as Notepad
// saves "Unicode"), as UTF-8 without one; a lone surrogate or a last odd byte
// becomes U+FFFD. Nothing when the bytes open with no such mark.
std::optional<std::string> Utf8FromMarkedUtf16(std::string_view bytes);

}  // namespace tavilo
