#include "razezazo/controls/caret_column.h"

#include <algorithm>

#include "platform/window/window_system.h"
#include "razezazo/widgets/events.h"
#include "razezazo/widgets/host_surface.h"
#include "razezazo/widgets/paint_cycle.h"

namespace razezazo {
namespace {

constexpr gfx::Argb kCaretColour = 0xE6000000;

bool FitsIn(const gfx::RectI& r, const gfx::Bitmap& picture) {
  return !r.IsEmpty() && r.x >= 0 && r.y >= 0 && r.Right() <= picture.Width() && r.Bottom() <= picture.Height();
}

}  // namespace

void CaretColumn::Draw(HostSurface& host, const gfx::RectI& place) {
  if (drawn_ && place == place_) return;
  Erase(host);
  gfx::Bitmap& picture = host.back_buffer();
  if (!FitsIn(place, picture)) return;
  place_ = place;
  kept_ = gfx::Bitmap(1, place.height);
  KeepRows(picture, place.y, place.Bottom());
  DrawLine(host.back_graphics(), place.y, place.Bottom());
  drawn_ = true;
  Show(host, place_);
}

void CaretColumn::Erase(HostSurface& host) {
  if (!drawn_) return;
  drawn_ = false;
  gfx::Bitmap& picture = host.back_buffer();
  if (!FitsIn(place_, picture)) return;  // the picture was replaced by a smaller one
  for (int row = 0; row < place_.height; ++row) picture.Row(place_.y + row)[place_.x] = kept_.Row(row)[0];
  picture.MarkDirty();
  Show(host, place_);
}

// Only the rows inside `area` were composed again; the others still hold the
// line over the pixels kept before.
void CaretColumn::Recomposed(HostSurface& host, gfx::Graphics& back, const FloatRect& area) {
  if (!drawn_) return;
  const gfx::Bitmap& picture = host.back_buffer();
  if (!FitsIn(place_, picture)) {
    drawn_ = false;
    return;
  }
  const gfx::RectI pixels = PixelArea(area, picture.Width(), picture.Height());
  if (place_.x < pixels.x || place_.x >= pixels.Right()) return;
  const int first = std::max(place_.y, pixels.y), end = std::min(place_.Bottom(), pixels.Bottom());
  if (first >= end) return;
  KeepRows(picture, first, end);
  back.ResetClip();
  DrawLine(back, first, end);
}

void CaretColumn::KeepRows(const gfx::Bitmap& picture, int first_row, int end_row) {
  for (int y = first_row; y < end_row; ++y) kept_.Row(y - place_.y)[0] = picture.Row(y)[place_.x];
  kept_.MarkDirty();
}

void CaretColumn::DrawLine(gfx::Graphics& back, int first_row, int end_row) const {
  const int top = std::max(first_row, place_.y + 1);
  if (top >= end_row) return;
  back.FillRectangle(kCaretColour, gfx::RectF{static_cast<float>(place_.x), static_cast<float>(top), 1.0f,
                                              static_cast<float>(end_row - top)});
}

// A plain window takes just the column; a layered one is pushed whole.
void CaretColumn::Show(HostSurface& host, const gfx::RectI& column) {
  if (host.busy()) return;
  if (host.layer_alpha() == -1)
    winsys::Current().Present(host.window(), host.back_buffer(), column);
  else
    winsys::Current().Send(host.window(), host_message::kPushBackBuffer, 0, 0);
}

}  // namespace razezazo
