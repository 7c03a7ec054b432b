// Region operations on GDI regions, which keep the same y-x bands.
#include <windows.h>

#include <utility>
#include <vector>

#include "platform/gfx/region.h"
#include "platform/gfx/region_native_win32.h"

namespace gfx {

namespace {
HRGN Empty() { return CreateRectRgn(0, 0, 0, 0); }
HRGN Copy(HRGN from) {
  HRGN to = Empty();
  CombineRgn(to, from, nullptr, RGN_COPY);
  return to;
}
}  // namespace

void Region::NativeRelease::operator()(Native* r) const {
  DeleteObject(r->region);
  delete r;
}

Region::Region() : region_(new Native{Empty()}) {}

Region::Region(const RectI& rect) : Region() {
  if (!rect.IsEmpty()) SetRectRgn(region_->region, rect.x, rect.y, rect.Right(), rect.Bottom());
}

Region::Region(const Region& other) : region_(new Native{Copy(Win32Region(other))}) {}
Region& Region::operator=(const Region& other) {
  if (this != &other) CombineRgn(region_->region, Win32Region(other), nullptr, RGN_COPY);
  return *this;
}
// A region moved from is empty, not gone.
Region::Region(Region&& other) noexcept : Region() { std::swap(region_, other.region_); }
Region& Region::operator=(Region&& other) noexcept {
  std::swap(region_, other.region_);
  return *this;
}
Region::~Region() = default;

void Region::Intersect(const Region& other) {
  CombineRgn(region_->region, region_->region, Win32Region(other), RGN_AND);
}
void Region::Exclude(const Region& other) {
  CombineRgn(region_->region, region_->region, Win32Region(other), RGN_DIFF);
}
void Region::Union(const Region& other) { CombineRgn(region_->region, region_->region, Win32Region(other), RGN_OR); }
void Region::Translate(int dx, int dy) { OffsetRgn(region_->region, dx, dy); }

bool Region::IsEmpty() const {
  RECT r;
  return GetRgnBox(region_->region, &r) == NULLREGION;
}
bool Region::Contains(int x, int y) const { return PtInRegion(region_->region, x, y); }

RectI Region::Bounds() const {
  RECT r;
  if (GetRgnBox(region_->region, &r) == NULLREGION) return {};
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::vector<RectI> Region::Rectangles() const {
  const DWORD size = GetRegionData(region_->region, 0, nullptr);
  std::vector<std::byte> buffer(size);
  auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
  std::vector<RectI> out;
  if (size == 0 || GetRegionData(region_->region, size, data) != size) return out;
  const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
  for (DWORD i = 0; i < data->rdh.nCount; ++i)
    out.push_back({rects[i].left, rects[i].top, rects[i].right - rects[i].left, rects[i].bottom - rects[i].top});
  return out;
}

bool Region::operator==(const Region& other) const { return EqualRgn(region_->region, Win32Region(other)); }

}  // namespace gfx
