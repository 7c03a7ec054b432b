// JPEG decoding with libjpeg(-turbo).
//
// What a hostile file can make libjpeg spend is bounded three ways:
// - its declared size must be one its bytes could hold: a file is refused
//   when it claims far more pixels than its entropy-coded data could describe
//   (libjpeg would pad the missing part out to the declared size);
// - libjpeg's own working memory (the whole-image coefficient buffers of a
//   progressive file) counts against the pixel budget with the picture;
// - a progressive file may hold any number of scans, each a pass over the
//   blocks of its components; real encoders pass over a picture's blocks
//   about six times, so the scans may pass over them ten times at most.
#include <algorithm>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "platform/gfx/image_decoder.h"

namespace gfx::detail {

namespace {

// Huffman coding spends at least one bit per 8 x 8 block and component on
// every scan, so a byte describes at most 512 pixels; twice that is allowed
// (arithmetic coding goes further, and such files are rare enough to refuse).
constexpr std::int64_t kMaxPixelsPerByte = 1024;
// Below this size a picture is decoded whatever its byte count: a cut-off
// file shows the part that arrived, padded, as viewers show it.
constexpr std::int64_t kAlwaysDecodedPixels = std::int64_t{1} << 20;
constexpr std::int64_t kMaxPassesOverTheBlocks = 10;

bool BytesCouldHold(std::int64_t pixels, size_t bytes) {
  return pixels <= kAlwaysDecodedPixels || pixels / kMaxPixelsPerByte <= static_cast<std::int64_t>(bytes);
}

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void Fail(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1); }
void OnMessage(j_common_ptr) {}

std::int64_t BlocksOf(const jpeg_component_info& c) { return std::int64_t{c.width_in_blocks} * c.height_in_blocks; }

// libjpeg's progress monitor, extended by what the scans may still cost.
struct ScanBudget {
  jpeg_progress_mgr base;  // first: libjpeg sees only this
  int charged_scans = 0;
  std::int64_t blocks_left = 0;
};

void StartScanBudget(j_decompress_ptr info, ScanBudget& budget) {
  std::int64_t blocks = 0;
  for (int i = 0; i < info->num_components; ++i) blocks += BlocksOf(info->comp_info[i]);
  budget.blocks_left = kMaxPassesOverTheBlocks * blocks;
}

// Called as libjpeg works through the file; a new scan's components are known
// before its data is read.
void ChargeNewScan(j_common_ptr common) {
  auto* info = reinterpret_cast<j_decompress_ptr>(common);
  auto* budget = reinterpret_cast<ScanBudget*>(info->progress);
  if (budget->charged_scans == info->input_scan_number) return;
  budget->charged_scans = info->input_scan_number;
  for (int i = 0; i < info->comps_in_scan; ++i) budget->blocks_left -= BlocksOf(*info->cur_comp_info[i]);
  if (budget->blocks_left < 0) Fail(common);
}

// Owns the decompressor for the life of one decode, whatever way it ends.
struct Decompressor {
  jpeg_decompress_struct info{};
  ErrorManager errors{};
  ScanBudget scans{};
  Decompressor() {
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = Fail;
    errors.base.output_message = OnMessage;
    scans.base.progress_monitor = ChargeNewScan;
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
bool DecodeInto(Decompressor& d, std::span<const std::uint8_t> bytes, std::int64_t pixel_budget, Bitmap* out,
                std::vector<JSAMPLE>* row) {
  if (setjmp(d.errors.jump)) return false;
  jpeg_create_decompress(&d.info);
  jpeg_mem_src(&d.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  if (jpeg_read_header(&d.info, TRUE) != JPEG_HEADER_OK) return false;
  // Checked before decoding: a cut-off file is padded out to its header's size.
  const std::int64_t pixels = std::int64_t{d.info.image_width} * d.info.image_height;
  if (!WithinPixelBudget(d.info.image_width, d.info.image_height, 1, pixel_budget) ||
      !BytesCouldHold(pixels, bytes.size()))
    return false;
  // libjpeg's buffers may use what the picture leaves of the budget (at
  // least a byte: 0 would mean no limit).
  d.info.mem->max_memory_to_use = static_cast<long>(std::max<std::int64_t>((pixel_budget - pixels) * sizeof(Argb), 1));
  StartScanBudget(&d.info, d.scans);
  d.info.progress = &d.scans.base;
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

std::optional<DecodedImage> DecodeJpeg(std::span<const std::uint8_t> bytes, std::int64_t pixel_budget) {
  Decompressor d;
  Bitmap bitmap;
  std::vector<JSAMPLE> row;
  if (!DecodeInto(d, bytes, pixel_budget, &bitmap, &row)) return std::nullopt;
  DecodedImage image;
  image.frames.push_back(std::move(bitmap));
  return image;
}

}  // namespace gfx::detail
