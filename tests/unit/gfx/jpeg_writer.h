#pragma once
// Writes small JPEGs (baseline or progressive, colour or grey) for decoder tests.
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace gfx::testing {

enum class JpegColours { kRgb, kGrey, kAdobeCmyk };

// A width x height picture whose left half is `left` and right half `right`
// (0xRRGGBB; a grey picture takes the red byte; CMYK is stored inverted, as
// Photoshop does, with K = 0), at quality 95.
inline std::vector<std::uint8_t> MakeJpeg(int width, int height, std::uint32_t left, std::uint32_t right,
                                          bool progressive, JpegColours colours = JpegColours::kRgb) {
  const bool grey = colours == JpegColours::kGrey, cmyk = colours == JpegColours::kAdobeCmyk;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = grey ? 1 : cmyk ? 4 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * info.input_components);
  for (int x = 0; x < width; ++x) {
    const std::uint32_t c = x < width / 2 ? left : right;
    for (int k = 0; k < info.input_components; ++k) {
      // Inverted CMY with no black is just RGB; inverted K = 0 is 255.
      const unsigned value = k == 3 ? 255 : (c >> (16 - 8 * k)) & 0xFF;
      row[static_cast<size_t>(x * info.input_components + k)] = static_cast<JSAMPLE>(value);
    }
  }
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

}  // namespace gfx::testing
