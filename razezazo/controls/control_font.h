#pragma once
// The font a text control is created with: the shared default font unless the
// creator asked for another name, size or style.
#include <optional>

#include "razezazo/drawing/font.h"
#include "runtime/text.h"

namespace razezazo {

struct FontRequest {
  std::optional<runtime::Text> name;  // GBK family name; none: the default font's family
  float size = kDefaultFontSize;
  int style = gfx::font_style::kRegular;
};

FontHandle ControlFont(const FontRequest& request);

}  // namespace razezazo
