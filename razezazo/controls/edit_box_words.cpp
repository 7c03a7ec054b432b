// Words in the edit box, found by Pango's word boundaries as in every GTK
// text box: Ctrl+Left goes to the start of the word before the caret, Ctrl+Right
// to the end of the word after it (across line ends in a multi-line box), and
// a double click takes the word under the pointer.
#include <algorithm>

#include "platform/gfx/word_bounds.h"
#include "razezazo/controls/edit_box.h"
#include "razezazo/controls/edit_characters.h"

namespace razezazo {
namespace {

// Column c of a line is UTF-16 unit c of its characters.
gfx::WordBounds LineWords(const EditText& text, int line) {
  return gfx::FindWordBounds(edit_chars::DisplayUnits(text.LineText(line)));
}

}  // namespace

TextPlace EditBox::WordStartBefore(TextPlace from) const {
  if (input_mode_ == InputMode::kPassword) return {from.line, 0};
  for (int line = from.line, column = from.column;; --line) {
    const gfx::WordBounds words = LineWords(text_, line);
    for (int c = column - 1; c >= 0; --c)
      if (words.starts[static_cast<std::size_t>(c)]) return {line, c};
    if (!multi_line_ || line == 1) return {line, 0};
    column = text_.LineChars(line - 1) + 1;
  }
}

TextPlace EditBox::WordEndAfter(TextPlace from) const {
  if (input_mode_ == InputMode::kPassword) return {from.line, text_.LineChars(from.line)};
  for (int line = from.line, column = from.column;; ++line) {
    const gfx::WordBounds words = LineWords(text_, line);
    const int length = text_.LineChars(line);
    for (int c = column + 1; c <= length; ++c)
      if (words.ends[static_cast<std::size_t>(c)]) return {line, c};
    if (!multi_line_ || line == text_.line_count()) return {line, length};
    column = 0;
  }
}

// Between two boundaries of either kind lies a word or the run between words.
std::pair<int, int> EditBox::WordAround(int line, int character) const {
  const int length = text_.LineChars(line);
  if (length == 0) return {0, 0};
  character = std::clamp(character, 0, length - 1);
  const gfx::WordBounds words = LineWords(text_, line);
  auto bound = [&words](int c) {
    return words.starts[static_cast<std::size_t>(c)] || words.ends[static_cast<std::size_t>(c)];
  };
  int first = character, second = character + 1;
  while (first > 0 && !bound(first)) --first;
  while (second < length && !bound(second)) ++second;
  return {first, second};
}

}  // namespace razezazo
