#pragma once
// An integer region: a set of pixels kept as non-overlapping scanline
// rectangles (y-x banded, as GDI keeps them).
#include <memory>
#include <vector>

#include "platform/gfx/geometry.h"

namespace gfx {

class Region {
 public:
  Region();  // empty
  explicit Region(const RectI& rect);
  // The region CreateRoundRectRgn(left, top, right, bottom, w, h) makes: the
  // right and bottom edges are exclusive twice over (one pixel smaller than the
  // rectangle region), corners cut by an ellipse of w x h pixels.
  static Region RoundRect(int left, int top, int right, int bottom, int ellipse_width, int ellipse_height);

  Region(const Region& other);
  Region& operator=(const Region& other);
  Region(Region&&) noexcept;
  Region& operator=(Region&&) noexcept;
  ~Region();

  void Intersect(const Region& other);
  void Exclude(const Region& other);
  void Union(const Region& other);
  void Translate(int dx, int dy);

  bool IsEmpty() const;
  bool Contains(int x, int y) const;
  RectI Bounds() const;
  std::vector<RectI> Rectangles() const;
  bool operator==(const Region& other) const;

  // The platform's region (a Cairo region on Linux, an HRGN on Windows),
  // defined for the platform layer's own code in region_native_<platform>.h.
  struct Native;
  const Native& NativeRegion() const { return *region_; }

 private:
  struct NativeRelease {
    void operator()(Native* r) const;
  };
  std::unique_ptr<Native, NativeRelease> region_;
};

}  // namespace gfx
