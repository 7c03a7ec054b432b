#pragma once
// UTF-16 text as UTF-8 for Pango, with a map from UTF-16 positions to UTF-8
// byte offsets so that character ranges given in UTF-16 units can be found in
// the laid-out text. Internal to platform/gfx.
#include <string>
#include <string_view>
#include <vector>

#include "platform/gfx/string_format.h"

namespace gfx::detail {

struct IndexedUtf8 {
  std::string text;
  // byte_of_unit[i] is the byte offset of the character that UTF-16 unit i
  // belongs to (or that follows it, for units dropped from the text);
  // byte_of_unit[size] is text.size().
  std::vector<int> byte_of_unit;
  int underline_begin = -1;  // byte range of the hotkey character, if any
  int underline_end = -1;
};

// Converts, removing hotkey prefixes the way the format asks. Unpaired
// surrogates become U+FFFD.
IndexedUtf8 ToIndexedUtf8(std::u16string_view text, HotkeyPrefix prefix = HotkeyPrefix::None);

}  // namespace gfx::detail
