// Words in the edit box, found by Pango's word boundaries as in every GTK
// text box: Ctrl+Left goes to the start of the word before the caret, Ctrl+Right
// to the end of the word after it (across line ends in a multi-line box), and
// a double click takes the word under the pointer. Boundaries are looked for
// within kWordReach characters of the caret: they are local, and Pango's
// analysis of a line of millions would hold up every word move; a run that
// long without one ends at the reach.
#include <algorithm>

#include "platform/gfx/word_bounds.h"
#include "razezazo/controls/edit_box.h"
#include "razezazo/controls/edit_characters.h"

namespace razezazo {
namespace {

constexpr int kWordReach = 4096;

// The boundaries of the line's columns first..last (UTF-16 unit c - first
// is column c).
struct Words {
  gfx::WordBounds bounds;
  int first = 0;
  int last = 0;
  bool Start(int c) const { return bounds.starts[static_cast<std::size_t>(c - first)]; }
  bool End(int c) const { return bounds.ends[static_cast<std::size_t>(c - first)]; }
};

Words WordsAround(const EditText& text, int line, int column) {
  const int first = std::max(column - kWordReach, 0), last = std::min(column + kWordReach, text.LineChars(line));
  const runtime::Text bytes = text.RangeText(text.Position(line, first), text.Position(line, last));
  return {gfx::FindWordBounds(edit_chars::DisplayUnits(bytes)), first, last};
}

}  // namespace

TextPlace EditBox::WordStartBefore(TextPlace from) const {
  if (input_mode_ == InputMode::kPassword) return {from.line, 0};
  for (int line = from.line, column = from.column;; --line) {
    const Words words = WordsAround(text_, line, column);
    for (int c = column - 1; c >= words.first; --c)
      if (words.Start(c)) return {line, c};
    if (words.first > 0 || !multi_line_ || line == 1) return {line, words.first};
    column = text_.LineChars(line - 1) + 1;
  }
}

TextPlace EditBox::WordEndAfter(TextPlace from) const {
  if (input_mode_ == InputMode::kPassword) return {from.line, text_.LineChars(from.line)};
  for (int line = from.line, column = from.column;; ++line) {
    const Words words = WordsAround(text_, line, column);
    const int length = text_.LineChars(line);
    for (int c = column + 1; c <= words.last; ++c)
      if (words.End(c)) return {line, c};
    if (words.last < length || !multi_line_ || line == text_.line_count()) return {line, words.last};
    column = 0;
  }
}

// Between two boundaries of either kind lies a word or the run between words.
std::pair<int, int> EditBox::WordAround(int line, int character) const {
  const int length = text_.LineChars(line);
  if (length == 0) return {0, 0};
  character = std::clamp(character, 0, length - 1);
  const Words words = WordsAround(text_, line, character);
  auto bound = [&words](int c) { return words.Start(c) || words.End(c); };
  int first = character, second = character + 1;
  while (first > words.first && !bound(first)) --first;
  while (second < words.last && !bound(second)) ++second;
  return {first, second};
}

}  // namespace razezazo
