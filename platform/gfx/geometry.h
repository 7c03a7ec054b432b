#pragma once
// Plain geometry values of the drawing layer. Float rectangles are x, y, width,
// height; integer rectangles likewise.
namespace gfx {

struct PointF {
  float x = 0;
  float y = 0;
};

struct RectF {
  float x = 0;
  float y = 0;
  float width = 0;
  float height = 0;

  float Right() const { return x + width; }
  float Bottom() const { return y + height; }
  bool IsEmpty() const { return width <= 0 || height <= 0; }
};

struct RectI {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  int Right() const { return x + width; }
  int Bottom() const { return y + height; }
  bool IsEmpty() const { return width <= 0 || height <= 0; }
  bool operator==(const RectI&) const = default;
};

}  // namespace gfx
