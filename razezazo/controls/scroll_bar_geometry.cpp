#include "razezazo/controls/scroll_bar_geometry.h"

#include <algorithm>

namespace razezazo {

ScrollBarParts LayOutScrollBar(int orientation, float w, float h) {
  if (orientation == kVerticalBar) return {{0, 0, 10, 9}, {0, h - 9, 10, 9}, {1, 10, 8, h - 20}};
  return {{0, 0, 9, 10}, {w - 9, 0, 9, 10}, {10, 1, w - 20, 8}};
}

int ThumbLength(float track_length, int maximum) {
  if (maximum <= 0 || track_length <= 0) return 0;
  const auto length = static_cast<int>(static_cast<double>(track_length) * track_length / (track_length + maximum));
  return std::min(std::max(length, 30), static_cast<int>(track_length));
}

float ThumbStart(float track_start, float track_length, int thumb_length, int position, int minimum, int maximum) {
  if (maximum <= minimum) return track_start;
  return static_cast<float>(track_start + static_cast<double>(position - minimum) * (track_length - thumb_length) /
                                              (maximum - minimum));
}

int PositionFromPoint(float p, float track_start, float track_length, int thumb_length, int minimum, int maximum) {
  if (p <= track_start || maximum <= minimum) return minimum;
  const double travel = static_cast<double>(track_length) - thumb_length;
  if (p >= track_start + travel) return maximum;
  return static_cast<int>((p - track_start) / (travel / (maximum - minimum)) + minimum);
}

}  // namespace razezazo
