#pragma once
// The arithmetic of a scroll bar: where its arrows and track lie, how long the
// thumb is, where it stands for a position, and which position a point means.
// Coordinates are the bar's own (its top-left corner is 0, 0).
#include "razezazo/drawing/float_rect.h"

namespace razezazo {

enum ScrollOrientation : int { kHorizontalBar = 1, kVerticalBar = 2 };

struct ScrollBarParts {
  FloatRect first_arrow;   // up or left
  FloatRect second_arrow;  // down or right
  FloatRect track;
};

ScrollBarParts LayOutScrollBar(int orientation, float width, float height);

// The thumb is as long as the track's share of track plus maximum, at least
// 30 pixels (never longer than the track), and missing when nothing scrolls.
int ThumbLength(float track_length, int maximum);

// Where the thumb starts along the bar.
float ThumbStart(float track_start, float track_length, int thumb_length, int position, int minimum, int maximum);

// The position a thumb start at `p` stands for.
int PositionFromPoint(float p, float track_start, float track_length, int thumb_length, int minimum, int maximum);

}  // namespace razezazo
