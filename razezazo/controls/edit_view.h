#pragma once
// EditView: where an edit box shows its text. Kept by the box's view code
// (edit_box_view.cpp), which alone changes it; the rest of the box reads it.
//
// Coordinates: rectangles are control coordinates; line rectangles are text
// coordinates (the first line at y 0), drawn moved by the view's origin and
// the scroll offsets, which are never positive.
#include "razezazo/drawing/float_rect.h"

namespace razezazo {

struct EditView {
  FloatRect text_rect;  // the text area inside the border
  FloatRect view_rect;  // the text area less the scroll bars
  int scroll_x = 0;
  int scroll_y = 0;
  // The lines the last paint found in the view (0: search from the first).
  int first_drawn_line = 1;
  int last_drawn_line = 1;
  // The caret's rectangle, and where the last edit or click put it.
  FloatRect caret_point;
  FloatRect last_caret_point;
};

}  // namespace razezazo
