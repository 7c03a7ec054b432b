#include "razezazo/controls/label_control.h"

#include <gtest/gtest.h>

#include "controls_fixture.h"
#include "razezazo/widgets/paint_cycle.h"

namespace controls_test {
namespace {

using razezazo::FloatRect;
using razezazo::LabelControl;
using razezazo::LabelOptions;
using razezazo::TextChange;
using razezazo::TransitionKind;

// Records where the label puts its text each time it draws it.
class RecordingLabel : public LabelControl {
 public:
  std::vector<FloatRect> text_rects;

 protected:
  void OnDrawText(gfx::Graphics&, const FloatRect& rect) override { text_rects.push_back(rect); }
};

using LabelTest = HostFixture;

TEST_F(LabelTest, VerticalAlignmentPlacesASingleLine) {
  // 40 high: the text area is 2 .. 38, and a 20-pixel text at the bottom starts at 16.
  EXPECT_FLOAT_EQ(razezazo::LabelTextRect({2, 2, 96, 36}, 20, 14, false, razezazo::vertical_alignment::kBottom).y,
                  16.0f);

  RecordingLabel label;
  ASSERT_TRUE(label.Create(window_, {10, 10, 120, 40}, runtime::Gbk("底部"),
                           {.vertical_alignment = razezazo::vertical_alignment::kBottom}));
  const float th = label.text_height();
  ASSERT_GT(th, 0);
  ASSERT_FALSE(label.text_rects.empty());
  EXPECT_FLOAT_EQ(label.text_rects.back().y, 2 + 40 - 4 - th - 2);
  EXPECT_FLOAT_EQ(label.text_rects.back().height, th);
  EXPECT_FLOAT_EQ(label.text_rects.back().x, 2);
  EXPECT_FLOAT_EQ(label.text_rects.back().width, 116);

  label.SetVerticalAlignment(razezazo::vertical_alignment::kTop);
  EXPECT_FLOAT_EQ(label.text_rects.back().y, 4);
  label.SetVerticalAlignment(razezazo::vertical_alignment::kCentre);
  EXPECT_FLOAT_EQ(label.text_rects.back().y, 2 + (36 - th) / 2);

  // Multi-line: the whole area and one line more.
  label.SetMultiLine(true);
  EXPECT_FLOAT_EQ(label.text_rects.back().y, 2);
  EXPECT_FLOAT_EQ(label.text_rects.back().height, 36 + razezazo::FontHeight(label.font()) + 3);
}

TEST_F(LabelTest, BottomAlignedTextReallyDrawsLow) {
  LabelControl top, bottom;
  ASSERT_TRUE(top.Create(window_, {10, 10, 80, 60}, "Hg", {.vertical_alignment = razezazo::vertical_alignment::kTop}));
  ASSERT_TRUE(
      bottom.Create(window_, {100, 10, 80, 60}, "Hg", {.vertical_alignment = razezazo::vertical_alignment::kBottom}));
  auto first_inked_row = [](const gfx::Bitmap& canvas) {
    for (int y = 0; y < canvas.Height(); ++y)
      for (int x = 0; x < canvas.Width(); ++x)
        if (A(canvas.GetPixel(x, y)) > 64) return y;
    return -1;
  };
  const int top_row = first_inked_row(top.canvas()), bottom_row = first_inked_row(bottom.canvas());
  ASSERT_GE(top_row, 0);
  EXPECT_GT(bottom_row - top_row, 60 - 4 - 4 - static_cast<int>(top.text_height()) - 4);
}

TEST_F(LabelTest, GradientColourZeroIsTransparentNotBlack) {
  // Horizontal gradient from opaque blue to colour 0: the right end shows the
  // window's light background through, not black.
  LabelControl label;
  ASSERT_TRUE(label.Create(window_, {20, 20, 200, 30}, "",
                           {.background_mode = razezazo::label_background::kHorizontal,
                            .background_colour1 = razezazo::ToArgb(0xFF0000),
                            .background_colour2 = 0}));
  headless_->RunPending();
  const gfx::Argb left = label.canvas().GetPixel(1, 15), right = label.canvas().GetPixel(197, 15);
  EXPECT_GT(A(left), 240u);
  EXPECT_GT(B(left), 240u);
  EXPECT_LT(A(right), 10u);
  const gfx::Argb shown = Screen().GetPixel(20 + 197, 20 + 15);
  EXPECT_GT(R(shown), 200u);
  EXPECT_GT(G(shown), 200u);

  label.SetBackgroundColour1(0);
  EXPECT_EQ(A(label.canvas().GetPixel(100, 15)), 0u);
}

TEST_F(LabelTest, BorderStaysVisibleOverTheBackground) {
  LabelControl label;
  ASSERT_TRUE(label.Create(window_, {20, 20, 100, 30}, "",
                           {.background_mode = razezazo::label_background::kVertical,
                            .background_colour1 = razezazo::ToArgb(0xFFFFFF),
                            .background_colour2 = razezazo::ToArgb(0xFFFFFF),
                            .border = razezazo::border_style::kFlat}));
  const gfx::Argb top_edge = label.canvas().GetPixel(50, 0), left_edge = label.canvas().GetPixel(0, 15);
  EXPECT_LT(R(top_edge), 150u);
  EXPECT_LT(R(left_edge), 150u);
}

TEST_F(LabelTest, SlideTextChangeAnimatesOverFiveStepsOf60Ms) {
  LabelControl label;
  ASSERT_TRUE(label.Create(window_, {20, 20, 100, 24}, "AAAA", {.text_colour = razezazo::ToArgb(0)}));
  std::vector<std::uint32_t> finished_at;
  label.AddEventHandler(razezazo::event::kTransitionFinished,
                        [&](const razezazo::Event&) { finished_at.push_back(headless_->Now()); });
  headless_->RunPending();
  const gfx::Bitmap before = Screen();
  const std::uint32_t start = headless_->Now();

  label.SetText("BBBB", TextChange{TransitionKind::kSlideLeft});
  EXPECT_EQ(label.transition().steps, 5);
  EXPECT_EQ(label.transition().interval_ms, 60);
  EXPECT_EQ(label.transition().kind, TransitionKind::kSlideLeft);

  std::vector<gfx::Bitmap> frames;
  for (int tick = 1; tick <= 4; ++tick) {
    Advance(60);
    EXPECT_EQ(label.transition().step, tick);
    frames.push_back(Screen());
  }
  EXPECT_TRUE(finished_at.empty());
  Advance(60);
  ASSERT_EQ(finished_at.size(), 1u);
  EXPECT_EQ(finished_at[0] - start, 300u);
  const gfx::Bitmap after = Screen();

  // Every step shows a different picture of the label's area, none of them
  // the old or the new text alone.
  const gfx::RectI area{20, 20, 100, 24};
  EXPECT_FALSE(SamePixels(before, after, area));
  for (size_t i = 0; i < frames.size(); ++i) {
    EXPECT_FALSE(SamePixels(frames[i], before, area)) << i;
    EXPECT_FALSE(SamePixels(frames[i], after, area)) << i;
    if (i) {
      EXPECT_FALSE(SamePixels(frames[i], frames[i - 1], area)) << i;
    }
  }

  // The transition was for that change only.
  EXPECT_EQ(label.transition().steps, 0);
  label.SetText("CCCC");
  EXPECT_FALSE(label.transition().Configured());
  Advance(300);
  EXPECT_EQ(finished_at.size(), 1u);
}

TEST_F(LabelTest, ChangeOnAHiddenLabelDoesNotAnimateLater) {
  LabelControl label;
  ASSERT_TRUE(label.Create(window_, {20, 20, 100, 24}, "one"));
  label.SetVisible(false);
  label.SetText("two", TextChange{TransitionKind::kSlideDown});
  label.SetVisible(true);
  label.SetTextColour(razezazo::ToArgb(0x0000FF));
  EXPECT_FALSE(label.transition().Configured());
}

TEST_F(LabelTest, AutomaticTextColourFollowsTheBackground) {
  auto strongest_ink = [](const gfx::Bitmap& canvas) {
    gfx::Argb best = 0;
    for (int y = 0; y < canvas.Height(); ++y)
      for (int x = 0; x < canvas.Width(); ++x)
        if (A(canvas.GetPixel(x, y)) > A(best)) best = canvas.GetPixel(x, y);
    return best;
  };
  const LabelOptions automatic{.text_colour = razezazo::ToArgb(0x808080, 200), .automatic_text_colour = true};
  {
    LabelControl on_light;
    ASSERT_TRUE(on_light.Create(window_, {20, 20, 100, 24}, "文字文字", automatic));
    const gfx::Argb ink = strongest_ink(on_light.canvas());
    EXPECT_GT(A(ink), 150u);
    EXPECT_LE(A(ink), 200u);  // the configured alpha is kept
    EXPECT_EQ(R(ink) | G(ink) | B(ink), 0u);
  }
  Start({.background_colour = 0x202020, .caption_flags = 0});
  LabelControl on_dark;
  ASSERT_TRUE(on_dark.Create(window_, {20, 20, 100, 24}, "文字文字", automatic));
  const gfx::Argb ink = strongest_ink(on_dark.canvas());
  EXPECT_GT(A(ink), 150u);
  EXPECT_LE(A(ink), 200u);
  EXPECT_EQ(R(ink) & G(ink) & B(ink), 255u);
}

TEST_F(LabelTest, TextFontAndFormatChangesMeasureAgain) {
  RecordingLabel label;
  ASSERT_TRUE(label.Create(window_, {20, 20, 300, 30}, "ab"));
  const float short_width = label.text_width();
  label.SetText("abababab");
  EXPECT_GT(label.text_width(), short_width * 2);
  const float small_height = label.text_height();
  label.SetFontSize(24);
  EXPECT_GT(label.text_height(), small_height * 1.5f);
  EXPECT_FLOAT_EQ(label.font_size(), 24);

  EXPECT_EQ(label.format_flags(), razezazo::text_flags::kNoWrap);
  label.SetFormatFlags(razezazo::text_flags::kNoWrap | razezazo::text_flags::kNoClip);
  label.SetMultiLine(true);
  EXPECT_EQ(label.format_flags(), razezazo::text_flags::kMultiLineLabel);
  label.SetMultiLine(false);
  EXPECT_EQ(label.format_flags(), razezazo::text_flags::kNoWrap);
  label.SetAlignment(razezazo::alignment::kCentre);
  EXPECT_EQ(label.alignment(), razezazo::alignment::kCentre);

  // Setters compare first: an unchanged value does not repaint.
  const size_t paints = label.text_rects.size();
  label.SetText("abababab");
  label.SetFontSize(24);
  label.SetAlignment(razezazo::alignment::kCentre);
  label.SetTextColour(label.text_colour());
  EXPECT_EQ(label.text_rects.size(), paints);
  label.SetTextColour(razezazo::ToArgb(0x0000FF));
  EXPECT_EQ(label.text_rects.size(), paints + 1);
}

TEST_F(LabelTest, AWidthlessTitleMeasuresItsText) {
  // The host creates its title this way and then sets the width to the text's + 2.
  LabelControl title;
  ASSERT_TRUE(title.Create(window_, {0, 9, 0, 18}, runtime::Gbk("晨岚DJ音乐网(brivo)[2015.11.02]"),
                           {.text_colour = razezazo::ToArgb(0xFFFFFF, 250)}));
  EXPECT_GT(title.text_width(), 100);
  title.SetWidth(title.text_width() + 2);
  EXPECT_EQ(title.canvas().Width(), static_cast<int>(title.text_width()) + 2);
  title.SetText(runtime::Gbk("新标题"));
  EXPECT_EQ(title.text(), runtime::Gbk("新标题"));
}

// Format handles may be shared (a label takes any handle it is given); the
// setters give the label a changed copy and leave the shared format alone.
TEST_F(LabelTest, FormatSettersLeaveASharedFormatAlone) {
  LabelControl first, second;
  ASSERT_TRUE(first.Create(window_, {10, 10, 120, 20}, "first"));
  ASSERT_TRUE(second.Create(window_, {10, 40, 120, 20}, "second"));
  const razezazo::FormatHandle shared = first.format();
  second.SetFormat(shared);
  const gfx::StringFormat before = *shared;
  first.SetAlignment(razezazo::alignment::kFar);
  first.SetTrimming(3);
  first.SetFormatFlags(first.format_flags() | razezazo::text_flags::kNoClip);
  first.SetMultiLine(true);
  EXPECT_EQ(first.alignment(), razezazo::alignment::kFar);
  EXPECT_EQ(first.trimming(), 3);
  EXPECT_EQ(first.format_flags() & razezazo::text_flags::kMultiLineLabel, razezazo::text_flags::kMultiLineLabel);
  EXPECT_EQ(*shared, before);
  EXPECT_EQ(second.format(), shared);
  EXPECT_EQ(second.alignment(), razezazo::alignment::kNear);
  EXPECT_EQ(second.format_flags(), razezazo::text_flags::kNoWrap);
}

TEST_F(LabelTest, DestroyReleasesTextFontAndFormat) {
  LabelControl label;
  ASSERT_TRUE(label.Create(window_, {20, 20, 100, 24}, "text"));
  label.Destroy();
  EXPECT_TRUE(label.wide_text().empty());
  EXPECT_EQ(label.font(), nullptr);
  EXPECT_EQ(label.format(), nullptr);
  label.SetText("again");  // a destroyed label ignores paints
  EXPECT_EQ(label.self(), 0u);
}

}  // namespace
}  // namespace controls_test
