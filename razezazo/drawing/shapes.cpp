#include "razezazo/drawing/shapes.h"

#include <algorithm>

namespace razezazo {

gfx::Path RoundRectPath(const FloatRect& rect, int d, gfx::FillMode mode) {
  const float x = rect.x, y = rect.y, fd = static_cast<float>(d);
  const float right = x + rect.width - fd - 1, bottom = y + rect.height - fd - 1;
  gfx::Path path(mode);
  path.AddArc({x, y, fd, fd}, 180, 90);
  path.AddArc({right, y, fd, fd}, 270, 90);
  path.AddArc({right, bottom, fd, fd}, 0, 90);
  path.AddArc({x, bottom, fd, fd}, 90, 90);
  path.CloseFigure();
  return path;
}

void FillRoundRect(gfx::Graphics& g, const FloatRect& rect, int d, Color color) {
  g.FillPath(color, RoundRectPath(rect, d));
}

void OutlineRoundRect(gfx::Graphics& g, const FloatRect& rect, int d, Color color, gfx::DashStyle dash,
                      float pen_width) {
  g.DrawPath({color, pen_width, dash}, RoundRectPath(rect, d));
}

void FillPath(gfx::Graphics& g, const gfx::Path& path, Color color) { g.FillPath(color, path); }
void OutlinePath(gfx::Graphics& g, const gfx::Path& path, Color color) { g.DrawPath({color, 1.0f}, path); }

void SolidFillRect(gfx::Graphics& g, const FloatRect& rect, Color color) {
  g.FillRectangle(color, Adjust(rect, 0, 0, -1, -1));
}

void GradientFillRect(gfx::Graphics& g, const FloatRect& rect, Color from, Color to, gfx::GradientMode mode) {
  g.FillRectangle(gfx::LinearGradient{rect, from, to, mode}, Adjust(rect, 0, 0, -1, -1));
}

void Line(gfx::Graphics& g, Color color, float x1, float y1, float x2, float y2, float pen_width) {
  g.DrawLine({color, pen_width}, {x1, y1}, {x2, y2});
}

}  // namespace razezazo
