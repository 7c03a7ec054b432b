// The main window's texts read on its background picture. The application's
// colours are fixed (black captions at alpha 254, the track name red
// 0xFEFF0000); the picture is ours. Contrast is WCAG's ratio between the text
// colour composed over each background pixel and that pixel, measured on the
// host's composed background over the rectangles where the texts sit. The
// plain picture is the strictest background: the edit boxes' and buttons'
// faces only lighten it. It holds at every screen scale, where the picture is
// drawn from its own pixels at another resolution.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/gui/main_window_look.h"
#include "controls_fixture.h"
#include "razezazo/drawing/color.h"

namespace controls_test {
namespace {

double Linear(unsigned channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double Luminance(gfx::Argb c) {
  return 0.2126 * Linear(gfx::RedOf(c)) + 0.7152 * Linear(gfx::GreenOf(c)) + 0.0722 * Linear(gfx::BlueOf(c));
}

double ContrastRatio(gfx::Argb a, gfx::Argb b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A straight-alpha colour over an opaque one.
gfx::Argb Over(gfx::Argb top, gfx::Argb below) {
  const unsigned a = gfx::AlphaOf(top);
  auto mix = [a](unsigned t, unsigned b) { return static_cast<std::uint8_t>((t * a + b * (255 - a) + 127) / 255); };
  return gfx::MakeArgb(255, mix(gfx::RedOf(top), gfx::RedOf(below)), mix(gfx::GreenOf(top), gfx::GreenOf(below)),
                       mix(gfx::BlueOf(top), gfx::BlueOf(below)));
}

class MainWindowContrast : public HostFixture, public ::testing::WithParamInterface<float> {
 protected:
  // The main window and its host as brivo makes them.
  void SetUp() override {
    testing_support::HostFixture::Start(app::gui::MainHostOptions(), app::gui::MainWindowOptions(), GetParam());
  }

  // The lowest contrast of a text of this colour over the background inside
  // the rectangle (x, y, width, height in window pixels), device pixel by
  // device pixel.
  double WorstContrast(gfx::Argb text, int x0, int y0, int w, int h) {
    const gfx::Bitmap& background = host_->background_picture();
    const gfx::RectI area = background.DeviceArea({x0, y0, w, h});
    double worst = 100;
    for (int y = area.y; y < area.Bottom(); ++y)
      for (int x = area.x; x < area.Right(); ++x) {
        const gfx::Argb below = background.DevicePixel(x, y);
        worst = std::min(worst, ContrastRatio(Over(text, below), below));
      }
    return worst;
  }
};

INSTANTIATE_TEST_SUITE_P(Scales, MainWindowContrast, ::testing::Values(1.0f, 1.5f, 2.0f));

TEST_P(MainWindowContrast, EveryTextReadsOnTheBackground) {
  const gfx::Argb black = razezazo::ToArgb(0, 254), red = razezazo::ToArgb(255);
  // Group box captions: "播放地址" and "解析结果", 8 pixels into boxes at x 20.
  EXPECT_GE(WorstContrast(black, 28, 42, 64, 16), 4.5);
  EXPECT_GE(WorstContrast(black, 28, 102, 64, 16), 4.5);
  // The address box's black text, the result box's red track name.
  EXPECT_GE(WorstContrast(razezazo::Color{0xE6000000}, 30, 60, 240, 20), 4.5);
  EXPECT_GE(WorstContrast(red, 30, 120, 320, 60), 3.0);
  // The two buttons' captions (black at alpha 210 by default).
  EXPECT_GE(WorstContrast(razezazo::Color{0xD2000000}, 280, 58, 70, 25), 4.5);
  EXPECT_GE(WorstContrast(razezazo::Color{0xD2000000}, 20, 205, 340, 40), 4.5);
  // The white caption title on the dark band at the top.
  EXPECT_GE(WorstContrast(razezazo::Color{0xFFFFFFFF}, 28, 10, 220, 16), 4.5);
}

}  // namespace
}  // namespace controls_test
