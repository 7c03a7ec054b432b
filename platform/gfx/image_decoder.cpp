#include "platform/gfx/image_decoder.h"

#include <algorithm>
#include <array>

namespace gfx {

namespace {
bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> magic) {
  return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}
}  // namespace

std::optional<DecodedImage> DecodeImage(std::span<const std::uint8_t> bytes) {
  if (StartsWith(bytes, {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A})) return detail::DecodePng(bytes);
  if (StartsWith(bytes, {0xFF, 0xD8, 0xFF})) return detail::DecodeJpeg(bytes);
  if (StartsWith(bytes, {'G', 'I', 'F', '8'})) return detail::DecodeGif(bytes);
  return std::nullopt;
}

}  // namespace gfx
