#pragma once
// Measuring and drawing captions. Texts are wide (UTF-16) strings made from
// the program's GBK texts; character ranges count UTF-16 units.
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/graphics.h"
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/float_rect.h"
#include "razezazo/drawing/font.h"
#include "razezazo/drawing/text_format.h"

namespace razezazo {

enum TextEffect : int { kNoEffect = 0, kSoftHalo = 3, kTightHalo = 4 };

// Bounds of the whole text as one character range; nothing when the text or
// font is missing or the text lays out to nothing.
std::optional<FloatRect> MeasureText(const gfx::Graphics& g, std::u16string_view text, const FontHandle& font,
                                     const FormatHandle& format, const FloatRect& layout);
// The text's bounding box as string measurement gives it.
FloatRect MeasureTextSize(const gfx::Graphics& g, std::u16string_view text, const FontHandle& font,
                          const FormatHandle& format, const FloatRect& layout);
float FontHeight(const FontHandle& font);

// The text engine the framework's geometry was drawn up for measures a text
// with a sixth of an em of padding on either side and draws it inset by as
// much; Pango adds none. Where a layout counts on that room (a group box's
// caption gap, a label's measured width), the controls add it back, so that
// text never touches a line drawn beside it.
float MeasuringPadding(const FontHandle& font);
// A measured text width with that padding on either side (an empty text stays 0).
float PaddedTextWidth(float measured_width, const FontHandle& font);
// The rectangle less the padding on its left and right.
FloatRect InsideMeasuringPadding(const FloatRect& rect, const FontHandle& font);

// The rectangle is truncated to whole pixels. Effects 3 and 4 put a soft or a
// tight halo under the text; halo colour 0 picks white at alpha 85 behind dark
// text and black at alpha 75 behind light text.
void DrawText(gfx::Graphics& g, const FloatRect& rect, std::u16string_view text, const FontHandle& font, Color color,
              const FormatHandle& format, int effect = kNoEffect, Color halo_color = 0);

// The halo alone: the text drawn five times around its place into a scratch
// bitmap, shrunk by the blur factor and enlarged back under the text.
void DrawHalo(gfx::Graphics& g, const FloatRect& rect, std::u16string_view text, const gfx::Font& font,
              const gfx::StringFormat& format, float blur, Color halo_color);

// Nine samples of the host's canvas at 20 %, 50 % and 80 % of the rect each
// way: dark when more than four are dark. Without a canvas the host's
// background colour decides.
bool IsBackgroundDark(const gfx::Bitmap* host_canvas, const FloatRect& rect, Color host_background);

}  // namespace razezazo
