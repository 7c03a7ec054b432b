#include "razezazo/controls/group_box_control.h"

#include <gtest/gtest.h>

#include <cmath>

#include "controls_fixture.h"

namespace controls_test {
namespace {

using razezazo::GroupBoxControl;
using razezazo::GroupBoxOptions;

using GroupBoxTest = HostFixture;

// The caption is drawn in a transparent colour, so every pixel on the frame's
// top row is either the frame line or the gap left for the caption.
TEST_F(GroupBoxTest, FrameLineNeverCrossesTheCaption) {
  for (bool rounded : {false, true}) {
    for (int alignment : {0, 1, 2}) {
      GroupBoxControl box;
      ASSERT_TRUE(box.Create(window_, {20, 40, 340, 50}, runtime::Gbk("播放地址"),
                             {.caption_alignment = alignment, .text_colour = 0, .border = razezazo::ToArgb(0),
                              .rounded = rounded}));
      const float cw = box.caption_width(), ch = box.caption_height();
      ASSERT_GT(cw, 20);
      ASSERT_GT(ch, 5);
      const razezazo::GroupBoxGeometry geometry = razezazo::LayOutGroupBox(340, 50, cw, ch, alignment);
      const int line_y = static_cast<int>(std::trunc(ch / 2)) + 1;
      EXPECT_FLOAT_EQ(geometry.frame.y, static_cast<float>(line_y));
      const int gap_left = static_cast<int>(std::ceil(geometry.caption.x));
      const int gap_right = static_cast<int>(geometry.caption.Right()) - 1;
      for (int x = gap_left; x <= gap_right; ++x)
        ASSERT_EQ(A(box.canvas().GetPixel(x, line_y)), 0u) << "rounded " << rounded << " alignment " << alignment
                                                            << " x " << x;
      // The line runs on both sides of the gap (away from the rounded corners).
      EXPECT_GT(A(box.canvas().GetPixel(gap_left - 2, line_y)), 100u) << alignment;
      EXPECT_GT(A(box.canvas().GetPixel(gap_right + 2, line_y)), 100u) << alignment;
    }
  }
}

TEST_F(GroupBoxTest, BackgroundFillsTheFrameOnly) {
  GroupBoxControl box;
  ASSERT_TRUE(box.Create(window_, {20, 100, 340, 90}, runtime::Gbk("解析结果"),
                         {.text_colour = razezazo::ToArgb(0), .background_colour = razezazo::ToArgb(0x00FF00)}));
  const gfx::Argb inside = box.canvas().GetPixel(170, 50);
  EXPECT_GT(G(inside), 240u);
  EXPECT_GT(A(inside), 240u);
  EXPECT_EQ(A(box.canvas().GetPixel(170, 0)), 0u);  // above the frame's top edge
  // The caption is drawn over the background.
  bool ink = false;
  for (int x = 8; x < 8 + static_cast<int>(box.caption_width()); ++x)
    for (int y = 2; y < 2 + static_cast<int>(box.caption_height()); ++y)
      ink = ink || (A(box.canvas().GetPixel(x, y)) > 200 && G(box.canvas().GetPixel(x, y)) < 100);
  EXPECT_TRUE(ink);
}

TEST_F(GroupBoxTest, CaptionChangeMeasuresAgainAndSettersCompare) {
  GroupBoxControl box;
  ASSERT_TRUE(box.Create(window_, {20, 40, 340, 50}, "ab"));
  const float narrow = box.caption_width();
  box.SetCaption("abababab");
  EXPECT_GT(box.caption_width(), narrow * 2);
  EXPECT_EQ(box.caption(), "abababab");
  box.SetRounded(true);
  EXPECT_TRUE(box.rounded());
  EXPECT_EQ(box.kind(), razezazo::kKindGroupBox);
  EXPECT_FALSE(box.interactive());
}

}  // namespace
}  // namespace controls_test
