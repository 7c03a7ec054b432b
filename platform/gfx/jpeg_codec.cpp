// JPEG decoding with libjpeg(-turbo).
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "platform/gfx/image_decoder.h"

namespace gfx::detail {

namespace {

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void OnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }
void OnMessage(j_common_ptr) {}

// Owns the decompressor for the life of one decode, whatever way it ends.
struct Decompressor {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  Decompressor() {
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    errors.base.output_message = OnMessage;
  }
  ~Decompressor() { jpeg_destroy_decompress(&info); }
};

// libjpeg gives CMYK as it is stored; files with Adobe's marker (nearly all)
// store it inverted, as Photoshop writes it.
Argb FromCmyk(const JSAMPLE* p, bool inverted) {
  auto channel = [&](int i) { return inverted ? p[i] : 255 - p[i]; };
  const int k = channel(3);
  auto rgb = [&](int i) { return static_cast<std::uint8_t>(channel(i) * k / 255); };
  return MakeArgb(255, rgb(0), rgb(1), rgb(2));
}

// Kept free of objects with destructors: a libjpeg error jumps out of it.
bool DecodeInto(Decompressor& d, std::span<const std::uint8_t> bytes, Bitmap* out, std::vector<JSAMPLE>* row) {
  if (setjmp(d.errors.jump)) return false;
  jpeg_create_decompress(&d.info);
  jpeg_mem_src(&d.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK) return false;
  // A cut-off file is padded out to its header's size: check that before decoding.
  if (!WithinPixelBudget(d.info.image_width, d.info.image_height)) return false;
  const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
  d.info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&d.info);
  *out = Bitmap(static_cast<int>(d.info.output_width), static_cast<int>(d.info.output_height));
  if (out->IsNull()) return false;
  const int components = cmyk ? 4 : 3;
  row->resize(static_cast<size_t>(d.info.output_width) * components);
  while (d.info.output_scanline < d.info.output_height) {
    const int y = static_cast<int>(d.info.output_scanline);
    JSAMPROW rows[] = {row->data()};
    jpeg_read_scanlines(&d.info, rows, 1);
    std::uint32_t* dst = out->Row(y);
    for (JDIMENSION x = 0; x < d.info.output_width; ++x) {
      const JSAMPLE* p = row->data() + static_cast<size_t>(x) * components;
      dst[x] = cmyk ? FromCmyk(p, d.info.saw_Adobe_marker) : MakeArgb(255, p[0], p[1], p[2]);
    }
  }
  jpeg_finish_decompress(&d.info);
  out->MarkDirty();
  return true;
}

}  // namespace

std::optional<DecodedImage> DecodeJpeg(std::span<const std::uint8_t> bytes) {
  Decompressor d;
  Bitmap bitmap;
  std::vector<JSAMPLE> row;
  if (!DecodeInto(d, bytes, &bitmap, &row)) return std::nullopt;
  DecodedImage image;
  image.frames.push_back(std::move(bitmap));
  return image;
}

}  // namespace gfx::detail
