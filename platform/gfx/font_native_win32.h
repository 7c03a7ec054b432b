#pragma once
// A font on Windows: a GDI+ font of the family it resolved to. Internal to platform/gfx.
#include <memory>

#include "platform/gfx/font.h"
#include "platform/gfx/gdiplus_win32.h"

namespace gfx {

struct Font::Native {
  std::unique_ptr<Gdiplus::FontFamily> family;
  std::unique_ptr<Gdiplus::Font> font;
};

inline const Gdiplus::Font* GdiplusFont(const Font& font) { return font.NativeFont().font.get(); }

}  // namespace gfx
