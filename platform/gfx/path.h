#pragma once
// A vector path with GDI+'s figure rules: lines and arcs continue the current
// figure (joined by a straight segment), ellipses and rectangles are closed
// figures of their own. Angles are in degrees, clockwise from the x axis.
#include <variant>
#include <vector>

#include "platform/gfx/geometry.h"

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

  // The figures as they were added, for the drawing code to replay.
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
  const std::vector<Segment>& Segments() const { return segments_; }

 private:
  FillMode fill_mode_;
  std::vector<Segment> segments_;
};

}  // namespace gfx
