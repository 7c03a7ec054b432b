#include "platform/gfx/constant_alpha_blend.h"

#include <immintrin.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>

#include "platform/gfx/bitmap_native_cairo.h"

namespace gfx::detail {
namespace {

// One pixel: d = s * a + d * (1 - alpha of s * a), premultiplied, in 0..255.
std::uint32_t BlendPixel(std::uint32_t s, std::uint32_t d, unsigned alpha) {
  auto times = [](unsigned v, unsigned f) { return (v * f + 127) / 255; };
  unsigned sa = times(s >> 24, alpha);
  std::uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    unsigned sc = times((s >> shift) & 0xFF, alpha);
    unsigned dc = (d >> shift) & 0xFF;
    out |= std::min(255u, sc + times(dc, 255 - sa)) << shift;
  }
  return out;
}

// x / 255, rounded, for 16-bit lanes holding at most 255 * 255.
__attribute__((target("avx2"))) inline __m256i Div255(__m256i x) {
  return _mm256_mulhi_epu16(_mm256_add_epi16(x, _mm256_set1_epi16(128)), _mm256_set1_epi16(257));
}

__attribute__((target("avx2"))) void BlendRow(std::uint32_t* d, const std::uint32_t* s, int n, unsigned alpha) {
  // s * alpha / 255 as one high multiply: alpha * 257 + 1 fits 16 bits for alpha <= 254.
  const __m256i factor = _mm256_set1_epi16(static_cast<short>(alpha * 257 + 1));
  const __m256i c255 = _mm256_set1_epi16(255);
  const __m256i zero = _mm256_setzero_si256();
  // Spreads each pixel's alpha word over its four channel words.
  const __m256i spread_alpha = _mm256_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15, 6, 7, 6, 7, 6,
                                                7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15);
  int i = 0;
  for (; i + 8 <= n; i += 8) {
    __m256i sv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
    __m256i dv = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i));
    __m256i slo = _mm256_mulhi_epu16(_mm256_unpacklo_epi8(sv, zero), factor);
    __m256i shi = _mm256_mulhi_epu16(_mm256_unpackhi_epi8(sv, zero), factor);
    __m256i dlo = _mm256_unpacklo_epi8(dv, zero), dhi = _mm256_unpackhi_epi8(dv, zero);
    __m256i keep_lo = _mm256_sub_epi16(c255, _mm256_shuffle_epi8(slo, spread_alpha));
    __m256i keep_hi = _mm256_sub_epi16(c255, _mm256_shuffle_epi8(shi, spread_alpha));
    dlo = _mm256_add_epi16(slo, Div255(_mm256_mullo_epi16(dlo, keep_lo)));
    dhi = _mm256_add_epi16(shi, Div255(_mm256_mullo_epi16(dhi, keep_hi)));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i), _mm256_packus_epi16(dlo, dhi));
  }
  for (; i < n; ++i) d[i] = BlendPixel(s[i], d[i], alpha);
}

bool IsIdentity(cairo_t* cr) {
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  return m.xx == 1 && m.yy == 1 && m.xy == 0 && m.yx == 0 && m.x0 == 0 && m.y0 == 0;
}

struct RectangleListRelease {
  void operator()(cairo_rectangle_list_t* list) const { cairo_rectangle_list_destroy(list); }
};

}  // namespace

bool BlendWithConstantAlpha(cairo_t* cr, const Bitmap& image, int x, int y, unsigned alpha) {
  static const bool has_avx2 = __builtin_cpu_supports("avx2");
  cairo_surface_t* target = cairo_get_target(cr);
  if (!has_avx2 || alpha > 254 || image.IsNull() || !IsIdentity(cr) ||
      cairo_surface_get_type(target) != CAIRO_SURFACE_TYPE_IMAGE ||
      cairo_image_surface_get_format(target) != CAIRO_FORMAT_ARGB32)
    return false;
  double scale = 1, scale_y = 1;
  cairo_surface_get_device_scale(target, &scale, &scale_y);
  if (scale != scale_y || scale != image.Scale()) return false;
  std::unique_ptr<cairo_rectangle_list_t, RectangleListRelease> clip(cairo_copy_clip_rectangle_list(cr));
  if (!clip || clip->status != CAIRO_STATUS_SUCCESS) return false;
  // The clip in device pixels.
  for (int i = 0; i < clip->num_rectangles; ++i) {
    cairo_rectangle_t& r = clip->rectangles[i];
    r = {r.x * scale, r.y * scale, r.width * scale, r.height * scale};
    if (r.x != std::floor(r.x) || r.y != std::floor(r.y) || r.width != std::floor(r.width) ||
        r.height != std::floor(r.height))
      return false;  // antialiased edges: Cairo must do them
  }
  const int target_width = cairo_image_surface_get_width(target);
  const int target_height = cairo_image_surface_get_height(target);
  const int stride = cairo_image_surface_get_stride(target);
  cairo_surface_flush(target);
  unsigned char* pixels = cairo_image_surface_get_data(target);
  const auto* source = reinterpret_cast<const unsigned char*>(image.Row(0));  // flushes the image once
  const int source_stride = cairo_image_surface_get_stride(CairoSurface(image));
  for (int i = 0; i < clip->num_rectangles; ++i) {
    const cairo_rectangle_t& r = clip->rectangles[i];
    int left = std::max({static_cast<int>(r.x), x, 0});
    int top = std::max({static_cast<int>(r.y), y, 0});
    int right = std::min({static_cast<int>(r.x + r.width), x + image.DeviceWidth(), target_width});
    int bottom = std::min({static_cast<int>(r.y + r.height), y + image.DeviceHeight(), target_height});
    if (right <= left || bottom <= top) continue;
    for (int row = top; row < bottom; ++row) {
      auto* d = reinterpret_cast<std::uint32_t*>(pixels + static_cast<std::ptrdiff_t>(row) * stride) + left;
      const auto* s =
          reinterpret_cast<const std::uint32_t*>(source + static_cast<std::ptrdiff_t>(row - y) * source_stride);
      BlendRow(d, s + (left - x), right - left, alpha);
    }
    cairo_surface_mark_dirty_rectangle(target, left, top, right - left, bottom - top);
  }
  return true;
}

}  // namespace gfx::detail
