#pragma once
// Fonts: a family looked up by its exact name, a size in pixels and a style.
#include <memory>
#include <string>
#include <string_view>

namespace gfx {

namespace font_style {
constexpr int kRegular = 0;
constexpr int kBold = 1;
constexpr int kItalic = 2;
constexpr int kUnderline = 4;
constexpr int kStrikeout = 8;
}  // namespace font_style

// True when an installed font carries exactly this family name (any of its
// localised names), or when the program's own font rules stand an installed
// family in for it ("宋体" and "SimSun"); fontconfig's other substitutions, which
// always find some font, are not consulted.
bool FontFamilyExists(std::string_view family_utf8);

// The family of the desktop's caption (title-bar) font, else of its interface
// font, else of the font the system picks for "sans-serif". Empty when none.
std::string DesktopUiFontFamily();

class Font {
 public:
  Font(std::string family_utf8, float size_px, int style = font_style::kRegular);
  Font(const Font&) = delete;
  Font& operator=(const Font&) = delete;
  ~Font();

  const std::string& Family() const { return family_; }
  float Size() const { return size_; }
  int Style() const { return style_; }
  // Line spacing in pixels.
  float Height() const;

  // The platform's font (a Pango font description on Linux, a GDI+ font on
  // Windows), defined for the drawing code in font_native_<platform>.h.
  struct Native;
  const Native& NativeFont() const { return *native_; }

 private:
  struct NativeRelease {
    void operator()(Native* n) const;
  };
  std::string family_;
  float size_;
  int style_;
  std::unique_ptr<Native, NativeRelease> native_;
  mutable float height_ = -1;
};

}  // namespace gfx
