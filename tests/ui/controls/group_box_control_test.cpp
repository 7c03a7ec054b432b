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
    for (razezazo::alignment::Kind alignment :
         {razezazo::alignment::kNear, razezazo::alignment::kCentre, razezazo::alignment::kFar}) {
      GroupBoxControl box;
      ASSERT_TRUE(box.Create(
          window_, {20, 40, 340, 50}, runtime::Gbk("播放地址"),
          {.caption_alignment = alignment, .text_colour = 0, .border = razezazo::ToArgb(0), .rounded = rounded}));
      const float cw = box.caption_width(), ch = box.caption_height();
      ASSERT_GT(cw, 20);
      ASSERT_GT(ch, 5);
      const razezazo::GroupBoxGeometry geometry = razezazo::LayOutGroupBox(340, 50, cw, ch, alignment);
      const int line_y = static_cast<int>(std::trunc(ch / 2)) + 1;
      EXPECT_FLOAT_EQ(geometry.frame.y, static_cast<float>(line_y));
      const int gap_left = static_cast<int>(std::ceil(geometry.caption.x));
      const int gap_right = static_cast<int>(geometry.caption.Right()) - 1;
      for (int x = gap_left; x <= gap_right; ++x)
        ASSERT_EQ(A(box.canvas().GetPixel(x, line_y)), 0u)
            << "rounded " << rounded << " alignment " << alignment << " x " << x;
      // The line runs on both sides of the gap (away from the rounded corners).
      EXPECT_GT(A(box.canvas().GetPixel(gap_left - 2, line_y)), 100u) << alignment;
      EXPECT_GT(A(box.canvas().GetPixel(gap_right + 2, line_y)), 100u) << alignment;
    }
  }
}

// A pixel or more of clear space between the frame line's ends and the
// caption's first and last inked columns, whatever the alignment.
TEST_F(GroupBoxTest, CaptionGlyphsKeepClearOfTheFrameLine) {
  const razezazo::Color red_line = razezazo::ToArgb(0x0000FF);  // Windows RGB: red
  for (razezazo::alignment::Kind alignment :
       {razezazo::alignment::kNear, razezazo::alignment::kCentre, razezazo::alignment::kFar}) {
    GroupBoxControl box;
    ASSERT_TRUE(
        box.Create(window_, {20, 40, 340, 50}, runtime::Gbk("播放地址"),
                   {.caption_alignment = alignment, .text_colour = razezazo::ToArgb(0, 254), .border = red_line}));
    const gfx::Bitmap& canvas = box.canvas();
    auto is_line = [&](int x, int y) {
      const gfx::Argb p = canvas.GetPixel(x, y);
      return A(p) > 200 && R(p) > 200 && G(p) < 60;
    };
    auto is_ink = [&](int x, int y) {
      const gfx::Argb p = canvas.GetPixel(x, y);
      return A(p) > 64 && R(p) < 100;
    };
    int first_ink = -1, last_ink = -1;
    for (int x = 0; x < canvas.Width(); ++x)
      for (int y = 0; y < 2 + static_cast<int>(box.caption_height()); ++y)
        if (is_ink(x, y)) {
          if (first_ink < 0) first_ink = x;
          last_ink = x;
        }
    ASSERT_GT(first_ink, 0) << alignment;
    const int line_y = static_cast<int>(std::trunc(box.caption_height() / 2)) + 1;
    int line_ends = first_ink, line_resumes = last_ink;
    while (line_ends > 0 && !is_line(line_ends, line_y)) --line_ends;
    while (line_resumes < canvas.Width() - 1 && !is_line(line_resumes, line_y)) ++line_resumes;
    ASSERT_TRUE(is_line(line_ends, line_y) && is_line(line_resumes, line_y)) << alignment;
    EXPECT_GE(first_ink - line_ends, 2) << "alignment " << alignment;
    EXPECT_GE(line_resumes - last_ink, 2) << "alignment " << alignment;
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
