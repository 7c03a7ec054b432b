#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

#include "pixels.h"
#include "platform/gfx/font.h"
#include "platform/gfx/graphics.h"

namespace gfx {
namespace {

constexpr const char* kFamily = "WenQuanYi Zen Hei";

class Text : public ::testing::Test {
 protected:
  Font font_{kFamily, 12.0f};
  Bitmap canvas_{200, 60};
  Graphics g_{canvas_};

  Bitmap Render(std::u16string_view text, HotkeyPrefix prefix) {
    Bitmap b(120, 30);
    Graphics g(b);
    g.SetTextHint(text_hint::kAntiAliasGridFit);
    StringFormat f;
    f.hotkey_prefix = prefix;
    g.DrawString(text, font_, {2, 2, 116, 26}, f, 0xFF000000);
    return b;
  }
};

TEST_F(Text, FamiliesAreFoundByExactNameOrTheProgramsOwnAlias) {
  EXPECT_TRUE(FontFamilyExists(kFamily));
  EXPECT_TRUE(FontFamilyExists("文泉驿正黑"));  // a localised name of the same family
  // The program's font rules stand the sharp WenQuanYi face in for SimSun.
  EXPECT_TRUE(FontFamilyExists("宋体"));
  EXPECT_TRUE(FontFamilyExists("SimSun"));
  EXPECT_FALSE(FontFamilyExists("No Such Family Anywhere"));
  EXPECT_FALSE(FontFamilyExists(""));
  EXPECT_FALSE(DesktopUiFontFamily().empty());
}

// The share of a text's inked pixels that are neither background nor ink:
// the grey edges of anti-aliased outlines.
double GreyShare(const Font& font, std::u16string_view text) {
  Bitmap b(200, 24);
  Graphics g(b);
  g.Clear(0xFFFFFFFF);
  g.DrawString(text, font, {2, 2, 196, 20}, StringFormat{}, 0xFF000000);
  int ink = 0, grey = 0;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) {
      const unsigned v = GreenOf(b.GetPixel(x, y));
      ink += v < 224;
      grey += v >= 64 && v < 224;
    }
  return ink ? static_cast<double>(grey) / ink : 1.0;
}

// The runs of inked columns of a text drawn black on white: (first, last) each.
std::vector<std::pair<int, int>> InkRuns(const Font& font, std::u16string_view text) {
  Bitmap b(400, 24);
  Graphics g(b);
  g.Clear(0xFFFFFFFF);
  g.DrawString(text, font, {2, 2, 396, 20}, StringFormat{}, 0xFF000000);
  std::vector<std::pair<int, int>> runs;
  for (int x = 0; x < b.Width(); ++x) {
    bool ink = false;
    for (int y = 0; y < b.Height() && !ink; ++y) ink = GreenOf(b.GetPixel(x, y)) < 160;
    if (!ink) continue;
    if (!runs.empty() && runs.back().second == x - 1)
      runs.back().second = x;
    else
      runs.emplace_back(x, x);
  }
  return runs;
}

// Latin letters and digits beside the Chinese of "宋体" stand apart and evenly:
// "(b" do not touch, and "." sits as close to the digit before it as the
// digits sit to each other.
TEST_F(Text, SongTiDrawsLatinApartAndEvenly) {
  const Font song("宋体", 12.0f);
  EXPECT_EQ(InkRuns(song, u"(b").size(), 2u) << "\"(\" and \"b\" overlap";
  for (std::u16string_view text : {u"2015.11.02", u"demo01.html"}) {
    const std::vector<std::pair<int, int>> runs = InkRuns(song, text);
    ASSERT_EQ(runs.size(), text.size()) << "glyphs touch";
    int narrowest = 400, widest = 0;
    for (size_t i = 1; i < runs.size(); ++i) {
      const int gap = runs[i].first - runs[i - 1].second - 1;
      narrowest = std::min(narrowest, gap);
      widest = std::max(widest, gap);
    }
    EXPECT_LE(widest - narrowest, 1) << "uneven gaps";
  }
}

// "宋体" at 12 px draws from the sharp face's bitmap strikes: solid pixels,
// where the outlines chosen for Chinese before were mostly grey edges.
TEST_F(Text, SongTiDrawsChineseAtTwelvePixelsInSolidPixels) {
  EXPECT_LT(GreyShare(Font("宋体", 12.0f), u"播放地址 把曲目播放页的地址"), 0.05);
  EXPECT_GT(GreyShare(Font(kFamily, 12.0f), u"播放地址 把曲目播放页的地址"), 0.3);
}

TEST_F(Text, FontHeightIsALineOfTwelvePixelText) {
  EXPECT_GT(font_.Height(), 12.0f);
  EXPECT_LT(font_.Height(), 20.0f);
}

TEST_F(Text, DoubleAmpersandDrawsOneAmpersandWithoutUnderline) {
  EXPECT_TRUE(testing::SamePixels(Render(u"解析&&下载", HotkeyPrefix::Show), Render(u"解析&下载", HotkeyPrefix::None)));
  EXPECT_TRUE(testing::CountPainted(Render(u"解析&&下载", HotkeyPrefix::Show)) > 0);
}

TEST_F(Text, SingleAmpersandUnderlinesTheNextCharacter) {
  const Bitmap shown = Render(u"&Yes", HotkeyPrefix::Show);
  const Bitmap plain = Render(u"Yes", HotkeyPrefix::None);
  EXPECT_FALSE(testing::SamePixels(shown, plain));
  // The extra ink is a horizontal stroke under the first letter only.
  int extra = 0, right_of_y = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 120; ++x)
      if (testing::Alpha(shown, x, y) > testing::Alpha(plain, x, y) + 60) {
        ++extra;
        right_of_y += x > 12;
      }
  EXPECT_GT(extra, 3);
  EXPECT_EQ(right_of_y, 0);
  EXPECT_TRUE(testing::SamePixels(Render(u"&Yes", HotkeyPrefix::Hide), plain));
  EXPECT_FALSE(testing::SamePixels(Render(u"Y&es", HotkeyPrefix::None), plain));  // prefix off: "&" is drawn
}

