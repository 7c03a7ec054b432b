// The edit box's view: its state (the EditView, which only this file
// changes), mapping between points and (line, column), the caret rectangle
// with the view that follows it, the wheel, and the scroll bars.
//
// Coordinates: see edit_view.h.
#include <algorithm>
#include <array>
#include <cmath>

#include "razezazo/controls/edit_box.h"
#include "razezazo/drawing/text.h"

namespace razezazo {
namespace {

bool Contains(const FloatRect& r, float x, float y) { return x >= r.x && y >= r.y && x < r.Right() && y < r.Bottom(); }
bool ContainsY(const FloatRect& r, float y) { return y >= r.y && y < r.Bottom(); }

}  // namespace

// The rectangle a line is laid out in, in control coordinates: at its text
// place, as wide as the lines were measured (0: unbounded).
FloatRect EditBox::LineLayoutRect(int line) const {
  const FloatRect r = text_.LineRect(line);
  const FloatRect& m = text_.measuring_rect();
  return {view_.view_rect.x + view_.scroll_x + r.x, view_.view_rect.y + view_.scroll_y + r.y, m.width, m.height};
}

int EditBox::LineAtHeight(float y, int start) const {
  if (!text_.IsValidLine(start)) start = 1;
  const FloatRect first = text_.LineRect(start);
  if (ContainsY(first, y)) return start;
  const int direction = y > first.y ? 1 : -1;
  for (int line = start + direction; text_.IsValidLine(line); line += direction)
    if (ContainsY(text_.LineRect(line), y)) return line;
  return y > 0 ? text_.line_count() : 0;
}

TextPlace EditBox::HitTest(int x, int y) const {
  const float px = std::max(static_cast<float>(x) - this->x() - view_.view_rect.x, 0.0f);
  const float py = static_cast<float>(y) - this->y() - view_.view_rect.y;
  const float text_y = std::clamp(py - view_.scroll_y, 0.0f, static_cast<float>(text_.content_height()));
  const int line = std::max(LineAtHeight(text_y, view_.first_drawn_line), 1);
  return {line, ColumnAt(line, px, text_y + view_.scroll_y)};
}

// Binary search over one-character boxes of the line's display text, each
// grown 6 pixels up and 11 in height; a point in a character's right half
// stands after it. (x, y) are relative to the view.
int EditBox::ColumnAt(int line, float x, float y) const {
  const gfx::Graphics* g = const_cast<EditBox*>(this)->canvas_graphics();
  if (!g || !font_ || !format_) return 0;
  const LinePiece piece = PieceAt(line, x + view_.view_rect.x, y + view_.view_rect.y);
  const FloatRect layout{piece.layout.x - view_.view_rect.x, piece.layout.y - view_.view_rect.y, piece.layout.width,
                         piece.layout.height};
  std::u16string units = piece.units;
  if (units.empty()) units.assign(1, u'\t');

  const std::vector<FloatRect> rows = g->MeasureLines(units, *font_, layout, *piece.format);
  if (!rows.empty()) {
    FloatRect row = y < rows.front().y ? rows.front() : rows.back();
    for (const FloatRect& r : rows)
      if (ContainsY({r.x, r.y - 2, r.width, r.height + 4}, y)) {
        row = r;
        break;
      }
    x = std::clamp(x, row.x, std::max(row.x, row.Right()));
  }

  const int count = static_cast<int>(units.size());
  int low = 0, high = count, middle = 0;
  FloatRect box;
  bool inside = false;
  while (low <= high) {
    middle = (low + high) / 2;
    const gfx::CharacterRange range{middle, 1};
    box =
        middle < count ? g->MeasureCharacterRanges(units, *font_, layout, *piece.format, {&range, 1})[0] : FloatRect{};
    if (middle >= count) {  // past the last character: the point lies further on
      low = middle + 1;
      continue;
    }
    box.y -= 6;
    box.height += 11;
    if (Contains(box, x, y)) {
      inside = true;
      break;
    }
    const bool before = box.y > y || (ContainsY(box, y) && x < box.x);
    if (before)
      high = middle - 1;
    else
      low = middle + 1;
  }
  int unit = middle;
  if (inside && x > box.x + box.width / 2) ++unit;
  return std::clamp((piece.first_unit + unit) / text_.units_per_column(), 0, text_.LineChars(line));
}

// --- the view's state ---------------------------------------------------------------

void EditBox::ResetView() { view_ = EditView{}; }

// Inside the border; a single line is one font line (and a little) high, in
// the middle. The view starts a pixel lower, below the focus frame's top.
FloatRect EditBox::PlaceTextArea() {
  FloatRect& text = view_.text_rect;
  text = Adjust(FloatRect{0, 0, width(), height()}, 2, 2, -4, -4);
  if (!multi_line_) {
    const float single = FontHeight(font_) + 3;
    text.y += std::round((text.height - single) / 2);
    text.height = single;
  }
  const FloatRect focus_frame = text;
  text.y += 1;
  if (multi_line_) text.height -= 1;
  view_.view_rect = text;
  return focus_frame;
}

std::pair<int, int> EditBox::ShownLines() {
  int line = std::max(LineAtHeight(static_cast<float>(-view_.scroll_y), view_.first_drawn_line), 1);
  view_.first_drawn_line = line;
  while (line < text_.line_count() && text_.LineRect(line).Bottom() <= view_.view_rect.height - view_.scroll_y) ++line;
  view_.last_drawn_line = line;
  return {view_.first_drawn_line, line};
}

// A line the last paint recorded may be gone; 0 then makes the next paint
// search from the first line.
void EditBox::KeepDrawnLinesValid() {
  if (!text_.IsValidLine(view_.first_drawn_line)) view_.first_drawn_line = 0;
  if (!text_.IsValidLine(view_.last_drawn_line)) view_.last_drawn_line = 0;
}

void EditBox::PlaceCaretPoint(bool scroll, float extra) {
  view_.caret_point = view_.last_caret_point = CaretRect(caret_at_.line, caret_at_.column, scroll, extra);
}

void EditBox::ScrollToTop() { view_.scroll_x = view_.scroll_y = 0; }

// The last line at the view's bottom (kept within the content by the caret
// that follows).
void EditBox::ScrollToBottom() {
  view_.scroll_y = static_cast<int>(view_.view_rect.y - (text_.content_height() - view_.view_rect.height));
}

void EditBox::TurnPage(bool up) {
  const int page = static_cast<int>(view_.view_rect.height);
  view_.scroll_y += up ? page : -page;
  ClampScroll();
}

void EditBox::ScrollLeftBy(int pixels) {
  if (view_.scroll_x < 0) view_.scroll_x = std::min(0, view_.scroll_x + pixels);
}

// --- the caret -------------------------------------------------------------------------

FloatRect EditBox::CaretRect(int line, int column, bool scroll, float extra) {
  if (!text_.IsValidLine(line)) line = 1;
  if (scroll) MeasureLines(line, line);  // the view keeps within the line's true width
  column = std::clamp(column, 0, text_.LineChars(line));
  const LinePiece piece = PieceWithColumn(line, std::max(column - 1, 0));
  const FloatRect& layout = piece.layout;
  FloatRect caret{layout.x, layout.y, 1.0f, static_cast<float>(text_.line_height())};
  gfx::Graphics* g = canvas_graphics();
  if (column > 0 && g && font_ && format_) {
    std::u16string units = piece.units;
    const int k = text_.units_per_column();
    const gfx::CharacterRange before{(column - 1) * k - piece.first_unit, k};
    const FloatRect character = g->MeasureCharacterRanges(units, *font_, layout, *piece.format, {&before, 1})[0];
    if (!character.IsEmpty()) {
      caret.x = character.Right();
      caret.y = character.y;
    } else {
      const gfx::CharacterRange space{static_cast<int>(units.size()), 1};
      units += u' ';
      const FloatRect spaced = g->MeasureCharacterRanges(units, *font_, layout, *piece.format, {&space, 1})[0];
      caret.x = spaced.x - text_.reference_width() / 2.0f;
      caret.y = spaced.IsEmpty() ? layout.y : spaced.y;
    }
  }
  if (!scroll) return caret;
  FollowCaret(caret, extra);
  return CaretRect(line, column, false);
}

// The documented order: one step up or down, then across, then both offsets
// kept within the content, and the bars told. A caret further below the view
// than a step (after a paste of many lines) is first brought to its bottom;
// the step never takes the caret above the view's top.
void EditBox::FollowCaret(FloatRect& caret, float extra) {
  const FloatRect& v = view_.view_rect;
  if (caret.y < v.y - 2) view_.scroll_y = static_cast<int>(view_.scroll_y - caret.y + caret.height);
  if (caret.Bottom() > v.y + v.height - 2) {
    const int before = view_.scroll_y;
    const float below = std::max(caret.Bottom() - v.Bottom(), 0.0f);
    view_.scroll_y = static_cast<int>(view_.scroll_y - below - caret.height - extra);
    view_.scroll_y = std::max(view_.scroll_y, static_cast<int>(std::ceil(before + v.y - caret.y)));
  }
  if (caret.x > v.x + v.width) view_.scroll_x = static_cast<int>(view_.scroll_x - (caret.x - v.width));
  if (caret.x < v.x) view_.scroll_x = static_cast<int>(view_.scroll_x + v.x - caret.x + v.width / 5);
  ClampScroll();
  SyncScrollBars();
}

// A programmatic jump may land far from the view, where the caret's one-line
// step would not reach: the line is brought in first.
void EditBox::RevealLine(int line) {
  const FloatRect r = text_.LineRect(line);
  if (r.Bottom() > view_.view_rect.height - view_.scroll_y)
    view_.scroll_y = static_cast<int>(view_.view_rect.height - r.Bottom());
  if (r.y < -view_.scroll_y) view_.scroll_y = -static_cast<int>(r.y);
}

// Lines that do not wrap are laid out when they show (see EditText::Layout).
void EditBox::MeasureShownLines() {
  const auto [first, last] = ShownLines();
  MeasureLines(first, last);
}

// A line narrower than its estimate may leave the view beyond the content.
void EditBox::MeasureLines(int first, int last) {
  gfx::Graphics* g = canvas_graphics();
  if (!g || !text_.Measure(*g, font_, format_, first, last)) return;
  const int x = view_.scroll_x;
  ClampScroll();
  MoveCaretPoint(view_.scroll_x - x, 0);
  UpdateScrollRanges();
  SyncScrollBars();
}

float EditBox::WrapWidth() const {
  return multi_line_ && scroll_bars_ == scroll_bars::kVertical ? std::max(view_.view_rect.width, 0.0f) : 0.0f;
}

void EditBox::ClampScroll() {
  const int lowest_y = static_cast<int>(view_.view_rect.height - text_.content_height());
  const int lowest_x = static_cast<int>(view_.view_rect.width - text_.content_width());
  view_.scroll_y = std::min(std::max(view_.scroll_y, lowest_y), 0);
  view_.scroll_x = std::min(std::max(view_.scroll_x, lowest_x), 0);
}

void EditBox::MoveCaretPoint(int dx, int dy) {
  view_.caret_point.x += static_cast<float>(dx);
  view_.caret_point.y += static_cast<float>(dy);
}

// A new view or new line widths may leave the offsets beyond the content and
// the caret elsewhere.
void EditBox::Reflow() {
  Paint(true);
  const int x = view_.scroll_x, y = view_.scroll_y;
  ClampScroll();
  view_.caret_point = CaretRect(caret_at_.line, caret_at_.column);
  CaretFollowsPaint();
  if (x == view_.scroll_x && y == view_.scroll_y) return;
  SyncScrollBars();
  Paint();
}

// --- scrolling ---------------------------------------------------------------------------

// Three lines a notch, never above the first line nor below the last page.
void EditBox::Wheel(int delta) {
  if (!multi_line_ || !vertical_bar_ || !vertical_bar_->visible()) return;
  const int step = 3 * text_.line_height();
  view_.scroll_y += delta < 1 ? -step : step;
  const int lowest = std::min(0, -(text_.content_height() - static_cast<int>(view_.view_rect.height)));
  view_.scroll_y = std::min(std::max(view_.scroll_y, lowest), 0);
  view_.caret_point = CaretRect(caret_at_.line, caret_at_.column);
  vertical_bar_->SetPosition(-view_.scroll_y);
  Paint();
}

// A bar only reports positions within its range; a caller's own number is
// kept within the content as well, so the text never scrolls out of the view.
void EditBox::SetVerticalScrollPosition(int position) {
  const int before = view_.scroll_y;
  view_.scroll_y = -position;
  ClampScroll();
  MoveCaretPoint(0, view_.scroll_y - before);
  Paint();
}

void EditBox::SetHorizontalScrollPosition(int position) {
  const int before = view_.scroll_x;
  view_.scroll_x = -position;
  ClampScroll();
  MoveCaretPoint(view_.scroll_x - before, 0);
  Paint();
}

void EditBox::SyncScrollBars() {
  if (vertical_bar_ && vertical_bar_->visible()) vertical_bar_->SetPosition(-view_.scroll_y);
  if (horizontal_bar_ && horizontal_bar_->visible()) horizontal_bar_->SetPosition(-view_.scroll_x);
}

// Each shown bar takes 10 pixels off the view, along its right or bottom edge.
void EditBox::PlaceScrollBars() {
  const bool vertical = vertical_bar_ && vertical_bar_->visible();
  const bool horizontal = horizontal_bar_ && horizontal_bar_->visible();
  if (vertical) {
    view_.view_rect.width -= 10;
    vertical_bar_->SetBounds({x() + view_.view_rect.x + view_.view_rect.width, y() + view_.view_rect.y, 10.0f,
                              view_.view_rect.height - (horizontal ? 10.0f : 0.0f)});
  }
  if (horizontal) {
    view_.view_rect.height -= 10;
    horizontal_bar_->SetBounds(
        {x() + view_.view_rect.x, y() + view_.view_rect.y + view_.view_rect.height, view_.view_rect.width, 10.0f});
  }
}

void EditBox::UpdateScrollRanges() {
  if (vertical_bar_) {
    vertical_bar_->SetMaximum(text_.content_height() - static_cast<int>(view_.view_rect.height));
    vertical_bar_->SetStep(text_.line_height());
    vertical_bar_->SetPage(std::max(static_cast<int>(view_.view_rect.height) - text_.line_height(), 1));
  }
  if (horizontal_bar_) {
    horizontal_bar_->SetMaximum(text_.content_width() - static_cast<int>(view_.view_rect.width));
    horizontal_bar_->SetPage(std::max(static_cast<int>(view_.view_rect.width * 0.9f), 1));
  }
}

}  // namespace razezazo
