// GIF decoding with giflib, one record at a time. Frames are composed onto the
// logical screen as a viewer shows them; delays are the file's own values.
//
// A frame's header declares its size for free (a 16384 x 16384 frame of one
// colour packs into 200 KB), so before a single pixel is decoded a first walk
// over the records, which skips the compressed data, charges every frame to
// the pixel budget: the pixels it declares (the work of decoding them) and the
// screen-sized picture kept for it. Frames are then decoded one row at a time
// and clipped to the logical screen; nothing outside the screen is stored.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

#include "platform/gfx/image_decoder.h"

namespace gfx::detail {

namespace {

struct Reader {
  std::span<const std::uint8_t> bytes;
  size_t offset = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* data, int length) {
  auto* r = static_cast<Reader*>(gif->UserData);
  const size_t n = std::min(static_cast<size_t>(std::max(length, 0)), r->bytes.size() - r->offset);
  std::memcpy(data, r->bytes.data() + r->offset, n);
  r->offset += n;
  return static_cast<int>(n);
}

struct GifClose {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifPtr = std::unique_ptr<GifFileType, GifClose>;

// The rows of an interlaced frame arrive in four passes.
std::vector<int> RowOrder(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(static_cast<size_t>(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  constexpr int kStart[] = {0, 4, 2, 1}, kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
  return order;
}

// Draws one decoded row of a frame over the canvas, inside the screen only
// (the transparent index leaves the canvas as it is).
void PaintRow(const std::vector<GifPixelType>& row, const GifImageDesc& d, int y, const ColorMapObject& map,
              int transparent, Bitmap& canvas) {
  const int cy = d.Top + y;
  if (cy < 0 || cy >= canvas.Height()) return;
  std::uint32_t* out = canvas.Row(cy);
  const int x0 = std::max(0, -d.Left), x1 = std::min(d.Width, canvas.Width() - d.Left);
  for (int x = x0; x < x1; ++x) {
    const int index = row[static_cast<size_t>(x)];
    if (index == transparent || index >= map.ColorCount) continue;
    const GifColorType& c = map.Colors[index];
    out[d.Left + x] = MakeArgb(255, c.Red, c.Green, c.Blue);
  }
}

void ClearArea(Bitmap& canvas, const GifImageDesc& d) {
  for (int y = std::max(d.Top, 0); y < std::min(d.Top + d.Height, canvas.Height()); ++y) {
    std::uint32_t* row = canvas.Row(y);
    for (int x = std::max(d.Left, 0); x < std::min(d.Left + d.Width, canvas.Width()); ++x) row[x] = 0;
  }
  canvas.MarkDirty();
}

// Reads one extension record, handing its first block to `first`.
template <typename First>
bool ReadExtensionRecord(GifFileType& gif, First first) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(&gif, &code, &block) != GIF_OK) return false;
  if (block) first(code, block);
  while (block)
    if (DGifGetExtensionNext(&gif, &block) != GIF_OK) return false;
  return true;
}

// The first walk: every frame's cost, read from its descriptor while its
// compressed data is skipped block by block.
bool FramesFitBudget(GifFileType& gif, std::int64_t pixel_budget) {
  if (!WithinPixelBudget(gif.SWidth, gif.SHeight, 1, pixel_budget)) return false;
  const std::int64_t kept = std::int64_t{gif.SWidth} * gif.SHeight + kFrameOverheadPixels;
  std::int64_t left = pixel_budget;
  GifRecordType type = UNDEFINED_RECORD_TYPE;
  do {
    if (DGifGetRecordType(&gif, &type) != GIF_OK) return false;
    if (type == EXTENSION_RECORD_TYPE && !ReadExtensionRecord(gif, [](int, const GifByteType*) {})) return false;
    if (type != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(&gif) != GIF_OK) return false;
    left -= std::int64_t{gif.Image.Width} * gif.Image.Height + kept;
    if (left < 0) return false;
    int code_size = 0;
    GifByteType* block = nullptr;
    if (DGifGetCode(&gif, &code_size, &block) != GIF_OK) return false;
    while (block)
      if (DGifGetCodeNext(&gif, &block) != GIF_OK) return false;
  } while (type != TERMINATE_RECORD_TYPE);
  return true;
}

GifPtr Open(Reader& reader) {
  int error = 0;
  return GifPtr(DGifOpen(&reader, ReadBytes, &error));
}

class GifDecoder {
 public:
  explicit GifDecoder(GifPtr gif) : gif_(std::move(gif)), canvas_(gif_->SWidth, gif_->SHeight) {}

