#pragma once
// How the edit box counts characters in its GBK bytes. A byte with the high bit
// set starts a two-byte character and any other byte is a character of its own;
// the rule is applied within one piece of text (a line), so a lead byte that
// ends the piece is a one-byte character and a column never falls between the
// two bytes of a character, nor between a line's CR and LF.
#include <cstddef>
#include <string>
#include <string_view>

namespace razezazo::edit_chars {

// Bytes (1 or 2) of the character that starts at byte `i` of `text`.
inline std::size_t CharLength(std::string_view text, std::size_t i) {
  return (static_cast<unsigned char>(text[i]) & 0x80) && i + 1 < text.size() ? 2 : 1;
}

int CountChars(std::string_view text);

// Bytes taken by the first `columns` characters (none for 0 or less; the whole
// text when it has fewer characters).
std::size_t BytesOfColumns(std::string_view text, int columns);

// The longest run of whole characters from the start within `limit` bytes.
std::size_t WholeCharacterBytes(std::string_view text, int limit);

// The text as UTF-16 with exactly one unit per character, so that character
// ranges of the text layer are columns: a pair that is not GBK, and a control
// character other than the tab, shows as U+FFFD.
std::u16string DisplayUnits(std::string_view text);

}  // namespace razezazo::edit_chars
