#include "platform/window/utf16_units.h"

#include <optional>

namespace winsys {

namespace {

// The sequence's length from its lead byte and the bits the lead keeps; 0 for
// a byte that cannot lead.
int SequenceLength(unsigned char lead, char32_t& bits) {
  if (lead < 0x80) return bits = lead, 1;
  if ((lead & 0xE0) == 0xC0) return bits = lead & 0x1F, 2;
  if ((lead & 0xF0) == 0xE0) return bits = lead & 0x0F, 3;
  if ((lead & 0xF8) == 0xF0) return bits = lead & 0x07, 4;
  return 0;
}

// Decodes the character at `at` and moves past it; none when it is malformed,
// overlong, a surrogate or beyond U+10FFFF.
std::optional<char32_t> Decode(std::string_view utf8, size_t& at) {
  char32_t code = 0;
  const int length = SequenceLength(static_cast<unsigned char>(utf8[at]), code);
  if (length == 0 || at + length > utf8.size()) return std::nullopt;
  for (int i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(utf8[at + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    code = code << 6 | (next & 0x3F);
  }
  at += length;
  static constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code < 0xE000)) return std::nullopt;
  return code;
}

}  // namespace

std::u16string Utf16Units(std::string_view utf8) {
  std::u16string units;
  for (size_t at = 0; at < utf8.size();) {
    const std::optional<char32_t> code = Decode(utf8, at);
    if (!code) return {};
    if (*code < 0x10000) {
      units.push_back(static_cast<char16_t>(*code));
    } else {
      units.push_back(static_cast<char16_t>(0xD800 + ((*code - 0x10000) >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + ((*code - 0x10000) & 0x3FF)));
    }
  }
  return units;
}

}  // namespace winsys
