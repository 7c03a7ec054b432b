#include "razezazo/controls/push_button.h"

#include <gtest/gtest.h>

#include <optional>

#include "controls_fixture.h"
#include "razezazo/controls/skin_button.h"

namespace controls_test {
namespace {

using razezazo::FloatRect;
using razezazo::PushButton;
using razezazo::SkinButton;
using runtime::Gbk;

// The bounding box of the caption's ink: opaque dark pixels of the canvas.
struct Box {
  int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1;
};

Box InkBox(const gfx::Bitmap& canvas) {
  Box box;
  for (int y = 0; y < canvas.Height(); ++y)
    for (int x = 0; x < canvas.Width(); ++x) {
      const gfx::Argb p = canvas.GetPixel(x, y);
      if (A(p) < 150 || R(p) > 100) continue;
      box.left = std::min(box.left, x), box.top = std::min(box.top, y);
      box.right = std::max(box.right, x), box.bottom = std::max(box.bottom, y);
    }
  return box;
}

int DifferingPixelsInRow(const gfx::Bitmap& a, const gfx::Bitmap& b, int y, int from_x, int to_x) {
  int differing = 0;
  for (int x = from_x; x < to_x; ++x) differing += a.GetPixel(x, y) != b.GetPixel(x, y);
  return differing;
}

class PushButtonTest : public HostFixture {
 protected:
  // A button whose clicks are counted.
  std::unique_ptr<PushButton> Button(const FloatRect& bounds, const char* utf8_caption,
                                     const razezazo::PushButtonOptions& options = {}) {
    auto button = std::make_unique<PushButton>();
    EXPECT_TRUE(button->Create(window_, bounds, Gbk(utf8_caption), options));
    button->AddEventHandler(razezazo::event::kClick, [this](const razezazo::Event&) { ++clicks_; });
    headless_->RunPending();
    return button;
  }

