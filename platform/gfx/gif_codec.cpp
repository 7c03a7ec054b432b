// GIF decoding with giflib. Frames are composed onto the logical screen as a
// viewer shows them; delays are the file's own values.
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

// Draws one frame's pixels over the canvas (premultiplied; transparent index
// leaves the canvas as it is).
void PaintFrame(const SavedImage& frame, const ColorMapObject* map, int transparent, Bitmap& canvas) {
  const GifImageDesc& d = frame.ImageDesc;
  for (int y = 0; y < d.Height; ++y) {
    const int cy = d.Top + y;
    if (cy < 0 || cy >= canvas.Height()) continue;
    std::uint32_t* row = canvas.Row(cy);
    for (int x = 0; x < d.Width; ++x) {
      const int cx = d.Left + x;
      const int index = frame.RasterBits[static_cast<size_t>(y) * d.Width + x];
      if (cx < 0 || cx >= canvas.Width() || index == transparent || index >= map->ColorCount) continue;
      const GifColorType& c = map->Colors[index];
      row[cx] = MakeArgb(255, c.Red, c.Green, c.Blue);
    }
  }
  canvas.MarkDirty();
}

void ClearArea(Bitmap& canvas, const GifImageDesc& d) {
  for (int y = std::max(d.Top, 0); y < std::min(d.Top + d.Height, canvas.Height()); ++y) {
    std::uint32_t* row = canvas.Row(y);
    for (int x = std::max(d.Left, 0); x < std::min(d.Left + d.Width, canvas.Width()); ++x) row[x] = 0;
  }
  canvas.MarkDirty();
}

}  // namespace

std::optional<DecodedImage> DecodeGif(std::span<const std::uint8_t> bytes) {
  Reader reader{bytes};
  int error = 0;
  std::unique_ptr<GifFileType, GifClose> gif(DGifOpen(&reader, ReadBytes, &error));
  if (!gif || DGifSlurp(gif.get()) != GIF_OK || gif->ImageCount < 1) return std::nullopt;
  // Every frame is kept as a full picture of the logical screen.
  if (!WithinPixelBudget(gif->SWidth, gif->SHeight, gif->ImageCount)) return std::nullopt;

  Bitmap canvas(gif->SWidth, gif->SHeight);
  if (canvas.IsNull()) return std::nullopt;
  DecodedImage image;
  std::vector<int> delays;
  bool has_delays = false;
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& frame = gif->SavedImages[i];
    GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, NO_TRANSPARENT_COLOR};
    if (DGifSavedExtensionToGCB(gif.get(), i, &gcb) == GIF_OK) has_delays = true;
    const ColorMapObject* map = frame.ImageDesc.ColorMap ? frame.ImageDesc.ColorMap : gif->SColorMap;
    if (!map || !frame.RasterBits) return std::nullopt;
    Bitmap before = gcb.DisposalMode == DISPOSE_PREVIOUS ? canvas.Clone() : Bitmap();
    PaintFrame(frame, map, gcb.TransparentColor, canvas);
    image.frames.push_back(canvas.Clone());
    delays.push_back(gcb.DelayTime);
    if (gcb.DisposalMode == DISPOSE_BACKGROUND) ClearArea(canvas, frame.ImageDesc);
    if (gcb.DisposalMode == DISPOSE_PREVIOUS) canvas = std::move(before);
  }
  if (has_delays) image.delays = std::move(delays);
  return image;
}

}  // namespace gfx::detail
