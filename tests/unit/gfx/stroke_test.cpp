#include <gtest/gtest.h>

#include "pixels.h"
#include "platform/gfx/graphics.h"

namespace gfx {
namespace {

using testing::Alpha;

TEST(Stroke, OnePixelLineCoversItsRowOnly) {
  Bitmap b(20, 8);
  Graphics g(b);
  g.SetSmoothing(SmoothingMode::AntiAlias);
  g.DrawLine({0xFF000000, 1.0f}, {2, 3}, {17, 3});
  for (int x = 3; x < 17; ++x) {
    EXPECT_EQ(Alpha(b, x, 3), 255u) << x;
    EXPECT_EQ(Alpha(b, x, 2), 0u) << x;
    EXPECT_EQ(Alpha(b, x, 4), 0u) << x;
  }
}

TEST(Stroke, RectangleOutlineRunsThroughItsCornerPixels) {
  Bitmap b(12, 12);
  Graphics g(b);
  g.DrawRectangle({0xFF000000}, {1, 1, 9, 9});
  EXPECT_EQ(Alpha(b, 1, 1), 255u);
  EXPECT_EQ(Alpha(b, 10, 10), 255u);
  EXPECT_EQ(Alpha(b, 10, 5), 255u);
  EXPECT_EQ(Alpha(b, 5, 5), 0u);
  EXPECT_EQ(Alpha(b, 11, 5), 0u);
  EXPECT_EQ(testing::CountPainted(b), 36);
}

TEST(Stroke, WidePenWidensAboutTheCentreLine) {
  Bitmap b(10, 10);
  Graphics g(b);
  g.DrawLine({0xFF000000, 3.0f}, {0, 5}, {10, 5});
  for (int y : {4, 5, 6}) EXPECT_EQ(Alpha(b, 5, y), 255u) << y;
  EXPECT_EQ(Alpha(b, 5, 3), 0u);
  EXPECT_EQ(Alpha(b, 5, 7), 0u);
}

TEST(Stroke, DashStylesLeaveGaps) {
  auto painted = [](DashStyle style) {
    Bitmap b(40, 3);
    Graphics g(b);
    g.DrawLine({0xFF000000, 1.0f, style}, {0, 1}, {40, 1});
    std::string row;
    for (int x = 0; x < 40; ++x) row += Alpha(b, x, 1) > 128 ? '#' : '.';
    return row;
  };
  EXPECT_EQ(painted(DashStyle::Solid), std::string(40, '#'));
  EXPECT_EQ(painted(DashStyle::Dash).substr(0, 12), "###.###.###.");
  EXPECT_EQ(painted(DashStyle::Dot).substr(0, 6), "#.#.#.");
  EXPECT_EQ(painted(DashStyle::DashDot).substr(0, 12), "###.#.###.#.");
}

TEST(Stroke, ArcsAndRoundedPathsStayInsideTheirBox) {
  Path p;
  p.AddArc({0, 0, 6, 6}, 180, 90);
  p.AddArc({13, 0, 6, 6}, 270, 90);
  p.AddArc({13, 13, 6, 6}, 0, 90);
  p.AddArc({0, 13, 6, 6}, 90, 90);
  p.CloseFigure();
  Bitmap b(24, 24);
  Graphics g(b);
  g.SetSmoothing(SmoothingMode::AntiAlias);
  g.DrawPath({0xFF000000}, p);
  EXPECT_EQ(Alpha(b, 0, 0), 0u);      // the corner is cut
  EXPECT_GT(Alpha(b, 0, 10), 200u);   // straight left side
  EXPECT_GT(Alpha(b, 10, 19), 200u);  // straight bottom side
  for (int i = 0; i < 24; ++i) {
    EXPECT_EQ(Alpha(b, 21, i), 0u);
    EXPECT_EQ(Alpha(b, i, 21), 0u);
  }
  EXPECT_EQ(Alpha(b, 10, 10), 0u);  // outline only
}

TEST(Stroke, FlatArcBoxDoesNotSpoilLaterDrawing) {
  Bitmap b(10, 10);
  Graphics g(b);
  g.DrawArc({0xFF000000}, {2, 2, 0, 4}, 0, 90);
  g.FillRectangle(Argb{0xFF00FF00}, {0, 0, 2, 2});
  EXPECT_EQ(b.GetPixel(1, 1), 0xFF00FF00u);
}

}  // namespace
}  // namespace gfx
