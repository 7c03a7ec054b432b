#include "platform/gfx/region.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>
#include <vector>

namespace gfx {

// A region moved from is empty, not gone.
Region::Region(Region&& other) noexcept : Region() { std::swap(region_, other.region_); }
Region& Region::operator=(Region&& other) noexcept {
  std::swap(region_, other.region_);
  return *this;
}
Region::~Region() = default;

// One scanline rectangle per row of the rounded corners; the rows are found by
// walking the corner ellipse with an integer midpoint algorithm (Zingl's
// ellipse rasteriser) so that they are exact and symmetric.
Region Region::RoundRect(int left, int top, int right, int bottom, int ellipse_width, int ellipse_height) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  --right;
  --bottom;
  ellipse_width = std::min(right - left, std::abs(ellipse_width));
  ellipse_height = std::min(bottom - top, std::abs(ellipse_height));
  if (ellipse_width < 2 || ellipse_height < 2) return Region(RectI{left, top, right - left, bottom - top});

  std::vector<std::pair<int, int>> spans(static_cast<size_t>(ellipse_height));  // left, right per corner row
  const std::int64_t a = ellipse_width - 1, b = ellipse_height - 1;
  const std::int64_t asq = 8 * a * a, bsq = 8 * b * b;
  std::int64_t dx = 4 * b * b * (1 - a);
  std::int64_t dy = 4 * a * a * (1 + (b % 2));
  std::int64_t err = dx + dy + a * a * (b % 2);
  int x = 0, y = ellipse_height / 2;
  spans[y] = {left, right};
  while (x <= ellipse_width / 2) {
    const std::int64_t e2 = 2 * err;
    if (e2 >= dx) {
      ++x;
      err += dx += bsq;
    }
    if (e2 <= dy) {
      ++y;
      err += dy += asq;
      if (y < ellipse_height) spans[y] = {left + x, right - x};
    }
  }
  Region region;
  for (int i = 0; i < ellipse_height / 2; ++i) {
    const auto [l, r] = spans[b - i];
    region.Union(Region(RectI{l, top + i, r - l, 1}));
  }
  // The middle row of the ellipse stretches over the straight part of the sides.
  const int middle_top = top + ellipse_height / 2;
  const int middle_bottom = bottom - ellipse_height + ellipse_height / 2 + 1;
  region.Union(Region(RectI{left, middle_top, right - left, middle_bottom - middle_top}));
  for (int i = ellipse_height / 2 + 1; i < ellipse_height; ++i) {
    const auto [l, r] = spans[i];
    region.Union(Region(RectI{l, bottom - ellipse_height + i, r - l, 1}));
  }
  return region;
}

}  // namespace gfx