TEST_F(Text, CharacterRangesGrowLeftToRightAndMatchTheWholeWidth) {
  const std::u16string text = u"ab解析cd下载";
  StringFormat f;
  f.flags = format_flags::kNoWrap;
  std::vector<CharacterRange> ranges;
  for (int i = 0; i < static_cast<int>(text.size()); ++i) ranges.push_back({i, 1});
  const auto boxes = g_.MeasureCharacterRanges(text, font_, {10, 5, 0, 0}, f, ranges);
  ASSERT_EQ(boxes.size(), text.size());
  for (size_t i = 1; i < boxes.size(); ++i) {
    EXPECT_GT(boxes[i].x, boxes[i - 1].x) << i;
    EXPECT_NEAR(boxes[i].x, boxes[i - 1].Right(), 0.5) << i;
  }
  EXPECT_GT(boxes[2].width, boxes[0].width);  // a Han character is wider than a Latin one
  const RectF whole = g_.MeasureString(text, font_, {10, 5, 0, 0}, f);
  EXPECT_NEAR(boxes.front().x, whole.x, 0.5);
  EXPECT_NEAR(boxes.back().Right(), whole.Right(), 0.5);
  const CharacterRange all{0, static_cast<int>(text.size())};
  EXPECT_NEAR(g_.MeasureCharacterRanges(text, font_, {10, 5, 0, 0}, f, {&all, 1})[0].width, whole.width, 0.5);
  const CharacterRange none{3, 0};
  EXPECT_TRUE(g_.MeasureCharacterRanges(text, font_, {}, f, {&none, 1})[0].IsEmpty());
}

TEST_F(Text, WrappedTextHasOneRowPerLine) {
  const std::u16string text = u"这是一段会在窄的布局矩形里折成几行的文字 with some words";
  StringFormat wrap;
  const auto rows = g_.MeasureLines(text, font_, {0, 0, 80, 0}, wrap);
  ASSERT_GT(rows.size(), 2u);
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_LE(rows[i].width, 80.5f);
    if (i) {
      EXPECT_NEAR(rows[i].y, rows[i - 1].Bottom(), 0.5);
    }
  }
  StringFormat no_wrap;
  no_wrap.flags = format_flags::kNoWrap;
  EXPECT_EQ(g_.MeasureLines(text, font_, {0, 0, 80, 0}, no_wrap).size(), 1u);
  StringFormat limited;
  limited.flags = format_flags::kLineLimit;
  const float two_lines = rows[1].Bottom() + 1;
  EXPECT_EQ(g_.MeasureLines(text, font_, {0, 0, 80, two_lines}, limited).size(), 2u);
  EXPECT_EQ(g_.MeasureLines(text, font_, {0, 0, 80, two_lines}, wrap).size(), rows.size());
  // A range over three rows: from its first character to the row's end, the
  // whole middle row, and the last row up to its last character.
  const int first = 3, count = static_cast<int>(text.size()) - 4;
  const auto covered = g_.MeasureRangeRows(text, font_, {0, 0, 80, 0}, wrap, {first, count});
  ASSERT_EQ(covered.size(), rows.size());
  const CharacterRange ends[] = {{first, 1}, {first + count - 1, 1}};
  const auto boxes = g_.MeasureCharacterRanges(text, font_, {0, 0, 80, 0}, wrap, ends);
  EXPECT_NEAR(covered.front().x, boxes[0].x, 0.01);
  EXPECT_NEAR(covered.front().Right(), rows.front().Right(), 0.5);
  EXPECT_NEAR(covered[1].x, rows[1].x, 0.01);
  EXPECT_NEAR(covered[1].width, rows[1].width, 0.5);
  EXPECT_NEAR(covered.back().Right(), boxes[1].Right(), 0.01);
}

