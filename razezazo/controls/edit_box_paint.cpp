// Painting the edit box: background, border, the lines that meet the view,
// the selection (blue boxes with the selected characters redrawn in white)
// and the keyboard-focus frame. Only the visible lines are drawn; measuring
// happens in the layout, not here.
#include <algorithm>
#include <cmath>

#include "razezazo/controls/edit_box.h"
#include "razezazo/drawing/border.h"
#include "razezazo/drawing/clip.h"
#include "razezazo/drawing/shapes.h"
#include "razezazo/drawing/text.h"
#include "razezazo/widgets/host_surface.h"
#include "razezazo/widgets/paint_cycle.h"

namespace razezazo {
namespace {

constexpr Color kSelectionColour = 0xFE3399FF;  // ToArgb of COLORREF 0xFF9933
constexpr Color kSelectedTextColour = 0xFEFFFFFF;

FloatRect Intersection(const FloatRect& a, const FloatRect& b) {
  const float x = std::max(a.x, b.x), y = std::max(a.y, b.y);
  return {x, y, std::max(std::min(a.Right(), b.Right()) - x, 0.0f),
          std::max(std::min(a.Bottom(), b.Bottom()) - y, 0.0f)};
}

gfx::RectI Covering(const FloatRect& r) {
  const int left = static_cast<int>(std::floor(r.x)), top = static_cast<int>(std::floor(r.y));
  return {left, top, static_cast<int>(std::ceil(r.Right())) - left, static_cast<int>(std::ceil(r.Bottom())) - top};
}

}  // namespace

void EditBox::Paint(bool relayout, const std::optional<FloatRect>& area) {
  if (!self()) return;
  const Handle box = self();
  PaintContext context = BeginPaint(*this, area);
  gfx::Graphics* g = context.graphics;
  if (!g) {
    EndPaint(*this, context);
    return;
  }
  if (area) ClipToRect(*g, *area);

  const FloatRect whole{0, 0, width(), height()};
  SolidFillRect(*g, whole, background_colour_);
  g->DrawRectangle({border_colour_, 1.0f}, Adjust(whole, 0, 0, -1, -1));

  const FloatRect focus_frame = PlaceTextArea();

  OnBeforeDraw(*g);
  if (Lookup<EditBox>(box) != this) return;  // the hook destroyed the box
  PlaceScrollBars();
  if (relayout) Relayout();
  MeasureShownLines();
  DrawLines(*g, area);
  HostSurface* h = host();
  if (h && h->keyboard_focus() == this) DrawBorder(*g, focus_frame, border_style::kFocus);
  ResetClip(*g);
  if (EndPaint(*this, context)) CaretFollowsPaint();
}

// The lines that meet the view are recorded as drawn; of those, only the ones
// that meet `area` are painted.
void EditBox::DrawLines(gfx::Graphics& g, const std::optional<FloatRect>& area) {
  if (!font_ || !format_) return;
  const FloatRect clip = area ? Intersection(view_.view_rect, *area) : view_.view_rect;
  ClipToRect(g, clip);
  const float margin = PaintMargin();
  const auto [first, last] = ShownLines();
  for (int line = first; line <= last; ++line) {
    const FloatRect r = text_.LineRect(line);
    const float top = view_.view_rect.y + view_.scroll_y + r.y;
    if (top - margin < clip.Bottom() && top + r.height + margin > clip.y) DrawLine(g, line, clip);
  }
  ClipToRect(g, area.value_or(FloatRect{0, 0, width(), height()}));
}

void EditBox::DrawLine(gfx::Graphics& g, int line, const FloatRect& clip) {
  for (const LinePiece& piece : PiecesIn(line, clip)) {
    if (!piece.units.empty()) g.DrawString(piece.units, *font_, piece.layout, *piece.format, text_colour_);
    DrawSelection(g, line, piece);
  }
}

// The selected columns of this line: from the selection's column to the line
// end on its first line, from 0 to the column on its last, all of a line in
// between; of those, the ones in this piece of the line.
void EditBox::DrawSelection(gfx::Graphics& g, int line, const LinePiece& piece) {
  if (anchor() == caret()) return;
  const TextPlace start = SelectionStart(), end = SelectionEnd();
  if (line < start.line || line > end.line) return;
  const int k = text_.units_per_column();
  const int size = static_cast<int>(piece.units.size());
  const int from = std::max((line == start.line ? start.column : 0) * k - piece.first_unit, 0);
  const int to = std::min((line == end.line ? end.column : text_.LineChars(line)) * k - piece.first_unit, size);
  if (from >= to) return;

  // The selected span is measured once, as one box per row it covers, and
  // each box kept to the view: a selection of a long line costs what shows.
  const std::vector<FloatRect> rows =
      g.MeasureRangeRows(piece.units, *font_, piece.layout, *piece.format, {from, to - from});
  const float lift = multi_line_ ? 2.0f : 3.0f;
  const float tall = static_cast<float>(text_.line_height()) + 3;
  const FloatRect visible = Adjust(view_.view_rect, -2, -2, 4, 4);  // the outline reaches past the view's edge
  gfx::Region selected;
  for (FloatRect b : rows) {
    b.y -= lift;
    b.height += b.height > tall ? 3.0f : 4.0f;
    b = Intersection(b, visible);
    if (b.IsEmpty()) continue;
    g.FillRectangle(kSelectionColour, b);
    g.DrawRectangle({kSelectionColour, 1.0f}, b);
    selected.Union(gfx::Region(Covering(b)));
  }
  if (selected.IsEmpty()) return;
  const FloatRect clip = VisibleClipBounds(g);
  ClipToRegion(g, selected, static_cast<int>(gfx::CombineMode::Intersect));
  g.DrawString(piece.units, *font_, piece.layout, *piece.format, kSelectedTextColour);
  ClipToRect(g, clip);
}

}  // namespace razezazo
