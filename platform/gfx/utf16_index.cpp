#include "platform/gfx/utf16_index.h"

namespace gfx::detail {

namespace {

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

IndexedUtf8 ToIndexedUtf8(std::u16string_view text, HotkeyPrefix prefix) {
  IndexedUtf8 out;
  out.byte_of_unit.resize(text.size() + 1);
  out.text.reserve(text.size() * 3);
  bool underline_next = false;
  for (size_t i = 0; i < text.size();) {
    const int here = static_cast<int>(out.text.size());
    out.byte_of_unit[i] = here;
    char16_t u = text[i];
    if (prefix != HotkeyPrefix::None && u == u'&') {
      if (i + 1 < text.size() && text[i + 1] == u'&') {
        out.byte_of_unit[i + 1] = here;
        out.text += '&';
        i += 2;
      } else {
        underline_next = prefix == HotkeyPrefix::Show && out.underline_begin < 0;
        ++i;
      }
      continue;
    }
    char32_t c = u;
    size_t units = 1;
    if (IsHigh(u) && i + 1 < text.size() && IsLow(text[i + 1])) {
      c = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      units = 2;
      out.byte_of_unit[i + 1] = here;
    } else if (IsHigh(u) || IsLow(u)) {
      c = 0xFFFD;
    }
    AppendUtf8(out.text, c);
    if (underline_next) {
      out.underline_begin = here;
      out.underline_end = static_cast<int>(out.text.size());
      underline_next = false;
    }
    i += units;
  }
  out.byte_of_unit[text.size()] = static_cast<int>(out.text.size());
  return out;
}

}  // namespace gfx::detail
