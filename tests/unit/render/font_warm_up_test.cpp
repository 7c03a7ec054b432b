#include "razezazo/drawing/font_warm_up.h"

#include <gtest/gtest.h>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/graphics.h"
#include "razezazo/drawing/font.h"

namespace razezazo {
namespace {

// The warm-up and the UI thread load the same fonts at the same time (this
// file runs first, before any other test has chosen the default font): both
// come through, and the text the UI thread draws meanwhile has its pixels.
TEST(FontWarmUp, RunsBesideTextDrawnOnTheUiThread) {
  int inked = 0;
  {
    const FontWarmUp warm_up;
    const FontHandle& font = DefaultFont();
    ASSERT_TRUE(font);
    EXPECT_GT(font->Height(), 0.0f);
    gfx::Bitmap canvas(120, 20);
    gfx::Graphics g(canvas);
    g.DrawString(u"晨岚 brivo", *font, {0, 0, 120, 20}, {}, 0xFF000000);
    for (int y = 0; y < canvas.Height(); ++y)
      for (int x = 0; x < canvas.Width(); ++x) inked += gfx::AlphaOf(canvas.GetPixel(x, y)) > 0;
  }
  EXPECT_GT(inked, 20);
}

}  // namespace
}  // namespace razezazo
