#include "platform/gfx/path.h"

namespace gfx {

void Path::AddLine(PointF from, PointF to) { segments_.push_back(Line{from, to}); }
void Path::AddArc(const RectF& bounds, float start, float sweep) { segments_.push_back(Arc{bounds, start, sweep}); }
void Path::AddEllipse(const RectF& bounds) { segments_.push_back(Ellipse{bounds}); }
void Path::AddRectangle(const RectF& rect) { segments_.push_back(Rectangle{rect}); }
void Path::CloseFigure() { segments_.push_back(Close{}); }

}  // namespace gfx
