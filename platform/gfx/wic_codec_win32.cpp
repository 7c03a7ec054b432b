// PNG, JPEG and GIF decoding with WIC. Every size a file declares is charged
// to the pixel budget before a pixel is decoded; GIF frames are composed onto
// the logical screen as a viewer shows them, with the file's own delays.
#include <algorithm>
#include <cstring>

#include "platform/gfx/com_win32.h"
#include "platform/gfx/image_decoder.h"

namespace gfx::detail {

namespace {

// Even a one-pixel screen costs a bitmap per frame: each kept frame is charged
// at least this many pixels, so a file of a million tiny frames is refused too.
constexpr std::int64_t kFrameOverheadPixels = 1024;

struct Decoder {
  ComPtr<IWICImagingFactory> factory;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
};

// A decoder of the given container over the bytes (which it reads in place).
std::optional<Decoder> Open(std::span<const std::uint8_t> bytes, const GUID& container) {
  Decoder d{WicFactory()};
  if (!d.factory || bytes.size() > 0xFFFFFFFFu || FAILED(d.factory->CreateStream(&d.stream)) ||
      FAILED(d.stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
      FAILED(d.factory->CreateDecoder(container, nullptr, &d.decoder)) ||
      FAILED(d.decoder->Initialize(d.stream.Get(), WICDecodeMetadataCacheOnDemand)))
    return std::nullopt;
  return d;
}

// The frame's pixels in the drawing layer's format; null on a decoding error.
Bitmap ToBitmap(IWICImagingFactory* factory, IWICBitmapFrameDecode* frame, UINT width, UINT height) {
  ComPtr<IWICFormatConverter> converter;
  Bitmap out(static_cast<int>(width), static_cast<int>(height));
  if (out.IsNull() || FAILED(factory->CreateFormatConverter(&converter)) ||
      FAILED(converter->Initialize(frame, GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone, nullptr, 0,
                                   WICBitmapPaletteTypeCustom)) ||
      FAILED(converter->CopyPixels(nullptr, width * 4, width * height * 4, reinterpret_cast<BYTE*>(out.Row(0)))))
    return Bitmap();
  out.MarkDirty();
  return out;
}

std::optional<DecodedImage> DecodeStill(std::span<const std::uint8_t> bytes, const GUID& container,
                                        std::int64_t pixel_budget) {
  ComScope com;
  auto d = Open(bytes, container);
  ComPtr<IWICBitmapFrameDecode> frame;
  UINT width = 0, height = 0;
  if (!d || FAILED(d->decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
      !WithinPixelBudget(width, height, 1, pixel_budget))
    return std::nullopt;
  Bitmap bitmap = ToBitmap(d->factory.Get(), frame.Get(), width, height);
  if (bitmap.IsNull()) return std::nullopt;
  DecodedImage image;
  image.frames.push_back(std::move(bitmap));
  return image;
}

// A number from a metadata query ("/grctlext/Delay"); nothing when absent.
std::optional<unsigned> ReadNumber(IWICMetadataQueryReader* reader, const wchar_t* query) {
  PROPVARIANT value;
  PropVariantInit(&value);
  if (!reader || FAILED(reader->GetMetadataByName(query, &value))) return std::nullopt;
  std::optional<unsigned> out;
  if (value.vt == VT_UI1) out = value.bVal;
  if (value.vt == VT_UI2) out = value.uiVal;
  if (value.vt == VT_UI4) out = value.ulVal;
  PropVariantClear(&value);
  return out;
}

struct GifFrame {
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICMetadataQueryReader> metadata;
  UINT width = 0, height = 0;
};

enum Disposal { kKeep = 1, kBackground = 2, kPrevious = 3 };

// Draws a frame over the canvas at (left, top), inside the screen only
// (transparent pixels leave the canvas as it is).
void Paint(const Bitmap& frame, int left, int top, Bitmap& canvas) {
  for (int y = std::max(0, -top); y < std::min(frame.Height(), canvas.Height() - top); ++y) {
    const std::uint32_t* from = frame.Row(y);
    std::uint32_t* to = canvas.Row(top + y);
    for (int x = std::max(0, -left); x < std::min(frame.Width(), canvas.Width() - left); ++x)
      if (AlphaOf(from[x]) != 0) to[left + x] = from[x];
  }
  canvas.MarkDirty();
}

void Clear(Bitmap& canvas, int left, int top, int width, int height) {
  for (int y = std::max(top, 0); y < std::min(top + height, canvas.Height()); ++y)
    for (int x = std::max(left, 0); x < std::min(left + width, canvas.Width()); ++x) canvas.Row(y)[x] = 0;
  canvas.MarkDirty();
}

}  // namespace

std::optional<DecodedImage> DecodePng(std::span<const std::uint8_t> bytes) {
  return DecodeStill(bytes, GUID_ContainerFormatPng, kMaxDecodedPixels);
}

std::optional<DecodedImage> DecodeJpeg(std::span<const std::uint8_t> bytes, std::int64_t pixel_budget) {
  return DecodeStill(bytes, GUID_ContainerFormatJpeg, pixel_budget);
}

std::optional<DecodedImage> DecodeGif(std::span<const std::uint8_t> bytes, std::int64_t pixel_budget) {
  ComScope com;
  auto d = Open(bytes, GUID_ContainerFormatGif);
  UINT count = 0;
  ComPtr<IWICMetadataQueryReader> screen_metadata;
  if (!d || FAILED(d->decoder->GetFrameCount(&count)) || count == 0) return std::nullopt;
  d->decoder->GetMetadataQueryReader(&screen_metadata);
  const int screen_width = static_cast<int>(ReadNumber(screen_metadata.Get(), L"/logscrdesc/Width").value_or(0));
  const int screen_height = static_cast<int>(ReadNumber(screen_metadata.Get(), L"/logscrdesc/Height").value_or(0));
  if (!WithinPixelBudget(screen_width, screen_height, 1, pixel_budget)) return std::nullopt;
  // Every frame's declared size and its kept picture are charged first.
  const std::int64_t kept = std::int64_t{screen_width} * screen_height + kFrameOverheadPixels;
  std::int64_t left = pixel_budget;
  std::vector<GifFrame> frames(count);
  for (UINT i = 0; i < count; ++i) {
    GifFrame& f = frames[i];
    if (FAILED(d->decoder->GetFrame(i, &f.frame)) || FAILED(f.frame->GetSize(&f.width, &f.height))) return std::nullopt;
    f.frame->GetMetadataQueryReader(&f.metadata);
    left -= std::int64_t{f.width} * f.height + kept;
    if (left < 0) return std::nullopt;
  }
  Bitmap canvas(screen_width, screen_height);
  if (canvas.IsNull()) return std::nullopt;
  DecodedImage image;
  std::vector<int> delays;
  bool has_delays = false;
  for (const GifFrame& f : frames) {
    const Bitmap pixels = ToBitmap(d->factory.Get(), f.frame.Get(), f.width, f.height);
    if (pixels.IsNull()) return std::nullopt;
    const int x = static_cast<int>(ReadNumber(f.metadata.Get(), L"/imgdesc/Left").value_or(0));
    const int y = static_cast<int>(ReadNumber(f.metadata.Get(), L"/imgdesc/Top").value_or(0));
    const std::optional<unsigned> delay = ReadNumber(f.metadata.Get(), L"/grctlext/Delay");
    const unsigned disposal = ReadNumber(f.metadata.Get(), L"/grctlext/Disposal").value_or(0);
    has_delays |= delay.has_value();
    Bitmap before = disposal == kPrevious ? canvas.Clone() : Bitmap();
    Paint(pixels, x, y, canvas);
    image.frames.push_back(canvas.Clone());
    delays.push_back(static_cast<int>(delay.value_or(0)));
    if (disposal == kBackground) Clear(canvas, x, y, pixels.Width(), pixels.Height());
    if (disposal == kPrevious) canvas = std::move(before);
  }
  if (has_delays) image.delays = std::move(delays);
  return image;
}

}  // namespace gfx::detail
