// The edit box's caret: a line drawn straight into the host's picture over a
// kept column of pixels, blinking on the box's own timer, and the place the
// input method puts its candidate window.
#include <cmath>

#include "razezazo/controls/edit_box.h"
#include "razezazo/widgets/host_surface.h"

namespace razezazo {

// Window pixels: the caret's left edge, its top and its height.
gfx::RectI EditBox::CaretPixels() const {
  return {static_cast<int>(std::floor(x() + view_.caret_point.x)),
          static_cast<int>(std::floor(y() + view_.caret_point.y)), 1, static_cast<int>(view_.caret_point.height)};
}

// Its top-left point (taken 2 pixels lower) within the view and its bottom not
// below the view's; only a focused box on show has a caret.
bool EditBox::CaretMayShow() const {
  if (!HasFocus() || !Shown()) return false;
  const FloatRect& v = view_.view_rect;
  const float left = view_.caret_point.x, top = view_.caret_point.y + 2;
  return view_.caret_point.height >= 1 && left >= v.x && left <= v.Right() && top >= v.y && top < v.Bottom() &&
         view_.caret_point.Bottom() <= v.Bottom() + kTolerance;
}

// Hiding always takes a drawn line away, even while the host is busy or the
// caret has left the view: a line left behind would stay in the picture.
void EditBox::RefreshCaret(bool show, bool reposition) {
  HostSurface* h = host();
  if (!h || !h->attached()) return;
  if (!show) {
    blink_count_ -= 1;
    caret_.Erase(*h);
    return;
  }
  if (h->busy()) return;
  if (!CaretMayShow()) {
    caret_.Erase(*h);
    return;
  }
  const gfx::RectI place = CaretPixels();
  if (reposition) {
    winsys::Current().SetImeCaret(host_window(), place);
    blink_count_ = 1;
    StartBlinking();  // a key or a click shows the caret for a whole blink
  }
  blink_count_ += 1;
  caret_.Draw(*h, place);
}

void EditBox::OnHostComposed(gfx::Graphics& back, const FloatRect& area) {
  if (HostSurface* h = host()) caret_.Recomposed(*h, back, area);
}

// A paint may have moved the text under a shown caret (a scroll, an edit): the
// caret goes with it at once instead of standing in the old place until the
// next blink.
void EditBox::CaretFollowsPaint() {
  if (caret_.drawn() && caret_.place() != CaretPixels()) RefreshCaret(true, true);
}

}  // namespace razezazo
