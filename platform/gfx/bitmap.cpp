#include "platform/gfx/bitmap.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace gfx {

Bitmap::Bitmap() = default;
Bitmap::Bitmap(Bitmap&&) noexcept = default;
Bitmap& Bitmap::operator=(Bitmap&&) noexcept = default;
Bitmap::~Bitmap() = default;

namespace {
// Scaled sizes closer than this to a whole pixel count as whole.
constexpr double kDeviceTolerance = 1e-3;

int DeviceFloor(int logical, float scale) {
  return static_cast<int>(std::floor(logical * static_cast<double>(scale) + kDeviceTolerance));
}
int DeviceCeil(int logical, float scale) {
  return static_cast<int>(std::ceil(logical * static_cast<double>(scale) - kDeviceTolerance));
}
}  // namespace

Bitmap::Bitmap(int width, int height, float scale) {
  if (width <= 0 || height <= 0 || !(scale > 0)) return;
  const int device_width = std::max(DeviceCeil(width, scale), 1);
  const int device_height = std::max(DeviceCeil(height, scale), 1);
  if (!MakeNative(device_width, device_height, scale)) return;
  width_ = width;
  height_ = height;
  scale_ = scale;
  device_width_ = device_width;
  device_height_ = device_height;
}

Bitmap Bitmap::AtScale(Bitmap pixels, float scale) {
  if (pixels.IsNull() || !(scale > 0)) return pixels;
  pixels.SetNativeScale(scale);
  pixels.scale_ = scale;
  pixels.width_ = std::max(static_cast<int>(std::lround(pixels.device_width_ / scale)), 1);
  pixels.height_ = std::max(static_cast<int>(std::lround(pixels.device_height_ / scale)), 1);
  return pixels;
}

RectI Bitmap::DeviceArea(const RectI& logical) const {
  const int x0 = DeviceFloor(logical.x, scale_), y0 = DeviceFloor(logical.y, scale_);
  return {x0, y0, DeviceCeil(logical.Right(), scale_) - x0, DeviceCeil(logical.Bottom(), scale_) - y0};
}

Bitmap Bitmap::FromArgb(int width, int height, std::span<const Argb> straight_pixels) {
  Bitmap b(width, height);
  if (b.IsNull() || straight_pixels.size() < static_cast<size_t>(width) * height) return Bitmap();
  for (int y = 0; y < height; ++y) {
    std::uint32_t* row = b.Row(y);
    for (int x = 0; x < width; ++x) row[x] = Premultiply(straight_pixels[static_cast<size_t>(y) * width + x]);
  }
  b.MarkDirty();
  return b;
}

const std::uint32_t* Bitmap::Row(int y) const { return const_cast<Bitmap*>(this)->Row(y); }

Bitmap Bitmap::Clone() const { return CloneArea({0, 0, width_, height_}); }

namespace {
// Copies device pixels from (x0, y0) of one bitmap to (to_x, to_y) of another,
// as many as both hold.
void CopyDevicePixels(const Bitmap& from, int x0, int y0, int width, int height, Bitmap& to, int to_x, int to_y) {
  width = std::min({width, from.DeviceWidth() - x0, to.DeviceWidth() - to_x});
  height = std::min({height, from.DeviceHeight() - y0, to.DeviceHeight() - to_y});
  if (width <= 0 || height <= 0) return;
  for (int y = 0; y < height; ++y)
    std::memcpy(to.Row(to_y + y) + to_x, from.Row(y0 + y) + x0, sizeof(std::uint32_t) * static_cast<size_t>(width));
  to.MarkDirty();
}
}  // namespace

Bitmap Bitmap::CloneArea(const RectI& area) const {
  const int x0 = std::max(area.x, 0), y0 = std::max(area.y, 0);
  const int x1 = std::min(area.Right(), width_), y1 = std::min(area.Bottom(), height_);
  if (IsNull() || x1 <= x0 || y1 <= y0) return Bitmap();
  Bitmap copy(x1 - x0, y1 - y0, scale_);
  if (copy.IsNull()) return copy;
  const RectI device = DeviceArea({x0, y0, x1 - x0, y1 - y0});
  CopyDevicePixels(*this, device.x, device.y, device.width, device.height, copy, 0, 0);
  return copy;
}

void CopyArea(const Bitmap& from, Bitmap& to, const RectI& area) {
  if (from.IsNull() || to.IsNull() || from.Scale() != to.Scale()) return;
  RectI device = from.DeviceArea(area);
  const int left = std::max(device.x, 0), top = std::max(device.y, 0);
  CopyDevicePixels(from, left, top, device.Right() - left, device.Bottom() - top, to, left, top);
}

Argb Bitmap::GetPixel(int x, int y) const {
  if (IsNull() || x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
  return DevicePixel(static_cast<int>((x + 0.5) * scale_), static_cast<int>((y + 0.5) * scale_));
}

Argb Bitmap::DevicePixel(int x, int y) const {
  if (IsNull() || x < 0 || y < 0 || x >= device_width_ || y >= device_height_) return 0;
  return Unpremultiply(Row(y)[x]);
}

void Bitmap::SetPixel(int x, int y, Argb straight) {
  if (IsNull() || x < 0 || y < 0 || x >= width_ || y >= height_) return;
  const RectI device = DeviceArea({x, y, 1, 1});
  for (int dy = device.y; dy < std::min(device.Bottom(), device_height_); ++dy)
    for (int dx = device.x; dx < std::min(device.Right(), device_width_); ++dx) Row(dy)[dx] = Premultiply(straight);
  MarkDirty();
}

bool Bitmap::SavePng(const std::string& path) const {
  const auto bytes = EncodePng();
  if (bytes.empty()) return false;
  // The name is UTF-8 on every system (Windows would read it in its ANSI code page).
  std::ofstream file(std::filesystem::path(std::u8string(path.begin(), path.end())), std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace gfx
