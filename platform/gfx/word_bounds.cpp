#include "platform/gfx/word_bounds.h"

#include <pango/pango.h>

#include "platform/gfx/utf16_index.h"

namespace gfx {

WordBounds FindWordBounds(std::u16string_view text) {
  WordBounds bounds{std::vector<bool>(text.size() + 1), std::vector<bool>(text.size() + 1)};
  const detail::IndexedUtf8 utf8 = detail::ToIndexedUtf8(text);
  const glong characters = g_utf8_strlen(utf8.text.data(), static_cast<gssize>(utf8.text.size()));
  std::vector<PangoLogAttr> attrs(static_cast<std::size_t>(characters) + 1);
  pango_get_log_attrs(utf8.text.data(), static_cast<int>(utf8.text.size()), -1, pango_language_get_default(),
                      attrs.data(), static_cast<int>(attrs.size()));
  // Attributes are per character (code point); a unit takes those of the
  // character it belongs to, and only its first unit can be a boundary.
  const char* data = utf8.text.data();
  std::size_t character = 0;
  int last_byte = 0;
  for (std::size_t unit = 0; unit <= text.size(); ++unit) {
    const int byte = utf8.byte_of_unit[unit];
    if (unit > 0 && byte == last_byte) continue;
    character += static_cast<std::size_t>(g_utf8_pointer_to_offset(data + last_byte, data + byte));
    last_byte = byte;
    bounds.starts[unit] = attrs[character].is_word_start;
    bounds.ends[unit] = attrs[character].is_word_end;
  }
  return bounds;
}

}  // namespace gfx
