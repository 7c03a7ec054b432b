#pragma once
// The seven arrangements of an icon and a caption inside a control.
#include "razezazo/drawing/float_rect.h"

namespace razezazo {

enum class IconTextLayout : int {
  kIconLeftOfText = 0,  // pair centred
  kTextLeftOfIcon = 1,  // pair centred
  kIconAboveText = 2,   // pair centred
  kBothCentred = 3,     // icon and text each centred
  kIconAtLeftEdge = 4,  // text fills the rest
  kTextAtLeftEdge = 5,  // icon after it
  kIconAtTop = 6,       // text below
};

struct SizeF {
  float width = 0;
  float height = 0;
};

struct IconTextRects {
  FloatRect icon;
  FloatRect text;
};

// Unknown layout values arrange like kIconLeftOfText. Results are whole numbers.
IconTextRects LayoutIconText(const FloatRect& control, SizeF text, SizeF icon, IconTextLayout layout, float dx,
                             float dy, float gap);

}  // namespace razezazo
