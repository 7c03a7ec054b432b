#include "razezazo/controls/control_font.h"

namespace razezazo {

// The default font is shared, so a control that asks for nothing special must
// get that very object, not an equal copy.
FontHandle ControlFont(const FontRequest& request) {
  const bool plain = !request.name && request.size == kDefaultFontSize && request.style == gfx::font_style::kRegular;
  if (plain) return DefaultFont();
  return MakeFont(request.name.value_or(FontName(DefaultFont())), request.size, request.style);
}

}  // namespace razezazo
