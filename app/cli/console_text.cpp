#include "app/cli/console_text.h"

#include <cstdio>

#include "runtime/gbk.h"

namespace app {

std::string EscapeControls(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  char escape[8];
  for (size_t i = 0; i < utf8.size(); ++i) {
    auto c = static_cast<unsigned char>(utf8[i]);
    auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0;
    if (c < 0x20 || c == 0x7F) {
      std::snprintf(escape, sizeof escape, "\\x%02x", c);
      out += escape;
    } else if (c == 0xC2 && next >= 0x80 && next <= 0x9F) {  // U+0080..U+009F, such as the one-byte CSI
      std::snprintf(escape, sizeof escape, "\\u%04x", next);
      out += escape;
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string ForConsole(const runtime::Text& gbk) { return EscapeControls(runtime::GbkToUtf8(gbk)); }

}  // namespace app
