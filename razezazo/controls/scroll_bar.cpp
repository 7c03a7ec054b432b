#include "razezazo/controls/scroll_bar.h"

#include <algorithm>

#include "razezazo/drawing/shapes.h"
#include "razezazo/widgets/paint_cycle.h"

namespace razezazo {
namespace {

constexpr std::uint32_t kRepeatMs = 100;

ControlOptions BaseOptions(const ScrollBarOptions& options) {
  ControlOptions base;
  base.visible = options.visible;
  base.interactive = true;
  base.transition_interval_ms = 60;
  return base;
}

bool Contains(const FloatRect& r, float x, float y) { return x >= r.x && y >= r.y && x < r.Right() && y < r.Bottom(); }

}  // namespace

void ScrollBar::Configure(const ScrollBarOptions& options) {
  minimum_ = options.minimum;
  maximum_ = options.maximum;
  page_ = options.page;
  step_ = options.step;
  notify_while_dragging_ = options.notify_while_dragging;
  orientation_ = options.orientation == kVerticalBar ? kVerticalBar : kHorizontalBar;
  arrows_only_when_active_ = options.arrows_only_when_active;
  position_ = Clamp(options.position.value_or(minimum_));
  pressed_part_ = hot_part_ = kNoPart;
  hot_ = false;
  grab_offset_ = 0;
}

// The fields are set before the base creates the canvas: creation already
// lays the bar out and paints it (events 1 and 15).
bool ScrollBar::Create(winsys::WindowId host_window, const FloatRect& bounds, const ScrollBarOptions& options) {
  Configure(options);
  return ControlBase::Create(host_window, bounds, kKindScrollBar, BaseOptions(options));
}

bool ScrollBar::Create(ControlBase& parent, const FloatRect& bounds, const ScrollBarOptions& options) {
  Configure(options);
  return ControlBase::Create(parent, bounds, kKindScrollBar, BaseOptions(options));
}

// --- properties ----------------------------------------------------------------------

// An empty range (maximum below minimum) holds the position at the minimum.
int ScrollBar::Clamp(int position) const { return std::max(minimum_, std::min(position, maximum_)); }

void ScrollBar::SetPosition(int position) { UpdateProperty(position_, Clamp(position)); }

void ScrollBar::SetMinimum(int minimum) {
  if (minimum == minimum_) return;
  minimum_ = minimum;
  UpdateProperty(position_, Clamp(position_));
}

void ScrollBar::SetMaximum(int maximum) {
  if (maximum == maximum_) return;
  maximum_ = maximum;
  position_ = Clamp(position_);
  thumb_length_ = ThumbLength(TrackLength(), maximum_);
  RepaintNow();
}

float ScrollBar::TrackStart() const { return orientation_ == kVerticalBar ? parts_.track.y : parts_.track.x; }
float ScrollBar::TrackLength() const { return orientation_ == kVerticalBar ? parts_.track.height : parts_.track.width; }

void ScrollBar::UpdateGeometry() {
  parts_ = LayOutScrollBar(orientation_, width(), height());
  thumb_length_ = ThumbLength(TrackLength(), maximum_);
}

FloatRect ScrollBar::Thumb() const {
  const float start = ThumbStart(TrackStart(), TrackLength(), thumb_length_, position_, minimum_, maximum_);
  const FloatRect& t = parts_.track;
  const auto length = static_cast<float>(thumb_length_);
  return orientation_ == kVerticalBar ? FloatRect{t.x, start, t.width, length}
                                      : FloatRect{start, t.y, length, t.height};
}

// --- events --------------------------------------------------------------------------

std::intptr_t ScrollBar::OnEvent(int code, std::intptr_t, std::intptr_t argument2) {
  switch (code) {
    case event::kCreated:
    case event::kBoundsChanged: UpdateGeometry(); return 0;
    case event::kRepaint: Paint(); return 0;
    case event::kDestroyed:
      StopTimer();
      position_handler_ = nullptr;
      return 0;
    case event::kPressQuery: return 1;
    case winsys::WM_LBUTTONDOWN: Press(argument2); return 0;
    case event::kTimer: Step(); return 0;
    case winsys::WM_MOUSEMOVE: Move(argument2); return 0;
    case winsys::WM_LBUTTONUP: Release(); return 0;
    case event::kMouseEnter:
      hot_ = true;
      Paint();
      return 0;
    case event::kMouseLeave:
      hot_ = false;
      hot_part_ = kNoPart;
      Paint();
      return 0;
    default: return kNotHandled;
  }
}

float ScrollBar::Along(std::intptr_t point) const {
  const auto lparam = static_cast<winsys::LParam>(point);
  return orientation_ == kVerticalBar ? winsys::PointY(lparam) - y() : winsys::PointX(lparam) - x();
}

int ScrollBar::PartAt(std::intptr_t point) const {
  const auto lparam = static_cast<winsys::LParam>(point);
  const float px = winsys::PointX(lparam) - x(), py = winsys::PointY(lparam) - y();
  if (Contains(parts_.first_arrow, px, py)) return kFirstArrow;
  if (Contains(parts_.second_arrow, px, py)) return kSecondArrow;
  if (Contains(Thumb(), px, py)) return kThumb;
  if (Contains(parts_.track, px, py)) return kTrack;
  return kNoPart;
}

// A quick click steps (or pages) once at once; holding goes on with the timer.
void ScrollBar::Press(std::intptr_t point) {
  pressed_part_ = PartAt(point);
  pressed_along_ = Along(point);
  if (pressed_part_ == kThumb) grab_offset_ = Along(point) - (orientation_ == kVerticalBar ? Thumb().y : Thumb().x);
  winsys::Current().SetTimer(host_window(), self(), kRepeatMs);
  if (pressed_part_ == kFirstArrow || pressed_part_ == kSecondArrow || pressed_part_ == kTrack)
    Step();
  else
    Paint();
}

// The amount of one repeat, signed; 0 once the track's thumb reached the pointer.
int ScrollBar::Stride() const {
  switch (pressed_part_) {
    case kFirstArrow: return -step_;
    case kSecondArrow: return step_;
    case kTrack: {
      const FloatRect thumb = Thumb();
      const float start = orientation_ == kVerticalBar ? thumb.y : thumb.x;
      const float length = orientation_ == kVerticalBar ? thumb.height : thumb.width;
      const int page = std::max(page_, 1);
      if (pressed_along_ < start) return -page;
      if (pressed_along_ >= start + length) return page;
      return 0;
    }
    default: return 0;
  }
}

void ScrollBar::Step() {
  const int stride = Stride();
  if (stride == 0) return StopTimer();
  const int next = Clamp(position_ + stride);
  if (next <= minimum_ || next >= maximum_) StopTimer();
  if (next == position_) return;
  position_ = next;
  Paint();
  Notify();
}

void ScrollBar::Move(std::intptr_t point) {
  if (pressed_part_ == kTrack) pressed_along_ = Along(point);
  if (pressed_part_ == kThumb) {
    const int next =
        PositionFromPoint(Along(point) - grab_offset_, TrackStart(), TrackLength(), thumb_length_, minimum_, maximum_);
    if (next == position_) return;
    position_ = next;
    Paint();
    if (notify_while_dragging_) Notify();
    return;
  }
  if (pressed_part_ != kNoPart) return;
  const int part = PartAt(point);
  if (part == hot_part_) return;
  hot_part_ = part;
  Paint();
}

void ScrollBar::Release() {
  const bool report = pressed_part_ == kThumb && !notify_while_dragging_;
  pressed_part_ = kNoPart;
  StopTimer();
  Paint();
  if (report) Notify();
}

void ScrollBar::StopTimer() {
  if (self()) winsys::Current().KillTimer(host_window(), self());
}

void ScrollBar::Notify() {
  if (!position_handler_) return;
  PositionHandler handler = position_handler_;  // the handler may replace itself or destroy the bar
  handler(parent(), position_);
}

// --- paint ---------------------------------------------------------------------------

void ScrollBar::Paint() {
  if (!self()) return;
  PaintContext context = BeginPaint(*this);
  if (gfx::Graphics* g = context.graphics) {
    const FloatRect thumb = Thumb();
    if (hot_ || pressed_part_ != kNoPart || !arrows_only_when_active_) {
      const bool range = maximum_ > minimum_;
      DrawArrow(*g, parts_.first_arrow, true, range && pressed_part_ == kFirstArrow);
      DrawArrow(*g, parts_.second_arrow, false, range && pressed_part_ == kSecondArrow);
      if (thumb_length_ > 0) {
        FillRoundRect(*g, thumb, 6, ToArgb(0x000000, 110));
        OutlineRoundRect(*g, thumb, 6, ToArgb(0x000000, 80));
      }
    } else if (thumb_length_ > 0) {
      FillRoundRect(*g, thumb, 6, ToArgb(0x000000, 40));
      OutlineRoundRect(*g, thumb, 6, ToArgb(0x000000, 30));
    }
  }
  EndPaint(*this, context);
}

// A small triangle pointing away from the track, inside the arrow's box.
void ScrollBar::DrawArrow(gfx::Graphics& g, const FloatRect& box, bool first, bool pressed) const {
  const float cx = box.x + box.width / 2, cy = box.y + box.height / 2;
  gfx::PointF tip, base1, base2;
  if (orientation_ == kVerticalBar) {
    const float dy = first ? -2.5f : 2.5f;
    tip = {cx, cy + dy};
    base1 = {cx - 3, cy - dy};
    base2 = {cx + 3, cy - dy};
  } else {
    const float dx = first ? -2.5f : 2.5f;
    tip = {cx + dx, cy};
    base1 = {cx - dx, cy - 3};
    base2 = {cx - dx, cy + 3};
  }
  gfx::Path triangle;
  triangle.AddLine(tip, base1);
  triangle.AddLine(base1, base2);
  triangle.CloseFigure();
  if (pressed) OutlineRoundRect(g, box, 4, ToArgb(0x000000, 160));
  FillPath(g, triangle, ToArgb(0x000000, pressed ? 160 : 100));
  OutlinePath(g, triangle, ToArgb(0x000000, pressed ? 140 : 60));
}

}  // namespace razezazo
