#include <gtest/gtest.h>

#include <set>

#include "gfx/pixels.h"
#include "razezazo/drawing/font.h"
#include "razezazo/drawing/text.h"
#include "runtime/gbk.h"

namespace razezazo {
namespace {

using gfx::testing::Alpha;

FormatHandle ButtonFormat() {
  TextFormat f;
  f.Create(text_flags::kNoWrap, 0, false);
  f.SetHotkeyPrefix(1);
  return f.Handle();
}

TEST(TextFormat, OperationsReadBackWhatWasSet) {
  TextFormat f;
  EXPECT_EQ(f.Flags(), 0);  // no handle yet: everything reads 0
  ASSERT_TRUE(f.Create(text_flags::kMultiLineLabel));
  EXPECT_EQ(f.Flags(), 0x6C00);
  f.SetAlignment(razezazo::alignment::kCentre);
  f.SetTrimming(3);
  f.SetHotkeyPrefix(1);
  f.SetFlags(text_flags::kNoWrap);
  EXPECT_EQ(f.Alignment(), razezazo::alignment::kCentre);
  EXPECT_EQ(f.Trimming(), 3);
  EXPECT_EQ(f.HotkeyPrefix(), 1);
  EXPECT_EQ(f.Flags(), 0x1000);
  FormatHandle kept;
  {
    TextFormat temporary;
    temporary.Create(0, 0, false);
    temporary.SetAlignment(razezazo::alignment::kFar);
    kept = temporary.Handle();
  }
  ASSERT_TRUE(kept);  // the wrapper is gone, the control's handle is not
  EXPECT_EQ(kept->alignment, gfx::StringAlignment::Far);
}

TEST(Font, DefaultFontFallsBackWhenSongTiIsMissing) {
  auto only = [](std::set<std::string> installed) {
    return [installed](std::string_view name) { return installed.count(std::string(name)) > 0; };
  };
  EXPECT_EQ(ChooseDefaultFontFamily(only({"宋体", "Noto Sans"}), "Noto Sans", "x"), "宋体");
  EXPECT_EQ(ChooseDefaultFontFamily(only({"Noto Sans"}), "Noto Sans", "x"), "Noto Sans");
  EXPECT_EQ(ChooseDefaultFontFamily(only({"Tahoma"}), "Tahoma", "DejaVu Sans"), "DejaVu Sans");
  EXPECT_EQ(ChooseDefaultFontFamily(only({}), "Gone", "DejaVu Sans"), "DejaVu Sans");

  const FontHandle& font = DefaultFont();
  ASSERT_TRUE(font);
  // "宋体" itself is not installed here; the program's font rules stand
  // WenQuanYi Zen Hei Sharp in for it, so the documented family is found.
  EXPECT_EQ(font->Family(), "宋体");
  EXPECT_FLOAT_EQ(font->Size(), 12.0f);
  EXPECT_EQ(font->Style(), 0);
}

TEST(Font, UnknownFamiliesTakeTheDefaultFamilyAndRebuildsKeepTheRest) {
  const FontHandle missing = MakeFont(runtime::Gbk("没有这种字体"), 14, gfx::font_style::kBold);
  EXPECT_EQ(missing->Family(), DefaultFont()->Family());
  const FontHandle zen = MakeFont(runtime::Gbk("文泉驿正黑"), 14, gfx::font_style::kBold);
  EXPECT_EQ(zen->Family(), "文泉驿正黑");
  const FontHandle bigger = WithSize(zen, 20);
  EXPECT_EQ(bigger->Family(), "文泉驿正黑");
  EXPECT_EQ(bigger->Style(), gfx::font_style::kBold);
  EXPECT_EQ(WithStyle(bigger, 0)->Size(), 20.0f);
  EXPECT_EQ(FontName(WithName(bigger, "WenQuanYi Zen Hei")), "WenQuanYi Zen Hei");
  EXPECT_GT(FontHeight(zen), 14.0f);
}

class Caption : public ::testing::Test {
 protected:
  FontHandle font_ = MakeFont("WenQuanYi Zen Hei");

