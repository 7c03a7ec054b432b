#pragma once
// Raster images of the framework: loaded from byte blocks, cut from skin
// strips, converted from icons, drawn in the framework's modes, and played
// frame by frame.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/graphics.h"
#include "razezazo/drawing/float_rect.h"

namespace razezazo {

// A loaded image. A still image is a detached copy of its first frame; an
// image loaded for animation keeps all its frames and the file's delays.
class LoadedImage {
 public:
  LoadedImage(std::vector<gfx::Bitmap> frames, std::optional<std::vector<int>> delays);

  int Width() const { return Current().Width(); }
  int Height() const { return Current().Height(); }
  const gfx::Bitmap& Current() const { return frames_[static_cast<size_t>(active_)]; }
  // A still image may also hold a picture drawn for 200 % screens (the same
  // logical size, twice the pixels). For a target of `scale` the nearest one
  // is drawn (the sharper on a tie); the target scales it the rest of the way.
  void AddSharper(gfx::Bitmap at_2x) { sharper_ = std::move(at_2x); }
  const gfx::Bitmap& ForScale(float scale) const;

  int FrameCount() const { return static_cast<int>(frames_.size()); }
  // Fails without effect for a frame that does not exist.
  bool SelectFrame(int index);
  // Hundredths of a second per frame: the file's values, or the single delay
  // 10 when it has none. With fix_zero_delays every 0 becomes 10.
  std::vector<int> FrameDelays(bool fix_zero_delays = false) const;

 private:
  std::vector<gfx::Bitmap> frames_;
  std::optional<std::vector<int>> delays_;
  int active_ = 0;
  gfx::Bitmap sharper_;
};

using ImageHandle = std::unique_ptr<LoadedImage>;

// Nothing for an empty or unreadable block. prepend_png_signature puts the 8
// PNG signature bytes in front of the block (skins stored without them).
// Without keep_stream the result is a detached still copy that no longer
// needs the bytes.
ImageHandle LoadImage(std::span<const std::uint8_t> bytes, bool prepend_png_signature = false,
                      bool keep_stream = false);

// A built-in picture and its 2x drawing (see LoadedImage::ForScale); the 2x
// block may be empty.
ImageHandle LoadScaledImage(std::span<const std::uint8_t> at_1x, std::span<const std::uint8_t> at_2x);

void DrawNatural(gfx::Graphics& g, const gfx::Bitmap& image, const FloatRect& rect);
void DrawCentred(gfx::Graphics& g, const gfx::Bitmap& image, const FloatRect& rect);
void DrawStretched(gfx::Graphics& g, const gfx::Bitmap& image, const FloatRect& rect);
// 255 draws plainly (stretched into rect); below that the image is drawn at
// its own scale into rect with the opacity.
void DrawWithOpacity(gfx::Graphics& g, const gfx::Bitmap& image, const FloatRect& rect, int opacity);

// Margins of a nine-grid in source pixels: the stretchable centre cell.
struct NineGrid {
  float left = 0;
  float top = 0;
  float centre_width = 0;
  float centre_height = 0;
};

// Corners keep their size, edges stretch one way, the centre both ways.
// An opacity in 0..254 applies to all nine cells.
void DrawNineGrid(gfx::Graphics& g, const gfx::Bitmap& image, const FloatRect& dest, const NineGrid& margins,
                  std::optional<int> opacity = std::nullopt);

gfx::Bitmap CutCell(const gfx::Bitmap& image, const FloatRect& cell);

// A platform icon: straight ARGB pixels, row by row.
struct Icon {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// Icons without any alpha are taken as opaque (their mask decided visibility).
gfx::Bitmap ImageFromIcon(const Icon& icon);

}  // namespace razezazo
