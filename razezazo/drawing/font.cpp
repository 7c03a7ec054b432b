#include "razezazo/drawing/font.h"

#include "runtime/gbk.h"

namespace razezazo {

namespace {
constexpr std::string_view kSongTi = "宋体";
}  // namespace

std::string ChooseDefaultFontFamily(const std::function<bool(std::string_view)>& exists, std::string_view caption_face,
                                    std::string_view last_resort) {
  if (exists(kSongTi)) return std::string(kSongTi);
  if (!caption_face.empty() && caption_face != "Tahoma" && exists(caption_face)) return std::string(caption_face);
  return std::string(last_resort);
}

const FontHandle& DefaultFont() {
  static const FontHandle font = [] {
    const std::string caption = gfx::DesktopUiFontFamily();
    const std::string family =
        ChooseDefaultFontFamily(gfx::FontFamilyExists, caption, caption.empty() ? "sans-serif" : caption);
    return std::make_shared<const gfx::Font>(family, kDefaultFontSize, gfx::font_style::kRegular);
  }();
  return font;
}

namespace {
FontHandle Build(std::string family_utf8, float size, int style) {
  if (!gfx::FontFamilyExists(family_utf8)) family_utf8 = DefaultFont()->Family();
  return std::make_shared<const gfx::Font>(std::move(family_utf8), size, style);
}
const gfx::Font& Or(const FontHandle& font) { return font ? *font : *DefaultFont(); }
}  // namespace

FontHandle MakeFont(const runtime::Text& name, float size, int style) {
  return Build(runtime::GbkToUtf8(name), size, style);
}

FontHandle WithName(const FontHandle& font, const runtime::Text& name) {
  return MakeFont(name, Or(font).Size(), Or(font).Style());
}
FontHandle WithSize(const FontHandle& font, float size) { return Build(Or(font).Family(), size, Or(font).Style()); }
FontHandle WithStyle(const FontHandle& font, int style) { return Build(Or(font).Family(), Or(font).Size(), style); }

runtime::Text FontName(const FontHandle& font) { return runtime::Utf8ToGbk(Or(font).Family()); }

}  // namespace razezazo
