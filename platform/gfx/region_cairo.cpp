// Region operations on Cairo's (pixman's) banded regions.
#include <cairo.h>

#include <utility>
#include <vector>

#include "platform/gfx/region.h"
#include "platform/gfx/region_native_cairo.h"

namespace gfx {

namespace {
cairo_region_t* Get(const Region& r) { return const_cast<cairo_region_t*>(CairoRegion(r)); }
}  // namespace

void Region::NativeRelease::operator()(Native* r) const { delete r; }

Region::Region() : region_(new Native{detail::RegionPtr(cairo_region_create())}) {}

Region::Region(const RectI& rect) : Region() {
  if (rect.IsEmpty()) return;
  const cairo_rectangle_int_t r{rect.x, rect.y, rect.width, rect.height};
  region_->region.reset(cairo_region_create_rectangle(&r));
}

Region::Region(const Region& other) : region_(new Native{detail::RegionPtr(cairo_region_copy(Get(other)))}) {}
Region& Region::operator=(const Region& other) {
  if (this != &other) region_->region.reset(cairo_region_copy(Get(other)));
  return *this;
}

void Region::Intersect(const Region& other) { cairo_region_intersect(Get(*this), Get(other)); }
void Region::Exclude(const Region& other) { cairo_region_subtract(Get(*this), Get(other)); }
void Region::Union(const Region& other) { cairo_region_union(Get(*this), Get(other)); }
void Region::Translate(int dx, int dy) { cairo_region_translate(Get(*this), dx, dy); }

bool Region::IsEmpty() const { return cairo_region_is_empty(Get(*this)); }
bool Region::Contains(int x, int y) const { return cairo_region_contains_point(Get(*this), x, y); }

RectI Region::Bounds() const {
  cairo_rectangle_int_t r;
  cairo_region_get_extents(Get(*this), &r);
  return {r.x, r.y, r.width, r.height};
}

std::vector<RectI> Region::Rectangles() const {
  std::vector<RectI> out;
  const int n = cairo_region_num_rectangles(Get(*this));
  for (int i = 0; i < n; ++i) {
    cairo_rectangle_int_t r;
    cairo_region_get_rectangle(Get(*this), i, &r);
    out.push_back({r.x, r.y, r.width, r.height});
  }
  return out;
}

bool Region::operator==(const Region& other) const { return cairo_region_equal(Get(*this), Get(other)); }

}  // namespace gfx
