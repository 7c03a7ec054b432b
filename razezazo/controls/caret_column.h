#pragma once
// A caret drawn straight into the host's picture: a one-pixel line over a
// column whose pixels are kept, so that removing the line puts exactly those
// pixels back. Whenever the host recomposes part of the column, the kept
// pixels of that part are taken again from the new picture and the line is
// drawn over them, so the line never leaves an old picture behind. The column
// is kept in the picture's device pixels: at 200 % a one-pixel line is two.
#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/graphics.h"
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/float_rect.h"

namespace razezazo {

class HostSurface;

class CaretColumn {
 public:
  bool drawn() const { return drawn_; }
  // Window pixels: x, the top row, width 1 and the height.
  const gfx::RectI& place() const { return place_; }

  // Draws the line over `place` and brings the column to the screen. A line
  // drawn elsewhere is removed first; one drawn at this place stays as it is.
  void Draw(HostSurface& host, const gfx::RectI& place);
  // Puts the kept pixels back and brings them to the screen; nothing when no
  // line is drawn.
  void Erase(HostSurface& host);
  // The host recomposed `area` (window coordinates) into `back`: the part of
  // the column inside it holds the new picture without the line.
  void Recomposed(HostSurface& host, gfx::Graphics& back, const FloatRect& area);

 private:
  // The line runs from the column's second logical row to its last; rows
  // here are device rows.
  void DrawLine(gfx::Graphics& back, float scale, int first_row, int end_row) const;
  void KeepRows(const gfx::Bitmap& picture, int first_row, int end_row);
  static void Show(HostSurface& host, const gfx::RectI& column);

  bool drawn_ = false;
  gfx::RectI place_;
  gfx::RectI device_place_;  // place_ in the picture's device pixels
  gfx::Bitmap kept_;         // the device pixels under the line (a scale 1 bitmap)
};

}  // namespace razezazo
