#pragma once
// The controls' host window: light grey, titled, at (100, 80) of the screen.
#include <gtest/gtest.h>

#include <optional>

#include "runtime/gbk.h"
#include "tests/ui/host_fixture.h"

namespace controls_test {

class HostFixture : public testing_support::HostFixture {
 protected:
  void SetUp() override { Start({.background_colour = 0xF0F0F0, .caption_flags = 0}); }

  // Replaces the fixture's window and host by new ones made with `options`,
  // on a screen of `scale` if given (else BRIVO_SCALE's or 1).
  void Start(const razezazo::HostOptions& options, std::optional<float> scale = std::nullopt) {
    testing_support::HostFixture::Start(
        options, {.title = runtime::Gbk("控件"), .x = 100, .y = 80, .width = kWidth, .height = kHeight}, scale);
  }
};

// Colour parts of a straight ARGB pixel.
inline unsigned A(gfx::Argb p) { return gfx::AlphaOf(p); }
inline unsigned R(gfx::Argb p) { return gfx::RedOf(p); }
inline unsigned G(gfx::Argb p) { return gfx::GreenOf(p); }
inline unsigned B(gfx::Argb p) { return gfx::BlueOf(p); }

// True when the two bitmaps hold the same pixels inside `area`.
inline bool SamePixels(const gfx::Bitmap& a, const gfx::Bitmap& b, const gfx::RectI& area) {
  for (int y = area.y; y < area.Bottom(); ++y)
    for (int x = area.x; x < area.Right(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
  return true;
}

inline bool SamePixels(const gfx::Bitmap& a, const gfx::Bitmap& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() && SamePixels(a, b, {0, 0, a.Width(), a.Height()});
}

}  // namespace controls_test
