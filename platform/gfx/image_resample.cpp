#include "platform/gfx/image_resample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gfx::detail {

namespace {

// Where the centres of `count` output pixels fall on one source axis: the
// first source pixel, the second and the weight of the second.
struct Tap {
  int first, second;
  float weight;
};

std::vector<Tap> Taps(float start, float extent, int count, int limit, bool smooth) {
  const int lo = std::clamp(static_cast<int>(std::floor(start + 1e-3f)), 0, limit - 1);
  const int hi = std::clamp(static_cast<int>(std::ceil(start + extent - 1e-3f)) - 1, lo, limit - 1);
  std::vector<Tap> taps(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    const float centre = start + (i + 0.5f) * extent / count;
    if (!smooth) {
      const int at = std::clamp(static_cast<int>(std::floor(centre)), lo, hi);
      taps[static_cast<size_t>(i)] = {at, at, 0};
      continue;
    }
    const float p = std::clamp(centre - 0.5f, static_cast<float>(lo), static_cast<float>(hi));
    const int first = static_cast<int>(std::floor(p));
    taps[static_cast<size_t>(i)] = {first, std::min(first + 1, hi), p - first};
  }
  return taps;
}

std::uint32_t Mix(std::uint32_t a, std::uint32_t b, float t) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const float v = ((a >> shift) & 0xFF) * (1 - t) + ((b >> shift) & 0xFF) * t;
    out |= static_cast<std::uint32_t>(std::lround(v)) << shift;
  }
  return out;
}

}  // namespace

Bitmap Resample(const Bitmap& image, const RectF& source, int width, int height, bool smooth) {
  Bitmap out(width, height);
  if (out.IsNull() || image.IsNull()) return out;
  const std::vector<Tap> xs = Taps(source.x, source.width, width, image.DeviceWidth(), smooth);
  const std::vector<Tap> ys = Taps(source.y, source.height, height, image.DeviceHeight(), smooth);
  for (int y = 0; y < height; ++y) {
    const Tap& ty = ys[static_cast<size_t>(y)];
    const std::uint32_t* top = image.Row(ty.first);
    const std::uint32_t* bottom = image.Row(ty.second);
    std::uint32_t* row = out.Row(y);
    for (int x = 0; x < width; ++x) {
      const Tap& tx = xs[static_cast<size_t>(x)];
      row[x] = Mix(Mix(top[tx.first], top[tx.second], tx.weight), Mix(bottom[tx.first], bottom[tx.second], tx.weight),
                   ty.weight);
    }
  }
  out.MarkDirty();
  return out;
}

}  // namespace gfx::detail
