#pragma once
// Fonts of the controls. Font names are GBK texts; sizes are pixels.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/gfx/font.h"
#include "runtime/text.h"

namespace razezazo {

using FontHandle = std::shared_ptr<const gfx::Font>;

constexpr float kDefaultFontSize = 12.0f;

// The framework's shared default font, chosen once: "宋体", else the
// desktop's caption font. A control that was given no font uses it.
const FontHandle& DefaultFont();

// The family DefaultFont uses, given which families exist and the desktop's
// caption face. "Tahoma" is replaced by "宋体", as is a face that cannot be
// made. When none of those exists the last resort is taken, so that text never
// goes without a font.
std::string ChooseDefaultFontFamily(const std::function<bool(std::string_view)>& exists, std::string_view caption_face,
                                    std::string_view last_resort);

// A font of the named family; a family that is not installed falls back to the
// default font's family.
FontHandle MakeFont(const runtime::Text& name, float size = kDefaultFontSize, int style = gfx::font_style::kRegular);

// The same font with one of its three parts changed.
FontHandle WithName(const FontHandle& font, const runtime::Text& name);
FontHandle WithSize(const FontHandle& font, float size);
FontHandle WithStyle(const FontHandle& font, int style);

runtime::Text FontName(const FontHandle& font);

}  // namespace razezazo
