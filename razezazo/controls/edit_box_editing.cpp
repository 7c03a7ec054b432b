// The edit box's editing operations: set text, delete selection, insert text,
// select, and the change notification that follows every change.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "razezazo/controls/edit_box.h"
#include "razezazo/controls/edit_characters.h"
#include "razezazo/drawing/text.h"
#include "razezazo/widgets/host_surface.h"
#include "runtime/gbk.h"

namespace razezazo {
namespace {

constexpr std::string_view kLineBreak = "\r\n";

int CountLineBreaks(std::string_view text) {
  int count = 0;
  for (std::size_t at = text.find(kLineBreak); at != std::string_view::npos; at = text.find(kLineBreak, at + 2))
    ++count;
  return count;
}

std::string_view LastLineOf(std::string_view text) {
  const std::size_t last_break = text.rfind(kLineBreak);
  return last_break == std::string_view::npos ? text : text.substr(last_break + 2);
}

}  // namespace

// --- places --------------------------------------------------------------------------

TextPlace EditBox::Clamped(TextPlace place) const {
  place.line = std::clamp(place.line, 1, text_.line_count());
  place.column = std::clamp(place.column, 0, text_.LineChars(place.line));
  return place;
}

TextPlace EditBox::SelectionStart() const {
  const bool anchor_first =
      text_.Position(anchor_at_.line, anchor_at_.column) <= text_.Position(caret_at_.line, caret_at_.column);
  return anchor_first ? anchor() : caret();
}

TextPlace EditBox::SelectionEnd() const {
  const bool anchor_first =
      text_.Position(anchor_at_.line, anchor_at_.column) <= text_.Position(caret_at_.line, caret_at_.column);
  return anchor_first ? caret() : anchor();
}

runtime::Text EditBox::SelectedText() const {
  return text_.RangeText(text_.Position(anchor_at_.line, anchor_at_.column),
                         text_.Position(caret_at_.line, caret_at_.column));
}

// --- after a change ------------------------------------------------------------------

void EditBox::Relayout() {
  if (gfx::Graphics* g = canvas_graphics()) text_.Layout(*g, WrapWidth(), font_, format_);
  UpdateScrollRanges();
}

void EditBox::RefreshAfterEdit(bool scroll, float extra, const std::optional<EditMark>& mark) {
  PlaceCaretPoint(scroll, extra);
  KeepDrawnLinesValid();
  const std::optional<FloatRect> area = mark ? ChangedArea(*mark) : std::nullopt;
  if (area && area->IsEmpty()) return;  // nothing of the edit is in view
  Paint(false, area);
}

EditBox::EditMark EditBox::MarkEdit(int line) const {
  return {view_, text_.line_count(), line, text_.LineRect(line), text_.LineRect(line + 1).y};
}

// With the view unmoved, an edit changed its own line and, when lines came,
// went or changed height, everything below it.
std::optional<FloatRect> EditBox::ChangedArea(const EditMark& mark) const {
  const FloatRect& v = view_.view_rect;
  const FloatRect& was = mark.view.view_rect;
  const bool view_moved = mark.view.scroll_x != view_.scroll_x || mark.view.scroll_y != view_.scroll_y ||
                          was.x != v.x || was.y != v.y || was.width != v.width || was.height != v.height;
  if (view_moved) return std::nullopt;
  const FloatRect now = text_.LineRect(mark.line);
  const bool below_unmoved =
      mark.line_count == text_.line_count() && text_.LineRect(mark.line + 1).y == mark.next_line_y;
  const float top = std::min(now.y, mark.line_rect.y);
  const float bottom = below_unmoved ? std::max(now.Bottom(), mark.line_rect.Bottom()) : v.height - view_.scroll_y;
  const float margin = PaintMargin();
  // Whole pixels: a clip through the middle of a pixel would blend it.
  const float y0 = std::max(std::floor(v.y + view_.scroll_y + top - margin), v.y);
  const float y1 = std::min(std::ceil(v.y + view_.scroll_y + bottom + margin), v.Bottom());
  return FloatRect{v.x, y0, v.width, std::max(y1 - y0, 0.0f)};
}

void EditBox::NotifyChange() {
  if (!change_handler_) return;
  ChangeHandler handler = change_handler_;  // the handler may replace itself or destroy the box
  handler(parent(), *this);
}

// --- the operations ------------------------------------------------------------------

std::string_view EditBox::WithinMaxLength(std::string_view text, int room) const {
  return text.substr(0, edit_chars::WholeCharacterBytes(text, std::min(room, max_length_)));
}

void EditBox::SetTextMessage(const char* text, bool caret_at_end) {
  text_.SetText(WithinMaxLength(text ? std::string_view(text) : std::string_view()), multi_line_, input_mode_,
                mask_text_);
  ScrollToTop();
  anchor_at_.line = caret_at_.line = 1;
  anchor_at_.column = caret_at_.column = 0;
  Paint(true);
  if (caret_at_end) {
    caret_at_.line = anchor_at_.line = text_.line_count();
    caret_at_.column = anchor_at_.column = text_.LineChars(caret_at_.line);
    ScrollToBottom();
    RefreshAfterEdit(true, 0);
  } else {
    PlaceCaretPoint();
    SyncScrollBars();
    CaretFollowsPaint();
  }
  if (!HasFocus()) winsys::Current().KillTimer(host_window(), self());
  history_.Clear();  // the program's text is where undoing stops
  NotifyChange();
}

int EditBox::DeleteSelection(bool quiet) {
  if (input_mode_ == InputMode::kReadOnly) return 1;
  if (anchor() == caret()) return 0;
  const int before_length = text_.length();
  const TextPlace was_anchor = anchor(), was_caret = caret();
  runtime::Text removed = SelectedText();
  RemoveSelection();
  RecordChange(text_.Position(caret_at_.line, caret_at_.column), std::move(removed), before_length, was_anchor,
               was_caret, false);
  if (!quiet) NotifyChange();
  return 1;
}

void EditBox::RemoveSelection() {
  const TextPlace start = SelectionStart();
  const EditMark mark = MarkEdit(start.line);
  text_.DeleteRange(text_.Position(anchor_at_.line, anchor_at_.column),
                    text_.Position(caret_at_.line, caret_at_.column), multi_line_);
  const TextPlace place = Clamped(start);
  anchor_at_.line = caret_at_.line = place.line;
  anchor_at_.column = caret_at_.column = place.column;
  Relayout();
  RefreshAfterEdit(true, 0, mark);
}

void EditBox::InsertText(const runtime::Text& given) { InsertText(given, false); }

void EditBox::InsertText(const runtime::Text& given, bool typed) {
  // What the store keeps, so that the caret counts the characters that came.
  // A single line takes the first line of a text and keeps its own rest.
  std::string_view head = std::string_view(given).substr(0, given.find('\0'));
  if (!multi_line_) head = head.substr(0, head.find(kLineBreak));
  const runtime::Text whole = runtime::GbkWholeCharacters(head);
  const int selected =
      std::abs(text_.Position(anchor_at_.line, anchor_at_.column) - text_.Position(caret_at_.line, caret_at_.column));
  const std::string_view text = WithinMaxLength(whole, max_length_ - (text_.length() - selected));
  if (input_mode_ == InputMode::kReadOnly || text.empty()) return;
  const int before_length = text_.length();
  const TextPlace was_anchor = anchor(), was_caret = caret();
  runtime::Text removed = SelectedText();
  if (anchor() != caret()) RemoveSelection();
  const int position = text_.Position(caret_at_.line, caret_at_.column);
  const EditMark mark = MarkEdit(caret_at_.line);
  text_.InsertAt(text_.Position(caret_at_.line, caret_at_.column), text, multi_line_);

  const std::size_t first_break = text.find(kLineBreak);
  if (!multi_line_) {
    caret_at_.line = 1;
    caret_at_.column += edit_chars::CountChars(text.substr(0, first_break));
  } else if (first_break == std::string_view::npos) {
    caret_at_.column += edit_chars::CountChars(text);
  } else if (text == kLineBreak) {
    caret_at_.column = 0;
    caret_at_.line += 1;
  } else {
    caret_at_.line += CountLineBreaks(text);
    caret_at_.column = edit_chars::CountChars(LastLineOf(text));
  }
  const TextPlace place = Clamped(caret());
  caret_at_.line = anchor_at_.line = place.line;
  caret_at_.column = anchor_at_.column = place.column;

  Relayout();
  if (caret_at_.line == text_.line_count()) ScrollToBottom();
  // The inserted text's last line is one reference line high (or its measured
  // rows when lines wrap): measured on its own, since its line breaks would
  // show as characters and a huge paste would be laid out once more; a long
  // one is never laid out whole, and its rows are the caret line's.
  float extra = 0;
  const std::string_view last_line = LastLineOf(text);
  if (gfx::Graphics* g = canvas_graphics(); g && text_.wraps() && last_line.size() <= EditText::kLongLineColumns) {
    const std::optional<FloatRect> inserted =
        MeasureText(*g, edit_chars::DisplayUnits(last_line), font_, format_, text_.measuring_rect());
    extra = inserted ? inserted->height : 0;
  } else if (g && text_.wraps()) {
    extra = text_.LineRect(caret_at_.line).height;
  } else if (g) {
    extra = static_cast<float>(text_.line_height());
  }
  RefreshAfterEdit(true, extra, mark);
  RecordChange(position, std::move(removed), before_length, was_anchor, was_caret, typed);
  NotifyChange();
}

void EditBox::Select(TextPlace anchor_place, TextPlace caret_place) { PlaceSelection(anchor_place, caret_place); }

void EditBox::PlaceSelection(TextPlace anchor_place, TextPlace caret_place, const std::optional<EditMark>& mark) {
  const TextPlace a = Clamped(anchor_place), c = Clamped(caret_place);
  anchor_at_.line = a.line;
  anchor_at_.column = a.column;
  caret_at_.line = c.line;
  caret_at_.column = c.column;
  RevealLine(caret_at_.line);
  RefreshAfterEdit(true, 0, mark);
}

}  // namespace razezazo