  int clicks_ = 0;
};

TEST_F(PushButtonTest, ADoubledAmpersandDrawsOneAndRegistersItselfAsTheKey) {
  auto doubled = Button({20, 20, 90, 25}, "解析&&下载");
  // The same caption with one "&", drawn without any prefix handling.
  auto literal = Button({20, 60, 90, 25}, "解析&下载");
  auto plain = std::make_shared<gfx::StringFormat>(*literal->format());
  plain->hotkey_prefix = gfx::HotkeyPrefix::None;
  literal->SetFormat(plain);
  EXPECT_TRUE(SamePixels(doubled->canvas(), literal->canvas()));

  // The literal button registered "下"'s first byte; only "&" clicks the doubled one.
  EXPECT_EQ(razezazo::AcceleratorKeyOf(Gbk("解析&&下载")), 38u);
  headless_->SysChar('&');
  EXPECT_EQ(clicks_, 1);
}

TEST_F(PushButtonTest, TheLetterAfterTheAmpersandClicksWithAltInEitherCase) {
  auto yes = Button({20, 20, 70, 24}, "是(&Y)");
  headless_->SysChar('y');
  headless_->SysChar('Y');
  EXPECT_EQ(clicks_, 2);
  headless_->SysChar('n');
  EXPECT_EQ(clicks_, 2);

  // A caption without "&" removes the key; the same caption again changes nothing.
  yes->SetCaption(Gbk("确认"));
  headless_->SysChar('y');
  EXPECT_EQ(clicks_, 2);
  EXPECT_EQ(yes->caption(), Gbk("确认"));
  EXPECT_EQ(razezazo::AcceleratorKeyOf(Gbk("末尾&")), 0u);
}

TEST_F(PushButtonTest, APressedButtonDrawsItsCaptionOnePixelRightAndDown) {
  auto button = Button({20, 20, 70, 25}, "确认");
  button->Paint(razezazo::kButtonHot);
  const Box hot = InkBox(button->canvas());
  button->Paint(razezazo::kButtonPressed);
  const Box pressed = InkBox(button->canvas());
  ASSERT_GE(hot.right, 0) << "no caption drawn";
  EXPECT_EQ(pressed.left, hot.left + 1);
  EXPECT_EQ(pressed.top, hot.top + 1);
  EXPECT_EQ(pressed.right, hot.right + 1);
  EXPECT_EQ(pressed.bottom, hot.bottom + 1);
  EXPECT_EQ(button->state(), razezazo::kButtonPressed);
}

TEST_F(PushButtonTest, RoundedFollowsTheHostFrameUnlessGivenAndOffMeansSquareCorners) {
  Start({.background_colour = 0x303030, .caption_flags = 0, .frame_style = razezazo::frame_style::kRounded});
  auto from_host = Button({20, 20, 70, 25}, "确认");
  auto square = Button({20, 60, 70, 25}, "确认", {.rounded = false});
  EXPECT_TRUE(from_host->rounded());
  EXPECT_FALSE(square->rounded());
  // Only the corners differ: the square border runs through them, the clipped round one does not.
  const gfx::Bitmap& round = from_host->canvas();
  const gfx::Bitmap& sharp = square->canvas();
  EXPECT_TRUE(SamePixels(round, sharp, {3, 0, 64, 25}));
  EXPECT_TRUE(SamePixels(round, sharp, {0, 3, 70, 18}));
  EXPECT_FALSE(SamePixels(round, sharp, {0, 0, 2, 2}));
  EXPECT_GT(A(sharp.GetPixel(0, 0)), A(round.GetPixel(0, 0)) + 40);
  EXPECT_GT(A(sharp.GetPixel(69, 23)), A(round.GetPixel(69, 23)) + 40);

  Start({.background_colour = 0x303030, .caption_flags = 0, .frame_style = razezazo::frame_style::kSquare});
  EXPECT_FALSE(Button({20, 20, 70, 25}, "确认")->rounded());
}

TEST_F(PushButtonTest, OnlyAPlainButtonShowsTheDashedFocusRectangle) {
  auto focused = Button({20, 20, 100, 30}, "确认");
  auto other = Button({20, 60, 100, 30}, "确认");
  host_->SetFocus(focused.get(), false);
  headless_->RunPending();
  other->Paint(razezazo::kButtonFocused);
  // The rectangle's top edge runs along row 2.
  EXPECT_GT(DifferingPixelsInRow(focused->canvas(), other->canvas(), 2, 2, 97), 20);

  SkinButton skin_focused, skin_other;
  ASSERT_TRUE(skin_focused.Create(window_, {150, 20, 100, 30}, Gbk("确认")));
  ASSERT_TRUE(skin_other.Create(window_, {150, 60, 100, 30}, Gbk("确认")));
  EXPECT_EQ(skin_focused.kind(), razezazo::kKindSkinButton);
  host_->SetFocus(&skin_focused, false);
  Advance(100);  // one step of the light: it repaints
  skin_other.Paint();
  EXPECT_TRUE(skin_focused.light_running());
  // Away from the light (near the left end) the rows are the same: no rectangle.
  EXPECT_EQ(DifferingPixelsInRow(skin_focused.canvas(), skin_other.canvas(), 2, 40, 97), 0);
  EXPECT_EQ(DifferingPixelsInRow(skin_focused.canvas(), skin_other.canvas(), 25, 40, 97), 0);
}

TEST_F(PushButtonTest, TheBorderLightRunsClockwiseSixPixelsATick) {
  SkinButton skin;
  ASSERT_TRUE(skin.Create(window_, {20, 20, 100, 30}, Gbk("确认")));
  host_->SetFocus(&skin, false);
  headless_->RunPending();
  EXPECT_FLOAT_EQ(skin.light_position().x, 6);
  EXPECT_FLOAT_EQ(skin.light_position().y, 0);
  const gfx::Bitmap before = skin.canvas().Clone();
  Advance(100);
  EXPECT_FLOAT_EQ(skin.light_position().x, 12);
  EXPECT_FALSE(SamePixels(before, skin.canvas())) << "the light moved on the canvas";
  Advance(1400);  // tick 15
  EXPECT_FLOAT_EQ(skin.light_position().x, 96);
  EXPECT_EQ(skin.light_segment(), 1);
  Advance(100);  // tick 16 reaches the right end
  EXPECT_FLOAT_EQ(skin.light_position().x, 98);
  EXPECT_FLOAT_EQ(skin.light_position().y, 0);
  EXPECT_EQ(skin.light_segment(), 2);
  for (float y : {6.0f, 12.0f, 18.0f, 24.0f, 26.0f}) {
    Advance(100);
    EXPECT_FLOAT_EQ(skin.light_position().x, 98);
    EXPECT_FLOAT_EQ(skin.light_position().y, y);
  }
  EXPECT_EQ(skin.light_segment(), 3);

  // Focus elsewhere stops it where it is.
  auto other = Button({20, 80, 70, 24}, "其他");
  host_->SetFocus(other.get(), false);
  headless_->RunPending();
  Advance(500);
  EXPECT_FALSE(skin.light_running());
  EXPECT_FLOAT_EQ(skin.light_position().y, 26);
}

TEST_F(PushButtonTest, DuringAHoverFadeTheFramesMoveTheLightInsteadOfItsTimer) {
  SkinButton skin;
  ASSERT_TRUE(skin.Create(window_, {20, 20, 100, 30}, Gbk("确认")));
  host_->SetFocus(&skin, false);
  headless_->MoveMouse(window_, 60, 35);  // the fade starts and the light's timer rests
  Advance(240);                           // three in-between frames, each one step; then the timer runs again
  EXPECT_FLOAT_EQ(skin.light_position().x, 6 + 3 * 6);
  Advance(100);
  EXPECT_FLOAT_EQ(skin.light_position().x, 6 + 4 * 6);
}

TEST_F(PushButtonTest, HoverFadesInFourStepsOf60MsAndAPressShowsAtOnce) {
  Start({.background_colour = 0x302010, .caption_flags = 0});
  auto button = Button({50, 50, 70, 25}, "确认");
  const int px = 54, py = 62;  // face, away from the caption
  const gfx::Argb normal = Screen().GetPixel(px, py);
  headless_->MoveMouse(window_, 80, 60);
  EXPECT_EQ(Screen().GetPixel(px, py), normal) << "the fade starts from the old picture";
  std::vector<unsigned> greens;
  for (int step = 1; step <= 4; ++step) {
    Advance(60);
    greens.push_back(G(Screen().GetPixel(px, py)));
  }
  const gfx::Argb hot = Screen().GetPixel(px, py);
  ASSERT_NE(hot, normal);
  EXPECT_TRUE(G(hot) > G(normal) ? greens[0] < greens[1] && greens[1] < greens[2] && greens[2] < greens[3]
                                 : greens[0] > greens[1] && greens[1] > greens[2] && greens[2] > greens[3]);
  Advance(240);
  EXPECT_EQ(Screen().GetPixel(px, py), hot) << "four steps, then it rests";

  headless_->PressLeft(window_, 80, 60);
  const gfx::Argb pressed = Screen().GetPixel(px, py);
  EXPECT_NE(pressed, hot);
  Advance(240);
  EXPECT_EQ(Screen().GetPixel(px, py), pressed);
  headless_->ReleaseLeft(window_, 80, 60);
  EXPECT_EQ(clicks_, 1);
  EXPECT_EQ(button->state(), razezazo::kButtonHot);
}

TEST_F(PushButtonTest, SettersRepaintOnlyWhenSomethingChanged) {
  auto button = Button({20, 20, 70, 25}, "确认");
  int repaints = 0;
  button->AddEventHandler(razezazo::event::kRepaint, [&](const razezazo::Event&) { ++repaints; });
  button->SetTextColour(button->text_colour());
  button->SetCaption(Gbk("确认"));
  button->SetGap(0);
  EXPECT_EQ(repaints, 0);
  const gfx::Bitmap before = button->canvas().Clone();
  button->SetTextColour(razezazo::ToArgb(0x0000FF));
  button->SetFontSize(16);
  EXPECT_EQ(repaints, 2);
  EXPECT_FLOAT_EQ(button->font_size(), 16);
  EXPECT_FALSE(SamePixels(before, button->canvas()));
  const std::vector<std::uint8_t> bytes = button->caption_bytes();
  EXPECT_EQ(runtime::Text(bytes.begin(), bytes.end()), Gbk("确认"));
}

TEST_F(PushButtonTest, AnIconSitsLeftOfTheCaptionAndABadBlockShowsNone) {
  auto button = Button({20, 20, 120, 40}, "确认");
  const Box text_only = InkBox(button->canvas());
  gfx::Bitmap icon(16, 16);
  gfx::Graphics(icon).Clear(0xFF000000);
  const std::vector<std::uint8_t> png = icon.EncodePng();
  button->SetIconBytes(png);
  const Box with_icon = InkBox(button->canvas());
  // The black square is ink too: the pair is centred, the square on the left.
  EXPECT_EQ(with_icon.left, text_only.left - 8);
  EXPECT_EQ(with_icon.right, text_only.right + 8);
  EXPECT_LT(with_icon.top, text_only.top);
  const std::vector<std::uint8_t> garbage{1, 2, 3};
  button->SetIconBytes(garbage);
  EXPECT_EQ(InkBox(button->canvas()).left, text_only.left);
}

TEST_F(PushButtonTest, AnAutomaticCaptionTurnsWhiteOnADarkBackground) {
  Start({.background_colour = 0x000000, .caption_flags = 0});
  auto button = Button({20, 20, 70, 25}, "确认", {.text_colour = razezazo::ToArgb(0x000000, 254)});
  // Opaque pixels of the caption's area that are dark, and that are light.
  auto count = [&](bool dark) {
    int n = 0;
    for (int y = 6; y < 19; ++y)
      for (int x = 20; x < 50; ++x) {
        const gfx::Argb p = button->canvas().GetPixel(x, y);
        n += A(p) > 150 && (dark ? R(p) < 60 : R(p) > 200);
      }
    return n;
  };
  const int dark_before = count(true), light_before = count(false);
  button->SetAutomaticTextColour(true);
  EXPECT_GT(dark_before, 20);
  EXPECT_GT(count(false), light_before + 20);
  EXPECT_LT(count(true), dark_before - 20);
}

TEST_F(PushButtonTest, AHandlerThatDeletesTheButtonOnItsCaptionChangeIsSurvived) {
  auto button = Button({20, 20, 70, 25}, "确认");
  host_->hooks().message = [&](winsys::WindowId, unsigned message, winsys::WParam, winsys::LParam) {
    if (message == razezazo::host_message::kSetAccelerator) button.reset();
    return winsys::LResult{-1};
  };
  button->SetCaption(Gbk("取消(&C)"));
  EXPECT_EQ(button, nullptr);
  headless_->SysChar('c');
  EXPECT_EQ(clicks_, 0);
}

}  // namespace
}  // namespace controls_test
