#pragma once
// A vector path with GDI+'s figure rules: lines and arcs continue the current
// figure (joined by a straight segment), ellipses and rectangles are closed
// figures of their own. Angles are in degrees, clockwise from the x axis.
#include <variant>
#include <vector>

#include "platform/gfx/geometry.h"

typedef struct _cairo cairo_t;

namespace gfx {

enum class FillMode { Alternate = 0, Winding = 1 };

class Path {
 public:
  explicit Path(FillMode mode = FillMode::Alternate) : fill_mode_(mode) {}

  void AddLine(PointF from, PointF to);
  void AddArc(const RectF& bounds, float start_degrees, float sweep_degrees);
  void AddEllipse(const RectF& bounds);
  void AddRectangle(const RectF& rect);
  void CloseFigure();

  FillMode GetFillMode() const { return fill_mode_; }
  bool IsEmpty() const { return segments_.empty(); }

  // Appends the path to the context's current path (offset by dx, dy).
  void Replay(cairo_t* cr, double dx = 0, double dy = 0) const;

 private:
  struct Line {
    PointF from, to;
  };
  struct Arc {
    RectF bounds;
    float start, sweep;
  };
  struct Ellipse {
    RectF bounds;
  };
  struct Rectangle {
    RectF rect;
  };
  struct Close {};
  using Segment = std::variant<Line, Arc, Ellipse, Rectangle, Close>;

  FillMode fill_mode_;
  std::vector<Segment> segments_;
};

}  // namespace gfx
