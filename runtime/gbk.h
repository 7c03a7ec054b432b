#pragma once
// GBK (code page 936) <-> Unicode, used only at the edges of the program: file
// names, command lines, console output, and everything handed to the text layer.
// Conversion never fails: a byte sequence that is not GBK becomes U+FFFD, and a
// character that GBK cannot hold becomes '?'.
#include <string>
#include <string_view>

#include "runtime/text.h"

namespace runtime {

std::string GbkToUtf8(std::string_view gbk);
Text Utf8ToGbk(std::string_view utf8);
std::u16string GbkToUtf16(std::string_view gbk);
Text Utf16ToGbk(std::u16string_view utf16);

// For text a user hands over (typed, composed, pasted): a character that GBK
// cannot hold as ASCII or a pair is left out whole instead of becoming '?'
// (or "€"'s single byte), so nothing that the user did not give turns up in
// the text and the text is whole characters.
Text Utf8ToGbkOmitting(std::string_view utf8);
Text Utf16ToGbkOmitting(std::u16string_view utf16);

// The GBK text with every byte that starts no whole character left out: what
// is kept is ASCII bytes and well-formed pairs (lead 0x81-0xFE, trail
// 0x40-0xFE but 0x7F). A lone 0x80 ("€" in iconv's GBK) or 0xFF goes, and
// so does a lead byte without its trail.
Text GbkWholeCharacters(std::string_view gbk);

// Literal texts live in the source as UTF-8; this is the one place they become GBK.
inline Text Gbk(std::string_view utf8_literal) { return Utf8ToGbk(utf8_literal); }

}  // namespace runtime
