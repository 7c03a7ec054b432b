#pragma once
// Small files that claim or cost far more than they hold: the decoders' limits
// are tested (and benchmarked) against them.
#include <cstdint>
#include <vector>

#include "hostile_gifs.h"
#include "jpeg_writer.h"

namespace gfx::testing {

// A tiny baseline JPEG whose frame header claims width x height: libjpeg pads
// the missing scan data out to the declared size.
inline std::vector<std::uint8_t> MakeJpegDeclaring(int width, int height) {
  std::vector<std::uint8_t> jpeg = MakeJpeg(8, 8, 0x808080, 0x808080, false, JpegColours::kGrey);
  for (size_t i = 0; i + 8 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8), jpeg[i + 6] = static_cast<std::uint8_t>(height & 0xFF);
      jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8), jpeg[i + 8] = static_cast<std::uint8_t>(width & 0xFF);
      break;
    }
  return jpeg;
}

// A flat grey progressive JPEG whose last scan is repeated until the file has
// `scans` scans. libjpeg only warns about the repeats and decodes every one.
inline std::vector<std::uint8_t> MakeJpegWithScans(int width, int height, int scans) {
  std::vector<std::uint8_t> jpeg = MakeJpeg(width, height, 0x606060, 0x606060, true, JpegColours::kGrey);
  std::vector<size_t> starts;  // of each scan's SOS marker
  for (size_t i = 0; i + 1 < jpeg.size(); ++i)
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xDA) starts.push_back(i);
  const size_t last = starts.back(), end = jpeg.size() - 2;  // the EOI marker ends the file
  const std::vector<std::uint8_t> scan(jpeg.begin() + static_cast<long>(last), jpeg.begin() + static_cast<long>(end));
  std::vector<std::uint8_t> out(jpeg.begin(), jpeg.begin() + static_cast<long>(end));
  for (int n = static_cast<int>(starts.size()); n < scans; ++n) out.insert(out.end(), scan.begin(), scan.end());
  out.insert(out.end(), {0xFF, 0xD9});
  return out;
}

}  // namespace gfx::testing
