#include "razezazo/widgets/scratch_canvas.h"

#include <algorithm>

namespace razezazo {

gfx::Bitmap& SharedScratchCanvas(int min_width, int min_height, float scale) {
  static gfx::Bitmap canvas;
  if (canvas.Scale() != scale) canvas = gfx::Bitmap();
  if (canvas.Width() < min_width || canvas.Height() < min_height)
    canvas = gfx::Bitmap(std::max(canvas.Width(), min_width), std::max(canvas.Height(), min_height), scale);
  return canvas;
}

}  // namespace razezazo
