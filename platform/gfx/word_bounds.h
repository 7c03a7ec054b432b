#pragma once
// Where words begin and end in a text, by Pango's rules (Unicode's word
// boundaries, with the language-specific breakers Pango knows), so that word
// moves and double clicks agree with every GTK text box.
#include <string_view>
#include <vector>

namespace gfx {

struct WordBounds {
  // One entry per UTF-16 unit and one for the end of the text: true where a
  // word begins (ends) just before that unit.
  std::vector<bool> starts;
  std::vector<bool> ends;
};

WordBounds FindWordBounds(std::u16string_view text);

}  // namespace gfx
