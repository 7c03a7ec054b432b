// Image decoding: any bytes either are refused or give frames within the pixel
// budget, with one delay a frame where the file has delays, and every frame
// draws once at its natural size and stretched.
#include <span>

#include "fuzz/fuzz_input.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/image_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto image = gfx::DecodeImage(std::span<const std::uint8_t>(data, size));
  if (!image) return 0;
  fuzzing::Check(!image->frames.empty(), "an accepted image without frames");
  if (image->delays) fuzzing::Check(image->delays->size() == image->frames.size(), "one delay per frame");

  std::int64_t pixels = 0;
  for (const auto& frame : image->frames) pixels += std::int64_t{frame.Width()} * frame.Height();
  fuzzing::Check(pixels <= gfx::kMaxDecodedPixels, "frames beyond the pixel budget");

  gfx::Bitmap canvas(48, 48);
  gfx::Graphics graphics(canvas);
  for (const auto& frame : image->frames) {
    graphics.DrawImage(frame, 0, 0);
    graphics.DrawImage(frame, gfx::RectF{2, 3, 40, 30});
  }
  return 0;
}
