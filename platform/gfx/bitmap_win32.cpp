// A bitmap's pixels in memory of our own; PNG through WIC.
#include <cstring>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/bitmap_native_win32.h"
#include "platform/gfx/com_win32.h"

namespace gfx {

using detail::ComPtr;

void Bitmap::NativeRelease::operator()(Native* s) const { delete s; }

bool Bitmap::MakeNative(int device_width, int device_height, float) {
  // Cairo's limit, so that both platforms refuse the same sizes.
  constexpr int kMaxSide = 32767;
  if (device_width > kMaxSide || device_height > kMaxSide) return false;
  surface_.reset(new Native{std::vector<std::uint32_t>(static_cast<size_t>(device_width) * device_height)});
  return true;
}

void Bitmap::SetNativeScale(float) {}

std::uint32_t* Bitmap::Row(int y) { return Pixels(*this) + static_cast<ptrdiff_t>(y) * device_width_; }

void Bitmap::MarkDirty() {}

namespace {

// Straight BGRA rows, as PNG keeps them.
std::vector<std::uint32_t> StraightPixels(const Bitmap& bitmap) {
  std::vector<std::uint32_t> out;
  out.reserve(static_cast<size_t>(bitmap.DeviceWidth()) * bitmap.DeviceHeight());
  for (int y = 0; y < bitmap.DeviceHeight(); ++y)
    for (int x = 0; x < bitmap.DeviceWidth(); ++x) out.push_back(bitmap.DevicePixel(x, y));
  return out;
}

bool WritePng(const Bitmap& bitmap, IStream* stream) {
  auto factory = detail::WicFactory();
  ComPtr<IWICBitmapEncoder> encoder;
  ComPtr<IWICBitmapFrameEncode> frame;
  if (!factory || FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
      FAILED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) ||
      FAILED(encoder->CreateNewFrame(&frame, nullptr)) || FAILED(frame->Initialize(nullptr)))
    return false;
  const UINT width = bitmap.DeviceWidth(), height = bitmap.DeviceHeight();
  WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
  auto pixels = StraightPixels(bitmap);
  return SUCCEEDED(frame->SetSize(width, height)) && SUCCEEDED(frame->SetPixelFormat(&format)) &&
         IsEqualGUID(format, GUID_WICPixelFormat32bppBGRA) &&
         SUCCEEDED(frame->WritePixels(height, width * 4, static_cast<UINT>(pixels.size() * 4),
                                      reinterpret_cast<BYTE*>(pixels.data()))) &&
         SUCCEEDED(frame->Commit()) && SUCCEEDED(encoder->Commit());
}

}  // namespace

std::vector<std::uint8_t> Bitmap::EncodePng() const {
  std::vector<std::uint8_t> out;
  if (IsNull()) return out;
  detail::ComScope com;
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) || !WritePng(*this, stream.Get())) return out;
  HGLOBAL memory = nullptr;
  if (FAILED(GetHGlobalFromStream(stream.Get(), &memory))) return out;
  STATSTG stat{};
  if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return out;
  const void* bytes = GlobalLock(memory);
  if (!bytes) return out;
  out.resize(static_cast<size_t>(stat.cbSize.QuadPart));
  std::memcpy(out.data(), bytes, out.size());
  GlobalUnlock(memory);
  return out;
}

}  // namespace gfx