  gfx::Bitmap Draw(std::u16string_view text, int effect, Color color = 0xFE000000, Color halo = 0) {
    gfx::Bitmap b(90, 30);
    gfx::Graphics g(b);
    g.SetSmoothing(gfx::SmoothingMode::AntiAlias);
    g.SetTextHint(3);
    DrawText(g, {10.6f, 6.9f, 70, 18}, text, font_, color, ButtonFormat(), effect, halo);
    return b;
  }
};

TEST_F(Caption, AmpersandsFollowTheHotkeyPrefix) {
  gfx::Bitmap doubled = Draw(u"解析&&下载", 0);
  TextFormat plain;
  plain.Create(text_flags::kNoWrap);
  gfx::Bitmap reference(90, 30);
  gfx::Graphics g(reference);
  g.SetSmoothing(gfx::SmoothingMode::AntiAlias);
  g.SetTextHint(3);
  DrawText(g, {10, 6, 70, 18}, u"解析&下载", font_, 0xFE000000, plain.Handle());
  EXPECT_TRUE(gfx::testing::SamePixels(doubled, reference));  // one "&", no underline, rect truncated
  EXPECT_FALSE(gfx::testing::SamePixels(Draw(u"&Y", 0), Draw(u"Y", 0)));
}

TEST_F(Caption, TightHaloHugsTheTextMoreThanTheSoftOne) {
  auto spread = [](const gfx::Bitmap& b) {
    int n = 0;
    for (int y = 0; y < b.Height(); ++y)
      for (int x = 0; x < b.Width(); ++x) n += Alpha(b, x, y) > 6;
    return n;
  };
  const gfx::Bitmap none = Draw(u"解析", kNoEffect);
  const gfx::Bitmap tight = Draw(u"解析", kTightHalo);
  const gfx::Bitmap soft = Draw(u"解析", kSoftHalo);
  EXPECT_GT(spread(tight), spread(none));
  EXPECT_GT(spread(soft), spread(tight));
}

TEST_F(Caption, DefaultHaloIsWhiteBehindDarkTextAndBlackBehindLight) {
  auto halo_only_pixel = [&](Color text_color) {
    const gfx::Bitmap plain = Draw(u"解", kNoEffect, text_color);
    const gfx::Bitmap haloed = Draw(u"解", kTightHalo, text_color);
    for (int y = 0; y < 30; ++y)
      for (int x = 0; x < 90; ++x)
        if (Alpha(plain, x, y) == 0 && Alpha(haloed, x, y) > 20) return haloed.GetPixel(x, y);
    return gfx::Argb{0};
  };
  const gfx::Argb white = halo_only_pixel(0xFE000000);
  EXPECT_EQ(white & 0xFFFFFF, 0xFFFFFFu);
  EXPECT_LE(gfx::AlphaOf(white), 85u);
  const gfx::Argb black = halo_only_pixel(0xFEFFFFFF);
  EXPECT_EQ(black & 0xFFFFFF, 0u);
  EXPECT_LE(gfx::AlphaOf(black), 75u);
}

TEST(Measure, WholeTextBoundsAndSize) {
  gfx::Bitmap b(10, 10);
  gfx::Graphics g(b);
  const FontHandle font = MakeFont("WenQuanYi Zen Hei");
  const auto bounds = MeasureText(g, u"解析&下载", font, nullptr, {0, 0, 300, 40});
  ASSERT_TRUE(bounds);
  const FloatRect size = MeasureTextSize(g, u"解析&下载", font, nullptr, {0, 0, 300, 40});
  EXPECT_NEAR(bounds->width, size.width, 0.5);
  EXPECT_GT(size.width, 4 * 12.0f);
  EXPECT_FALSE(MeasureText(g, u"", font, nullptr, {}));
  EXPECT_FALSE(MeasureText(g, u"abc", nullptr, nullptr, {}));
}

TEST(BackgroundDark, MoreThanFourOfNineSamplesMustBeDark) {
  gfx::Bitmap canvas(100, 100);
  gfx::Graphics g(canvas);
  g.Clear(0xFFFFFFFF);
  // Samples sit at 20, 50 and 80 in each direction; darken exactly four.
  for (auto [x, y] : {std::pair{20, 20}, {50, 20}, {80, 20}, {20, 50}}) canvas.SetPixel(x, y, 0xFF000000);
  EXPECT_FALSE(IsBackgroundDark(&canvas, {0, 0, 100, 100}, 0xFE000000));
  canvas.SetPixel(50, 50, 0xFF101010);
  EXPECT_TRUE(IsBackgroundDark(&canvas, {0, 0, 100, 100}, 0xFEFFFFFF));
  EXPECT_TRUE(IsBackgroundDark(nullptr, {0, 0, 100, 100}, 0xFE202020));
  EXPECT_FALSE(IsBackgroundDark(nullptr, {0, 0, 100, 100}, 0xFEF0F0F0));
}

}  // namespace
}  // namespace razezazo