// A line far wider than the clip is drawn by its visible glyphs alone: what
// shows through the clip is what the whole line draws there, wherever it is.
TEST_F(Text, ALongLineShowsThroughANarrowClipAsDrawnWhole) {
  std::u16string text;
  for (int i = 0; i < 100; ++i) text += u"ab解析 cd下载ffi";
  StringFormat f;
  f.flags = format_flags::kNoWrap;
  const int width = static_cast<int>(g_.MeasureString(text, font_, {}, f).width) + 20;
  Bitmap whole(width, 24);
  Graphics(whole).DrawString(text, font_, {4, 2, 0, 0}, f, 0xFF000000);
  for (int left : {0, 1234, width - 70}) {
    Bitmap cut(width, 24);
    Graphics g(cut);
    g.SetClip(RectF{static_cast<float>(left), 0, 60, 24});
    g.DrawString(text, font_, {4, 2, 0, 0}, f, 0xFF000000);
    for (int y = 0; y < 24; ++y)
      for (int x = 0; x < width; ++x) {
        const bool inside = x >= left && x < left + 60;
        ASSERT_EQ(cut.GetPixel(x, y), inside ? whole.GetPixel(x, y) : 0u) << x << ", " << y << " clip at " << left;
      }
  }
}

TEST_F(Text, TrailingSpacesCountOnlyWhenAskedFor) {
  StringFormat f;
  const float bare = g_.MeasureString(u"abc", font_, {}, f).width;
  EXPECT_NEAR(g_.MeasureString(u"abc   ", font_, {}, f).width, bare, 0.01);
  f.flags = format_flags::kMeasureTrailingSpaces;
  EXPECT_GT(g_.MeasureString(u"abc   ", font_, {}, f).width, bare + 5);
}

TEST_F(Text, AlignmentPlacesTheTextInItsRectangle) {
  StringFormat f;
  f.flags = format_flags::kNoWrap;
  f.alignment = StringAlignment::Center;
  f.line_alignment = StringAlignment::Center;
  const RectF box{20, 10, 160, 40};
  const RectF r = g_.MeasureString(u"居中 centred", font_, box, f);
  EXPECT_NEAR(r.x - box.x, box.Right() - r.Right(), 1.0);
  EXPECT_NEAR(r.y - box.y, box.Bottom() - r.Bottom(), 1.0);
  f.alignment = StringAlignment::Far;
  EXPECT_NEAR(g_.MeasureString(u"right", font_, box, f).Right(), box.Right(), 1.0);
}

TEST_F(Text, TabStopsPlaceTheTextAfterATab) {
  StringFormat f;
  f.tab_stops = {60};
  const CharacterRange b{2, 1};
  const RectF at = g_.MeasureCharacterRanges(u"a\tb", font_, {0, 0, 0, 0}, f, {&b, 1})[0];
  EXPECT_NEAR(at.x, 60, 1.0);
}

TEST_F(Text, NoFontFallbackStillDrawsChineseAndTextIsClippedToItsRectangle) {
  StringFormat f;
  f.flags = format_flags::kNoFontFallback | format_flags::kNoWrap;
  Font latin("DejaVu Sans", 12.0f);
  g_.DrawString(u"解析下载", latin, {0, 0, 200, 30}, f, 0xFF000000);
  EXPECT_GT(testing::CountPainted(canvas_), 40);

  Bitmap clipped(100, 30);
  Graphics g(clipped);
  g.DrawString(u"一二三四五六七八九十", font_, {0, 0, 30, 30}, f, 0xFF000000);
  for (int y = 0; y < 30; ++y)
    for (int x = 30; x < 100; ++x) ASSERT_EQ(testing::Alpha(clipped, x, y), 0u);
  f.flags |= format_flags::kNoClip;
  g.DrawString(u"一二三四五六七八九十", font_, {0, 0, 30, 30}, f, 0xFF000000);
  int beyond = 0;
  for (int x = 30; x < 100; ++x) beyond += testing::Alpha(clipped, x, 8) > 0;
  EXPECT_GT(beyond, 0);
}

// Some glyphs of the sharp face's bitmap strikes draw past the extents their
// font reports; a clip through the text must still cut them exactly where it
// runs, and leave the text inside it as an unclipped drawing has it.
TEST_F(Text, AClipThroughTheTextCutsItExactly) {
  const Font song("宋体", 12.0f);
  StringFormat f;
  f.flags = format_flags::kNoClip | format_flags::kLineLimit;
  const std::u16string text = u"\uff46f\uff4a\uff47g \u89e3\u6790 \uff59";
  for (int top = 150; top < 175; ++top) {
    Bitmap whole(120, 175), cut(120, 175);
    Graphics(whole).DrawString(text, song, {2, static_cast<float>(top), 116, 0}, f, 0xE6000000);
    Graphics g(cut);
    const RectI clip{6, 9, 100, 164};
    g.SetClip(RectF{6, 9, 100, 164});
    g.DrawString(text, song, {2, static_cast<float>(top), 116, 0}, f, 0xE6000000);
    for (int y = 0; y < 175; ++y)
      for (int x = 0; x < 120; ++x) {
        const bool inside = x >= clip.x && x < clip.Right() && y >= clip.y && y < clip.Bottom();
        ASSERT_EQ(cut.GetPixel(x, y), inside ? whole.GetPixel(x, y) : 0u) << x << ", " << y << " top " << top;
      }
  }
}

}  // namespace
}  // namespace gfx
