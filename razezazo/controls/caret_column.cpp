#include "razezazo/controls/caret_column.h"

#include <algorithm>
#include <cmath>

#include "platform/window/window_system.h"
#include "razezazo/widgets/events.h"
#include "razezazo/widgets/host_surface.h"
#include "razezazo/widgets/paint_cycle.h"

namespace razezazo {
namespace {

constexpr gfx::Argb kCaretColour = 0xE6000000;

bool FitsIn(const gfx::RectI& device, const gfx::Bitmap& picture) {
  return !device.IsEmpty() && device.x >= 0 && device.y >= 0 && device.Right() <= picture.DeviceWidth() &&
         device.Bottom() <= picture.DeviceHeight();
}

}  // namespace

void CaretColumn::Draw(HostSurface& host, const gfx::RectI& place) {
  if (drawn_ && place == place_) return;
  Erase(host);
  gfx::Bitmap& picture = host.back_buffer();
  const gfx::RectI device = picture.DeviceArea(place);
  if (!FitsIn(device, picture)) return;
  place_ = place;
  device_place_ = device;
  kept_ = gfx::Bitmap(device.width, device.height);
  KeepRows(picture, device.y, device.Bottom());
  DrawLine(host.back_graphics(), picture.Scale(), device.y, device.Bottom());
  drawn_ = true;
  Show(host, place_);
}

void CaretColumn::Erase(HostSurface& host) {
  if (!drawn_) return;
  drawn_ = false;
  gfx::Bitmap& picture = host.back_buffer();
  // The picture was replaced by a smaller one, or one at another scale.
  if (!FitsIn(device_place_, picture) || picture.DeviceArea(place_) != device_place_) return;
  for (int row = 0; row < device_place_.height; ++row)
    for (int column = 0; column < device_place_.width; ++column)
      picture.Row(device_place_.y + row)[device_place_.x + column] = kept_.Row(row)[column];
  picture.MarkDirty();
  Show(host, place_);
}

// Only the rows inside `area` were composed again; the others still hold the
// line over the pixels kept before.
void CaretColumn::Recomposed(HostSurface& host, gfx::Graphics& back, const FloatRect& area) {
  if (!drawn_) return;
  const gfx::Bitmap& picture = host.back_buffer();
  if (!FitsIn(device_place_, picture) || picture.DeviceArea(place_) != device_place_) {
    drawn_ = false;
    return;
  }
  const gfx::RectI pixels = picture.DeviceArea(PixelArea(area, picture.Width(), picture.Height()));
  if (device_place_.x < pixels.x || device_place_.x >= pixels.Right()) return;
  const int first = std::max(device_place_.y, pixels.y), end = std::min(device_place_.Bottom(), pixels.Bottom());
  if (first >= end) return;
  KeepRows(picture, first, end);
  back.ResetClip();
  DrawLine(back, picture.Scale(), first, end);
}

void CaretColumn::KeepRows(const gfx::Bitmap& picture, int first_row, int end_row) {
  for (int y = first_row; y < end_row; ++y)
    for (int column = 0; column < device_place_.width; ++column)
      kept_.Row(y - device_place_.y)[column] = picture.Row(y)[device_place_.x + column];
  kept_.MarkDirty();
}

// Whole device pixels, given back in logical ones, so that the fill covers
// them exactly.
void CaretColumn::DrawLine(gfx::Graphics& back, float scale, int first_row, int end_row) const {
  const int line_top = static_cast<int>(std::ceil((place_.y + 1) * scale - 1e-3f));
  const int top = std::max(first_row, line_top);
  if (top >= end_row) return;
  back.FillRectangle(kCaretColour, gfx::RectF{device_place_.x / scale, top / scale, device_place_.width / scale,
                                              (end_row - top) / scale});
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
