// The edit box's undo and redo: every change to the text is recorded as the
// bytes it replaced and the bytes it put there, and undoing replaces them back.
#include <algorithm>

#include "razezazo/controls/edit_box.h"
#include "razezazo/controls/edit_characters.h"

namespace razezazo {

bool EditBox::KeepsHistory() const {
  return input_mode_ != InputMode::kReadOnly && input_mode_ != InputMode::kPassword;
}

// The store may have dropped bytes it does not keep, so what came in is read
// back from it: the text after the change differs from the text before only in
// the bytes from `position` on that replaced `removed`.
void EditBox::RecordChange(int position, runtime::Text removed, int before_length, TextPlace anchor_was,
                           TextPlace caret_was, bool typed) {
  if (!KeepsHistory()) return;
  const int inserted = text_.length() - (before_length - static_cast<int>(removed.size()));
  if (inserted < 0 || position - 1 + inserted > text_.length()) {
    history_.Clear();  // a change the history cannot describe: undoing past it would corrupt the text
    return;
  }
  history_.Record({position, std::move(removed),
                   text_.WholeText().substr(static_cast<std::size_t>(position - 1), static_cast<std::size_t>(inserted)),
                   anchor_was, caret_was, typed});
}

TextPlace EditBox::PlaceAt(int position) const {
  int low = 1, high = text_.line_count();
  while (low < high) {  // the last line that starts at or before the position
    const int middle = (low + high + 1) / 2;
    if (text_.LineStart(middle) <= position)
      low = middle;
    else
      high = middle - 1;
  }
  const std::string_view line = std::string_view(text_.WholeText())
                                    .substr(static_cast<std::size_t>(text_.LineStart(low) - 1),
                                            static_cast<std::size_t>(position - text_.LineStart(low)));
  return {low, edit_chars::CountChars(line)};
}

void EditBox::Undo() {
  if (const EditStep* step = history_.Undo()) ApplyStep(*step, true);
}

void EditBox::Redo() {
  if (const EditStep* step = history_.Redo()) ApplyStep(*step, false);
}

// Undo gives back the selection the change was made from; redo leaves the
// caret after what it put back.
void EditBox::ApplyStep(const EditStep& step, bool undo) {
  const runtime::Text& now = undo ? step.inserted : step.removed;
  const runtime::Text& then = undo ? step.removed : step.inserted;
  const int p = step.position;
  // Only the edit's lines need painting, unless a selection elsewhere goes.
  const std::optional<EditMark> mark =
      anchor() == caret() ? std::optional<EditMark>(MarkEdit(PlaceAt(p).line)) : std::nullopt;
  if (!now.empty()) text_.DeleteRange(p, p + static_cast<int>(now.size()), multi_line_);
  if (!then.empty()) text_.InsertAt(p, then, multi_line_);
  const TextPlace a = undo ? step.anchor : PlaceAt(p + static_cast<int>(then.size()));
  const TextPlace c = undo ? step.caret : a;
  Relayout();
  PlaceSelection(a, c, mark);
  NotifyChange();
}

}  // namespace razezazo
