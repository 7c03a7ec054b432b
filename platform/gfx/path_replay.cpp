#include "platform/gfx/path_replay.h"

#include <cmath>
#include <numbers>

namespace gfx {

namespace {

double Radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

// An elliptical arc in its bounding box. A flat box cannot be scaled into
// (Cairo would put the context into an error state), so it degrades to a line
// through its start and end points.
void AppendArc(cairo_t* cr, const RectF& b, double start, double sweep, double dx, double dy) {
  const double cx = b.x + b.width / 2.0 + dx, cy = b.y + b.height / 2.0 + dy;
  const double rx = b.width / 2.0, ry = b.height / 2.0;
  if (rx <= 0 || ry <= 0) {
    for (double a : {start, start + sweep}) {
      const double px = cx + rx * std::cos(Radians(a)), py = cy + ry * std::sin(Radians(a));
      cairo_has_current_point(cr) ? cairo_line_to(cr, px, py) : cairo_move_to(cr, px, py);
    }
    return;
  }
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  if (sweep >= 0)
    cairo_arc(cr, 0, 0, 1, Radians(start), Radians(start + sweep));
  else
    cairo_arc_negative(cr, 0, 0, 1, Radians(start), Radians(start + sweep));
  cairo_restore(cr);
}

}  // namespace

void ReplayPath(cairo_t* cr, const Path& path, double dx, double dy) {
  using Segment = Path::Segment;
  bool figure_open = false;
  for (const Segment& s : path.Segments()) {
    if (auto* line = std::get_if<Path::Line>(&s)) {
      if (!figure_open) cairo_new_sub_path(cr);
      figure_open ? cairo_line_to(cr, line->from.x + dx, line->from.y + dy)
                  : cairo_move_to(cr, line->from.x + dx, line->from.y + dy);
      cairo_line_to(cr, line->to.x + dx, line->to.y + dy);
      figure_open = true;
    } else if (auto* arc = std::get_if<Path::Arc>(&s)) {
      if (!figure_open) cairo_new_sub_path(cr);
      AppendArc(cr, arc->bounds, arc->start, arc->sweep, dx, dy);
      figure_open = true;
    } else if (auto* ellipse = std::get_if<Path::Ellipse>(&s)) {
      cairo_new_sub_path(cr);
      AppendArc(cr, ellipse->bounds, 0, 360, dx, dy);
      cairo_close_path(cr);
      figure_open = false;
    } else if (auto* rect = std::get_if<Path::Rectangle>(&s)) {
      cairo_rectangle(cr, rect->rect.x + dx, rect->rect.y + dy, rect->rect.width, rect->rect.height);
      figure_open = false;
    } else if (figure_open) {
      cairo_close_path(cr);
      figure_open = false;
    }
  }
}

}  // namespace gfx
