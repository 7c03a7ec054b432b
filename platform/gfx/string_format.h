#pragma once
// How a text is laid out in its layout rectangle. Flag and enum values are
// GDI+'s, so that callers can pass the numbers they store.
#include <vector>

namespace gfx {

namespace format_flags {
constexpr int kNoFontFallback = 0x400;  // accepted, but never drops glyphs: fallback fonts stay on
constexpr int kMeasureTrailingSpaces = 0x800;
constexpr int kNoWrap = 0x1000;
constexpr int kLineLimit = 0x2000;  // only whole lines are shown
constexpr int kNoClip = 0x4000;
}  // namespace format_flags

enum class StringAlignment { Near = 0, Center = 1, Far = 2 };
enum class Trimming { None = 0, Character = 1, Word = 2, EllipsisCharacter = 3, EllipsisWord = 4, EllipsisPath = 5 };
// Show: "&x" draws x underlined; Hide: the "&" disappears without underline;
// None: the text is drawn as it stands. In both other modes "&&" draws one "&".
enum class HotkeyPrefix { None = 0, Show = 1, Hide = 2 };

struct StringFormat {
  int flags = 0;
  StringAlignment alignment = StringAlignment::Near;
  StringAlignment line_alignment = StringAlignment::Near;
  Trimming trimming = Trimming::Character;
  HotkeyPrefix hotkey_prefix = HotkeyPrefix::None;
  // Tab stops: the first at first_tab_offset + tab_stops[0], each next one
  // tab_stops[i] further; the last distance repeats.
  float first_tab_offset = 0;
  std::vector<float> tab_stops;
  // Without pair kerning and ligatures every glyph stands at its own advance,
  // so a text is as wide as the sum of its characters measured one by one.
  bool kerning = true;

  bool Has(int flag) const { return (flags & flag) != 0; }
  bool operator==(const StringFormat&) const = default;
};

// A range of a text in UTF-16 code units, as the framework counts characters.
struct CharacterRange {
  int first = 0;
  int length = 0;
};

}  // namespace gfx
