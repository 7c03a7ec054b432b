#include <gtest/gtest.h>

#include "platform/gfx/region.h"

namespace gfx {
namespace {

std::vector<std::pair<int, int>> Rows(const Region& r, int height) {
  std::vector<std::pair<int, int>> rows;  // first and last pixel of each row
  for (int y = 0; y < height; ++y) {
    int first = -1, last = -1;
    for (int x = -2; x < 64; ++x)
      if (r.Contains(x, y)) {
        if (first < 0) first = x;
        last = x;
      }
    rows.emplace_back(first, last);
  }
  return rows;
}

TEST(Region, RoundRectHasTheRowsOfTheGdiRegion) {
  // (0, 0, 20, 10) with a 5 x 5 corner: one pixel smaller at right and bottom,
  // the first and last rows cut by one pixel.
  const auto rows = Rows(Region::RoundRect(0, 0, 20, 10, 5, 5), 10);
  const std::vector<std::pair<int, int>> expected = {{1, 17}, {0, 18}, {0, 18}, {0, 18}, {0, 18},
                                                     {0, 18}, {0, 18}, {0, 18}, {1, 17}, {-1, -1}};
  EXPECT_EQ(rows, expected);
}

TEST(Region, LargerCornersStepInSymmetrically) {
  const Region r = Region::RoundRect(2, 3, 32, 23, 10, 10);
  EXPECT_EQ(r.Bounds(), (RectI{2, 3, 29, 19}));
  const auto rows = Rows(r, 23);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(rows[3 + i], rows[21 - i]) << i;                       // top and bottom mirror each other
    EXPECT_EQ(rows[3 + i].first - 2, 30 - rows[3 + i].second) << i;  // left and right too
  }
  EXPECT_EQ(rows[3], (std::pair{5, 27}));
  EXPECT_EQ(rows[3].first > rows[4].first && rows[4].first > rows[5].first, true);
  EXPECT_EQ(rows[12], (std::pair{2, 30}));
}

TEST(Region, TinyCornersGiveAPlainRectangle) {
  EXPECT_EQ(Region::RoundRect(0, 0, 10, 10, 1, 1), Region(RectI{0, 0, 9, 9}));
  EXPECT_EQ(Region::RoundRect(10, 10, 0, 0, 0, 0), Region(RectI{0, 0, 9, 9}));  // corners given in any order
}

TEST(Region, SetOperations) {
  Region r(RectI{0, 0, 10, 10});
  r.Exclude(Region(RectI{2, 2, 3, 3}));
  EXPECT_FALSE(r.Contains(3, 3));
  EXPECT_TRUE(r.Contains(5, 5));
  r.Intersect(Region(RectI{0, 0, 5, 5}));
  EXPECT_EQ(r.Bounds(), (RectI{0, 0, 5, 5}));
  r.Union(Region(RectI{20, 20, 1, 1}));
  r.Translate(1, 1);
  EXPECT_TRUE(r.Contains(21, 21));
  Region copy = r;
  copy.Exclude(copy);
  EXPECT_TRUE(copy.IsEmpty());
  EXPECT_FALSE(r.IsEmpty());
}

}  // namespace
}  // namespace gfx
