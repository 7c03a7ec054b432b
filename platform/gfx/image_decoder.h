#pragma once
// Decoding of encoded images (PNG, JPEG, GIF) from bytes in memory.
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

// Nothing for bytes that no decoder accepts.
std::optional<DecodedImage> DecodeImage(std::span<const std::uint8_t> bytes);

namespace detail {
std::optional<DecodedImage> DecodePng(std::span<const std::uint8_t> bytes);
std::optional<DecodedImage> DecodeJpeg(std::span<const std::uint8_t> bytes);
std::optional<DecodedImage> DecodeGif(std::span<const std::uint8_t> bytes);
}  // namespace detail

}  // namespace gfx
