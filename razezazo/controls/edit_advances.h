#pragma once
// CharacterAdvances: how far each character moves the pen in one font and
// format, measured once per character on first sight. Summing them estimates
// a line's width without laying the line out: the edit box sizes the lines it
// has not measured yet this way, and places the stretches of a very long line.
#include <string_view>
#include <vector>

#include "platform/gfx/graphics.h"
#include "razezazo/drawing/font.h"
#include "razezazo/drawing/text_format.h"

namespace razezazo {

class CharacterAdvances {
 public:
  // Forgets every advance: the font or the format changed.
  void Clear() { advances_.clear(); }
  // The width of display units laid out from x 0 (a tab moves to the format's
  // next stop); empty text is 0.
  float Width(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format, std::u16string_view units);
  // The pen after `unit` drawn at x.
  float Advance(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format, char16_t unit, float x);

 private:
  float Measure(const gfx::Graphics& g, const FontHandle& font, const FormatHandle& format, char16_t unit);

  std::vector<float> advances_;  // by UTF-16 unit; negative: not measured yet
};

}  // namespace razezazo
