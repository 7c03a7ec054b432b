#pragma once
// Drawing onto a Bitmap with GDI+'s meaning: anti-aliased shapes, clip by
// rectangle, path or region, solid and gradient brushes, pens, images and text.
//
// Pixel convention: pixel (i, j) covers [i, i+1) x [j, j+1). Fills cover the
// geometry as given, so filling (x, y, w, h) paints exactly w x h pixels at
// integer coordinates. Pens stroke along pixel centres, so a one-pixel line at
// y = 3 paints row 3 and a rectangle outline (x, y, w, h) paints the columns x
// and x + w.
#include <memory>
#include <span>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/gfx/argb.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/font.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/path.h"
#include "platform/gfx/region.h"
#include "platform/gfx/string_format.h"

namespace gfx {

// Values are GDI+'s.
enum class SmoothingMode { None = 3, AntiAlias = 4 };
enum class CombineMode { Replace = 0, Intersect = 1, Exclude = 4 };
enum class GradientMode { Horizontal = 0, Vertical = 1, ForwardDiagonal = 2, BackwardDiagonal = 3 };
enum class DashStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4 };
enum class Interpolation {
  Default = 0,
  Low = 1,
  High = 2,
  Bilinear = 3,
  Bicubic = 4,
  NearestNeighbor = 5,
  HighQualityBilinear = 6,
  HighQualityBicubic = 7
};
namespace text_hint {
constexpr int kSystemDefault = 0;
constexpr int kSingleBitPerPixelGridFit = 1;
constexpr int kSingleBitPerPixel = 2;
constexpr int kAntiAliasGridFit = 3;
constexpr int kAntiAlias = 4;
}  // namespace text_hint

struct Pen {
  Argb color = 0xFF000000;
  float width = 1.0f;
  DashStyle dash = DashStyle::Solid;
};

// Colour from `from` at the start edge of rect to `to` at the opposite edge,
// mirrored beyond it (tile-flip wrapping).
struct LinearGradient {
  RectF rect;
  Argb from = 0;
  Argb to = 0;
  GradientMode mode = GradientMode::Vertical;
};

// A path gradient over an ellipse: `centre` at its centre fading to `surround`
// at its rim; nothing is painted outside the ellipse.
struct EllipseGradient {
  RectF ellipse;
  Argb centre = 0;
  Argb surround = 0;
};

using Brush = std::variant<Argb, LinearGradient, EllipseGradient>;

class Graphics {
 public:
  explicit Graphics(Bitmap& target);
  Graphics(const Graphics&) = delete;
  Graphics& operator=(const Graphics&) = delete;
  ~Graphics();

  Bitmap& Target() const;

  void SetSmoothing(SmoothingMode mode);
  SmoothingMode Smoothing() const;
  void SetTextHint(int hint);
  int TextHint() const;
  void SetInterpolation(Interpolation mode);
  Interpolation GetInterpolation() const;

  // Clearing replaces the pixels (inside the clip) by the colour.
  void Clear(Argb color);

  void SetClip(const RectF& rect, CombineMode mode = CombineMode::Replace);
  void SetClip(const Path& path, CombineMode mode = CombineMode::Replace);
  void SetClip(const Region& region, CombineMode mode = CombineMode::Replace);
  void ResetClip();
  RectF VisibleClipBounds() const;

  void FillRectangle(const Brush& brush, const RectF& rect);
  void FillEllipse(const Brush& brush, const RectF& bounds);
  void FillPath(const Brush& brush, const Path& path);
  void FillRegion(const Brush& brush, const Region& region);

  void DrawLine(const Pen& pen, PointF from, PointF to);
  void DrawRectangle(const Pen& pen, const RectF& rect);
  void DrawEllipse(const Pen& pen, const RectF& bounds);
  void DrawArc(const Pen& pen, const RectF& bounds, float start_degrees, float sweep_degrees);
  void DrawPath(const Pen& pen, const Path& path);

  // Images: at natural size, stretched into dest, or the source rectangle into
  // dest with a constant opacity (0..1).
  //
  // The source rectangle is trimmed to the image first: the parts of it that
  // lie beyond the image's edges are cut away and dest shrinks with them, at
  // the same scale, so nothing is drawn where the source has no pixels (a face
  // cut from the edge of a strip ends where the strip ends; it is not
  // stretched or padded). A source that misses the image, an empty rectangle
  // or opacity 0 draws nothing. Unscaled draws on whole pixels copy pixels
  // exactly; scaled ones filter with the interpolation mode.
  void DrawImage(const Bitmap& image, float x, float y);
  void DrawImage(const Bitmap& image, const RectF& dest);
  void DrawImage(const Bitmap& image, const RectF& dest, const RectF& source, float opacity = 1.0f);

  // Text. Ranges and lengths are in UTF-16 units. A layout rect with width or
  // height 0 is unbounded in that direction.
  void DrawString(std::u16string_view text, const Font& font, const RectF& layout, const StringFormat& format,
                  Argb color);
  RectF MeasureString(std::u16string_view text, const Font& font, const RectF& layout,
                      const StringFormat& format) const;
  std::vector<RectF> MeasureCharacterRanges(std::u16string_view text, const Font& font, const RectF& layout,
                                            const StringFormat& format, std::span<const CharacterRange> ranges) const;
  // One range measured once: its part on each laid-out line it touches.
  std::vector<RectF> MeasureRangeRows(std::u16string_view text, const Font& font, const RectF& layout,
                                      const StringFormat& format, CharacterRange range) const;
  std::vector<RectF> MeasureLines(std::u16string_view text, const Font& font, const RectF& layout,
                                  const StringFormat& format) const;

 private:
  Bitmap* target_;
  SmoothingMode smoothing_ = SmoothingMode::None;
  int text_hint_ = text_hint::kSystemDefault;
  Interpolation interpolation_ = Interpolation::Default;
  struct Impl;  // the platform's drawing state
  std::unique_ptr<Impl> impl_;
};

}  // namespace gfx
