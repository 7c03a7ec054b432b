#pragma once
// A font on Linux: a Pango font description. Internal to platform/gfx.
#include <pango/pango.h>

#include "platform/gfx/cairo_ptr.h"
#include "platform/gfx/font.h"

namespace gfx {

struct Font::Native {
  detail::FontDescriptionPtr description;
};

inline const PangoFontDescription* PangoDescription(const Font& font) { return font.NativeFont().description.get(); }

}  // namespace gfx
