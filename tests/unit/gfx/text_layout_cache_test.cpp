#include <gtest/gtest.h>

#include <string>

#include "platform/gfx/font.h"
#include "platform/gfx/graphics.h"
#include "platform/gfx/text_layout_cache.h"

namespace gfx {
namespace {

// Layouts are kept by the text they hold, not only by their number: a huge
// text is laid out for its use and let go, and many big ones push the oldest out.
TEST(TextLayoutCache, HoldsABoundedAmountOfText) {
  const Font font("WenQuanYi Zen Hei", 12.0f);
  Bitmap canvas(200, 60);
  Graphics g(canvas);
  using detail::TextLayoutCache;
  TextLayoutCache& cache = TextLayoutCache::ForThisThread();
  StringFormat f;
  f.flags = format_flags::kNoWrap;
  const std::u16string huge(TextLayoutCache::kKeptUnits + 1, u'w');
  const size_t before = cache.held_units();
  EXPECT_GT(g.MeasureString(huge, font, {}, f).width, 0);
  EXPECT_EQ(cache.held_units(), before);
  for (char16_t c = u'a'; c < u'a' + 20; ++c)
    g.MeasureString(std::u16string(TextLayoutCache::kKeptUnits / 2, c), font, {}, f);
  EXPECT_LE(cache.held_units(), TextLayoutCache::kHeldUnits);
  EXPECT_GE(cache.held_units(), TextLayoutCache::kHeldUnits / 2);
  EXPECT_LE(cache.held_layouts(), TextLayoutCache::kEntries);
}

}  // namespace
}  // namespace gfx
