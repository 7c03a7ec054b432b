#pragma once
// Decoding of encoded images (PNG, JPEG, GIF) from bytes in memory.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/gfx/bitmap.h"

namespace gfx {

struct DecodedImage {
  // Every frame as a full picture (animated GIF frames composed as shown).
  std::vector<Bitmap> frames;
  // Frame delays in hundredths of a second exactly as the file stores them,
  // when the file stores any (zero is kept as zero).
  std::optional<std::vector<int>> delays;
};

// A decoded image holds at most this many pixels over all its frames (256 MiB
// of ARGB): the sizes in a file's header cost nothing to write, and a few
// hundred hostile bytes must not be able to exhaust memory.
inline constexpr std::int64_t kMaxDecodedPixels = std::int64_t{64} << 20;

// Nothing for bytes that no decoder accepts, and for images larger than kMaxDecodedPixels.
std::optional<DecodedImage> DecodeImage(std::span<const std::uint8_t> bytes);

namespace detail {
inline bool WithinPixelBudget(std::int64_t width, std::int64_t height, std::int64_t frames = 1,
                              std::int64_t budget = kMaxDecodedPixels) {
  if (width < 0 || height < 0 || frames < 0) return false;
  // Each side is bounded first, so the product cannot overflow for any header value.
  if (width > budget || height > budget) return width == 0 || height == 0;
  return width * height <= budget / std::max<std::int64_t>(frames, 1);
}
// Even a one-pixel GIF screen costs a bitmap per frame: each kept frame is
// charged at least this many pixels, so a file of a million tiny frames is
// refused too.
inline constexpr std::int64_t kFrameOverheadPixels = 1024;
// The decoders behind DecodeImage; a test may give them a smaller budget.
std::optional<DecodedImage> DecodePng(std::span<const std::uint8_t> bytes);
std::optional<DecodedImage> DecodeJpeg(std::span<const std::uint8_t> bytes,
                                       std::int64_t pixel_budget = kMaxDecodedPixels);
std::optional<DecodedImage> DecodeGif(std::span<const std::uint8_t> bytes,
                                      std::int64_t pixel_budget = kMaxDecodedPixels);
}  // namespace detail

}  // namespace gfx