  std::optional<DecodedImage> Run() {
    if (canvas_.IsNull()) return std::nullopt;
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    do {
      if (DGifGetRecordType(gif_.get(), &type) != GIF_OK) return std::nullopt;
      const bool ok = type == IMAGE_DESC_RECORD_TYPE  ? ReadFrame()
                      : type == EXTENSION_RECORD_TYPE ? ReadExtension()
                                                      : true;
      if (!ok) return std::nullopt;
    } while (type != TERMINATE_RECORD_TYPE);
    if (image_.frames.empty()) return std::nullopt;
    if (has_delays_) image_.delays = std::move(delays_);
    return std::move(image_);
  }

 private:
  // Only the graphic control block matters: it holds the next frame's delay,
  // disposal and transparent index.
  bool ReadExtension() {
    return ReadExtensionRecord(*gif_, [this](int code, const GifByteType* block) {
      if (code == GRAPHICS_EXT_FUNC_CODE && DGifExtensionToGCB(block[0], block + 1, &control_) == GIF_OK)
        has_control_ = has_delays_ = true;
    });
  }

  bool ReadFrame() {
    if (DGifGetImageDesc(gif_.get()) != GIF_OK) return false;
    const GifImageDesc d = gif_->Image;
    const ColorMapObject* map = d.ColorMap ? d.ColorMap : gif_->SColorMap;
    if (!map) return false;
    GraphicsControlBlock control = TakeControl();
    Bitmap before = control.DisposalMode == DISPOSE_PREVIOUS ? canvas_.Clone() : Bitmap();
    std::vector<GifPixelType> row(static_cast<size_t>(std::max(d.Width, 0)));
    for (int y : RowOrder(d.Height, d.Interlace)) {
      if (DGifGetLine(gif_.get(), row.data(), d.Width) != GIF_OK) return false;
      PaintRow(row, d, y, *map, control.TransparentColor, canvas_);
    }
    canvas_.MarkDirty();
    image_.frames.push_back(canvas_.Clone());
    delays_.push_back(control.DelayTime);
    if (control.DisposalMode == DISPOSE_BACKGROUND) ClearArea(canvas_, d);
    if (control.DisposalMode == DISPOSE_PREVIOUS) canvas_ = std::move(before);
    return true;
  }

  // A control block applies to the one frame that follows it.
  GraphicsControlBlock TakeControl() {
    GraphicsControlBlock control =
        has_control_ ? control_ : GraphicsControlBlock{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    has_control_ = false;
    return control;
  }

  GifPtr gif_;
  Bitmap canvas_;
  GraphicsControlBlock control_{};
  bool has_control_ = false;
  bool has_delays_ = false;
  DecodedImage image_;
  std::vector<int> delays_;
};

}  // namespace

std::optional<DecodedImage> DecodeGif(std::span<const std::uint8_t> bytes, std::int64_t pixel_budget) {
  Reader walk{bytes}, decode{bytes};
  GifPtr plan = Open(walk);
  if (!plan || !FramesFitBudget(*plan, pixel_budget)) return std::nullopt;
  GifPtr gif = Open(decode);
  if (!gif) return std::nullopt;
  return GifDecoder(std::move(gif)).Run();
}

}  // namespace gfx::detail
