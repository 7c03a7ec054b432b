#include <gtest/gtest.h>

#include "razezazo/drawing/icon_text_layout.h"

namespace razezazo {
namespace {

void ExpectRect(const FloatRect& r, float x, float y, float w, float h) {
  EXPECT_FLOAT_EQ(r.x, x);
  EXPECT_FLOAT_EQ(r.y, y);
  EXPECT_FLOAT_EQ(r.width, w);
  EXPECT_FLOAT_EQ(r.height, h);
}

// Control (10, 20, 100, 30), text 40 x 12, icon 16 x 16, no offsets, gap 4.
IconTextRects Lay(IconTextLayout layout, float dx = 0, float dy = 0) {
  return LayoutIconText({10, 20, 100, 30}, {40, 12}, {16, 16}, layout, dx, dy, 4);
}

TEST(IconTextLayout, PairsCentredSideBySide) {
  auto r = Lay(IconTextLayout::kIconLeftOfText);
  ExpectRect(r.icon, 30, 27, 16, 16);  // 10 + (100 - 60) / 2
  ExpectRect(r.text, 50, 28, 42, 14);
  r = Lay(IconTextLayout::kTextLeftOfIcon);
  ExpectRect(r.text, 30, 28, 42, 14);
  ExpectRect(r.icon, 74, 27, 16, 16);
}

TEST(IconTextLayout, StackedAndCentred) {
  auto r = Lay(IconTextLayout::kIconAboveText);
  ExpectRect(r.icon, 52, 19, 16, 16);  // 20 + (30 - 16 - 4 - 12) / 2 = 19
  ExpectRect(r.text, 40, 39, 42, 14);
  r = Lay(IconTextLayout::kBothCentred);
  ExpectRect(r.icon, 52, 27, 16, 16);
  ExpectRect(r.text, 40, 28, 42, 14);
  r = Lay(IconTextLayout::kIconAtTop, 0, 2);
  ExpectRect(r.icon, 52, 22, 16, 16);
  ExpectRect(r.text, 40, 42, 45, 14);
}

TEST(IconTextLayout, EdgeLayoutsFillTheRestAndOffsetsShift) {
  auto r = Lay(IconTextLayout::kIconAtLeftEdge, 3, 0);
  ExpectRect(r.icon, 13, 27, 16, 16);
  ExpectRect(r.text, 33, 28, 77, 14);  // 100 - 16 - 4 - 3
  r = Lay(IconTextLayout::kTextAtLeftEdge, 3, 0);
  ExpectRect(r.text, 13, 28, 77, 14);
  ExpectRect(r.icon, 94, 27, 16, 16);
  r = LayoutIconText({0, 0, 25, 9}, {10, 5}, {4, 4}, IconTextLayout::kBothCentred, 0, 0, 0);
  ExpectRect(r.icon, 10, 2, 4, 4);  // 10.5 and 2.5 truncated
  ExpectRect(r.text, 7, 1, 12, 7);
}

}  // namespace
}  // namespace razezazo
