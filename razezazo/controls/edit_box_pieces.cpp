// The pieces a line is laid out in: a line as a whole, or a long line (see
// EditText::Stretches) stretch by stretch, so that drawing, the caret and hit
// testing lay out only the stretches they need, at their places in the view.
#include <algorithm>

#include "razezazo/controls/edit_box.h"

namespace razezazo {
namespace {

// How far beyond a stretch's own box its glyphs may draw.
constexpr double kInkMargin = 16;

}  // namespace

EditBox::LinePiece EditBox::WholeLine(int line) const {
  return {text_.DisplayLine(line), 0, LineLayoutRect(line), format_.get()};
}

// Stretches are laid out unbounded (a row of a wrapped long line is already cut
// to the wrap width) and without kerning, so that each is as wide as the
// advances that placed the next.
EditBox::LinePiece EditBox::Piece(int line, std::size_t index) const {
  const std::vector<EditText::Stretch>& stretches = text_.Stretches(line);
  const EditText::Stretch& s = stretches[index];
  const int end = index + 1 < stretches.size() ? stretches[index + 1].column : text_.LineChars(line);
  const FloatRect r = text_.LineRect(line);
  // In doubles: the offsets of a long line are too large for a float's pixels.
  const double x = static_cast<double>(view_.view_rect.x) + view_.scroll_x + r.x + s.x;
  const double y = static_cast<double>(view_.view_rect.y) + view_.scroll_y + r.y + s.y;
  return {text_.DisplayStretch(line, s, end - s.column),
          s.column * text_.units_per_column(),
          {static_cast<float>(x), static_cast<float>(y), 0, 0},
          stretch_format_.get()};
}

// The last stretch that starts at or before `offset` along the line (x
// without wrapping, y with it); the first when none does.
std::size_t EditBox::StretchAt(int line, double offset) const {
  const std::vector<EditText::Stretch>& stretches = text_.Stretches(line);
  const bool rows = text_.wraps();
  const auto after = std::upper_bound(stretches.begin(), stretches.end(), offset,
                                      [rows](double o, const EditText::Stretch& s) { return o < (rows ? s.y : s.x); });
  return after == stretches.begin() ? 0 : static_cast<std::size_t>(after - stretches.begin() - 1);
}

// Offsets along the line from a point in control coordinates.
double EditBox::AlongLine(int line, float x, float y) const {
  const FloatRect r = text_.LineRect(line);
  return text_.wraps() ? static_cast<double>(y) - view_.view_rect.y - view_.scroll_y - r.y
                       : static_cast<double>(x) - view_.view_rect.x - view_.scroll_x - r.x;
}

std::vector<EditBox::LinePiece> EditBox::PiecesIn(int line, const FloatRect& area) const {
  const std::vector<EditText::Stretch>& stretches = text_.Stretches(line);
  if (stretches.empty()) return {WholeLine(line)};
  const double from = AlongLine(line, area.x, area.y) - kInkMargin;
  const double to = AlongLine(line, area.Right(), area.Bottom()) + kInkMargin;
  std::vector<LinePiece> pieces;
  for (std::size_t i = StretchAt(line, from); i < stretches.size(); ++i) {
    if ((text_.wraps() ? stretches[i].y : stretches[i].x) > to) break;
    pieces.push_back(Piece(line, i));
  }
  return pieces;
}

EditBox::LinePiece EditBox::PieceWithColumn(int line, int column) const {
  const std::vector<EditText::Stretch>& stretches = text_.Stretches(line);
  if (stretches.empty()) return WholeLine(line);
  const auto after = std::upper_bound(stretches.begin(), stretches.end(), column,
                                      [](int c, const EditText::Stretch& s) { return c < s.column; });
  return Piece(line, after == stretches.begin() ? 0 : static_cast<std::size_t>(after - stretches.begin() - 1));
}

EditBox::LinePiece EditBox::PieceAt(int line, float x, float y) const {
  if (text_.Stretches(line).empty()) return WholeLine(line);
  return Piece(line, StretchAt(line, AlongLine(line, x, y)));
}

}  // namespace razezazo
