#include "razezazo/drawing/image.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/gfx/image_decoder.h"

namespace razezazo {

LoadedImage::LoadedImage(std::vector<gfx::Bitmap> frames, std::optional<std::vector<int>> delays)
    : frames_(std::move(frames)), delays_(std::move(delays)) {}

bool LoadedImage::SelectFrame(int index) {
  if (index < 0 || index >= FrameCount()) return false;
  active_ = index;
  return true;
}

std::vector<int> LoadedImage::FrameDelays(bool fix_zero_delays) const {
  std::vector<int> delays = delays_ && !delays_->empty() ? *delays_ : std::vector<int>{10};
  if (fix_zero_delays) std::replace(delays.begin(), delays.end(), 0, 10);
  return delays;
}

const gfx::Bitmap& LoadedImage::ForScale(float scale) const {
  const gfx::Bitmap& plain = Current();
  if (sharper_.IsNull() || active_ != 0) return plain;
  return std::fabs(sharper_.Scale() - scale) <= std::fabs(plain.Scale() - scale) ? sharper_ : plain;
}

ImageHandle LoadScaledImage(std::span<const std::uint8_t> at_1x, std::span<const std::uint8_t> at_2x) {
  ImageHandle image = LoadImage(at_1x);
  if (!image || at_2x.empty()) return image;
  auto decoded = gfx::DecodeImage(at_2x);
  if (decoded && !decoded->frames.empty())
    image->AddSharper(gfx::Bitmap::AtScale(std::move(decoded->frames.front()), 2.0f));
  return image;
}

ImageHandle LoadImage(std::span<const std::uint8_t> bytes, bool prepend_png_signature, bool keep_stream) {
  if (bytes.empty()) return nullptr;
  static constexpr std::array<std::uint8_t, 8> kPngSignature = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<std::uint8_t> block;
  block.reserve(bytes.size() + (prepend_png_signature ? kPngSignature.size() : 0));
  if (prepend_png_signature) block.insert(block.end(), kPngSignature.begin(), kPngSignature.end());
  block.insert(block.end(), bytes.begin(), bytes.end());

  auto decoded = gfx::DecodeImage(block);
  if (!decoded || decoded->frames.empty()) return nullptr;
  if (keep_stream) return std::make_unique<LoadedImage>(std::move(decoded->frames), std::move(decoded->delays));
  std::vector<gfx::Bitmap> still;
  still.push_back(std::move(decoded->frames.front()));
  return std::make_unique<LoadedImage>(std::move(still), std::nullopt);
}

namespace {
float W(const gfx::Bitmap& b) { return static_cast<float>(b.Width()); }
float H(const gfx::Bitmap& b) { return static_cast<float>(b.Height()); }
}  // namespace

void DrawNatural(gfx::Graphics& g, const gfx::Bitmap& image, const FloatRect& rect) {
  g.DrawImage(image, {rect.x, rect.y, W(image), H(image)});
}

void DrawCentred(gfx::Graphics& g, const gfx::Bitmap& image, const FloatRect& rect) {
  const float x = std::round(rect.x + (rect.width - W(image)) / 2);
  const float y = std::round(rect.y + (rect.height - H(image)) / 2);
  g.DrawImage(image, {x, y, W(image), H(image)});
}

void DrawStretched(gfx::Graphics& g, const gfx::Bitmap& image, const FloatRect& rect) { g.DrawImage(image, rect); }

void DrawWithOpacity(gfx::Graphics& g, const gfx::Bitmap& image, const FloatRect& rect, int opacity) {
  if (opacity >= 255) return g.DrawImage(image, rect);
  g.DrawImage(image, rect, {0, 0, rect.width, rect.height}, std::max(opacity, 0) / 255.0f);
}

void DrawNineGrid(gfx::Graphics& g, const gfx::Bitmap& image, const FloatRect& d, const NineGrid& m,
                  std::optional<int> opacity) {
  const float iw = W(image), ih = H(image);
  const float l = m.left, t = m.top, cw = m.centre_width, ch = m.centre_height;
  const float rw = iw - l - cw, bh = ih - t - ch;
  const float mid_w = d.width - l - rw, mid_h = d.height - t - bh;
  const float alpha = opacity && *opacity >= 0 && *opacity < 255 ? *opacity / 255.0f : 1.0f;
  const std::array<std::pair<FloatRect, FloatRect>, 9> cells = {{
      {{d.x, d.y, l, t}, {0, 0, l, t}},
      {{d.x + l, d.y, mid_w, t}, {l, 0, cw, t}},
      {{d.x + d.width - rw, d.y, rw, t}, {iw - rw, 0, rw, t}},
      {{d.x, d.y + t, l, mid_h}, {0, t, l, ch}},
      {{d.x + l, d.y + t, mid_w, mid_h}, {l, t, cw, ch}},
      {{d.x + d.width - rw, d.y + t, rw, mid_h}, {iw - rw, t, rw, ch}},
      {{d.x, d.y + d.height - bh, l, bh}, {0, ih - bh, l, bh}},
      {{d.x + l, d.y + d.height - bh, mid_w, bh}, {l, ih - bh, cw, bh}},
      {{d.x + d.width - rw, d.y + d.height - bh, rw, bh}, {iw - rw, ih - bh, rw, bh}},
  }};
  for (const auto& [dest, source] : cells) g.DrawImage(image, dest, source, alpha);
}

gfx::Bitmap CutCell(const gfx::Bitmap& image, const FloatRect& cell) {
  return image.CloneArea({static_cast<int>(cell.x), static_cast<int>(cell.y), static_cast<int>(cell.width),
                          static_cast<int>(cell.height)});
}

gfx::Bitmap ImageFromIcon(const Icon& icon) {
  if (icon.width <= 0 || icon.height <= 0 || icon.pixels.size() < static_cast<size_t>(icon.width) * icon.height)
    return {};
  const bool has_alpha = std::any_of(icon.pixels.begin(), icon.pixels.end(), [](auto p) { return (p >> 24) != 0; });
  std::vector<std::uint32_t> pixels = icon.pixels;
  if (!has_alpha)
    for (auto& p : pixels) p |= 0xFF000000u;
  const gfx::Bitmap intermediate = gfx::Bitmap::FromArgb(icon.width, icon.height, pixels);
  gfx::Bitmap result(icon.width, icon.height);
  gfx::Graphics g(result);
  g.SetInterpolation(gfx::Interpolation::HighQualityBilinear);
  g.DrawImage(intermediate, 0, 0);
  return result;
}

}  // namespace razezazo
