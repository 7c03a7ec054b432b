// The edit box's mouse: a click places the caret (Shift+click extends the
// selection), a double click selects the word under the pointer by Pango's
// word boundaries, a third click soon after selects the line, and dragging
// with the button held selects, scrolling the view while the pointer is held
// outside it.
//
//   press                      -> caret at the point (when it lies in the view)
//   Shift+press                -> caret at the point, anchor kept (not for passwords)
//   second press of a double   -> the word under the pointer (not for passwords)
//   press within 500 ms of it  -> the caret's line (not for passwords)
//   move while pressed         -> caret at the point, anchor kept
//   release                    -> caret shown at its place; the selection
//                                 offered as the X primary selection
//   middle press               -> the primary selection pasted at the point
//                                 (not for read-only boxes nor passwords)
#include <algorithm>

#include "razezazo/controls/edit_box.h"
#include "razezazo/widgets/host_surface.h"

namespace razezazo {
namespace {

constexpr std::uint32_t kTripleClickMs = 500;
constexpr std::uint32_t kDragScrollMs = 50;

}  // namespace

bool EditBox::InView(int x, int y) const {
  const float left = static_cast<float>(x) - this->x(), top = static_cast<float>(y) - this->y();
  const FloatRect& v = view_.view_rect;
  return left >= v.x && top >= v.y && left < v.Right() && top < v.Bottom();
}

// The character under the pointer is the one before the hit column when the
// pointer lies left of that column's caret place.
void EditBox::SelectWordAt(winsys::LParam position) {
  const int x = winsys::PointX(position), y = winsys::PointY(position);
  const TextPlace hit = HitTest(x, y);
  const bool left_of_hit = hit.column > 0 && static_cast<float>(x) - this->x() < CaretRect(hit.line, hit.column).x;
  const auto [start, end] = WordAround(hit.line, hit.column - (left_of_hit ? 1 : 0));
  anchor_at_.line = caret_at_.line = hit.line;
  anchor_at_.column = start;
  caret_at_.column = end;
}

void EditBox::DragScrollTick() {
  const HostSurface* h = host();
  if (!h || h->pressing_control() != this) return StopDragScroll();
  Drag(static_cast<std::intptr_t>(self()), *drag_scroll_point_);
}

void EditBox::StopDragScroll() {
  if (!drag_scroll_point_) return;
  drag_scroll_point_.reset();
  if (HasFocus())
    StartBlinking();
  else
    winsys::Current().KillTimer(host_window(), self());
}

void EditBox::MiddleClick(winsys::LParam position) {
  if (input_mode_ == InputMode::kReadOnly || input_mode_ == InputMode::kPassword) return;
  const int x = winsys::PointX(position), y = winsys::PointY(position);
  if (!InView(x, y)) return;
  const TextPlace hit = HitTest(x, y);
  history_.Seal();
  anchor_at_.line = caret_at_.line = hit.line;
  anchor_at_.column = caret_at_.column = hit.column;
  ShowNewCaretPlace();
  Paste(true);
}

void EditBox::ShowNewCaretPlace() {
  PlaceCaretPoint(true);
  Paint();
  RefreshCaret(true, true);
}

void EditBox::LeftDown(std::intptr_t keys, winsys::LParam position) {
  const bool password = input_mode_ == InputMode::kPassword;
  const std::uint32_t now = winsys::Current().Now();
  history_.Seal();
  if (keys == event::kDoubleClickMark && !password) {
    double_clicked_ = true;
    double_click_time_ = now;
    SelectWordAt(position);
  } else if (double_clicked_ && now - double_click_time_ <= kTripleClickMs && !password) {
    anchor_at_.line = caret_at_.line;
    anchor_at_.column = 0;
    caret_at_.column = text_.LineChars(caret_at_.line);
  } else {
    const int x = winsys::PointX(position), y = winsys::PointY(position);
    if (InView(x, y)) {
      const TextPlace hit = HitTest(x, y);
      const bool extend = !password && winsys::Current().IsKeyDown(winsys::VK_SHIFT);
      if (!extend) {
        anchor_at_.line = hit.line;
        anchor_at_.column = hit.column;
      }
      caret_at_.line = hit.line;
      caret_at_.column = hit.column;
    }
    double_clicked_ = false;
  }
  ShowNewCaretPlace();
}

// The point is held to the line just outside the view, so the caret moves one
// line beyond what is shown and the view follows it: every move made while
// the pointer stays outside scrolls on, and so does every tick of the fast
// timer while it is held still there. A single-line box only has its line.
void EditBox::Drag(std::intptr_t pressed, winsys::LParam position) {
  HostSurface* h = host();
  if (!h || pressed != static_cast<std::intptr_t>(self()) || h->pressing_control() != this ||
      input_mode_ == InputMode::kPassword)
    return;
  const FloatRect& v = view_.view_rect;
  const int x = winsys::PointX(position);
  int y = winsys::PointY(position);
  const int view_top = static_cast<int>(this->y() + v.y), view_bottom = static_cast<int>(this->y() + v.Bottom());
  y = multi_line_ ? std::clamp(y, view_top - 1, view_bottom) : view_top + 2;
  const TextPlace before = caret();
  const int scroll_x = view_.scroll_x, scroll_y = view_.scroll_y;
  const float left_of_box = this->x() - static_cast<float>(x);
  if (left_of_box > 0) ScrollLeftBy(static_cast<int>(left_of_box));
  const TextPlace hit = HitTest(x, y);
  caret_at_.line = hit.line;
  caret_at_.column = hit.column;
  PlaceCaretPoint(true);
  const int pointer_y = winsys::PointY(position);
  const bool outside = (multi_line_ && (pointer_y < view_top || pointer_y >= view_bottom)) || left_of_box > 0 ||
                       x >= static_cast<int>(this->x() + v.Right());
  if (outside && !drag_scroll_point_) winsys::Current().SetTimer(host_window(), self(), kDragScrollMs);
  if (outside)
    drag_scroll_point_ = position;
  else
    StopDragScroll();
  // A drag back onto the anchor still has a selection to wipe away.
  if (caret() != before || view_.scroll_x != scroll_x || view_.scroll_y != scroll_y) Paint();
}

}  // namespace razezazo
