// The main window's background: a deep blue title band with a quiet waveform,
// over a light field where the controls sit, with the rings of a record and a
// pale, low equaliser along the bottom.
//
// The host draws the picture from window pixel (5, 5). The band covers window
// rows 5..29, behind the white caption title and buttons; from window row 30
// down the field stays light enough for black captions and red text (the
// window's texts are black at alpha 254 and red 0xFEFF0000).
#include <algorithm>
#include <cmath>

#include "canvas.h"

namespace assets_draw {

namespace {

constexpr double kBandHeight = 25;     // picture rows; window rows 5..29
constexpr double kEqualiserTop = 262;  // below the lowest control (window row 245)

void LightField(cairo_t* cr, int w, int h) {
  LinearFill(cr, 0, kBandHeight, w, h - kBandHeight, 0xF8FAFD, 0xE6EEF6);
  // A soft glow from the upper right gives the field some depth.
  cairo_pattern_t* glow = cairo_pattern_create_radial(w * 0.85, h * 0.25, 0, w * 0.85, h * 0.25, w * 0.7);
  cairo_pattern_add_color_stop_rgba(glow, 0, 1, 1, 1, 0.55);
  cairo_pattern_add_color_stop_rgba(glow, 1, 1, 1, 1, 0);
  cairo_set_source(cr, glow);
  cairo_rectangle(cr, 0, kBandHeight, w, h - kBandHeight);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
}

// The rings of a record rising from the lower left corner, faint.
void RecordRings(cairo_t* cr, int h) {
  cairo_save(cr);
  cairo_rectangle(cr, 0, kBandHeight + 4, 380, h);
  cairo_clip(cr);
  const double cx = -40, cy = h + 40;
  for (int i = 0; i < 12; ++i) {
    cairo_arc(cr, cx, cy, 80 + i * 16, 0, 2 * M_PI);
    SetRgba(cr, 0x6F8FB0, i % 3 == 0 ? 0.10 : 0.05);
    cairo_set_line_width(cr, i % 3 == 0 ? 1.2 : 0.8);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void TitleBand(cairo_t* cr, int w) {
  LinearFill(cr, 0, 0, w, kBandHeight, 0x1C3454, 0x24476E);
  // A quiet waveform runs through the right half of the band.
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, w, kBandHeight - 2);
  cairo_clip(cr);
  for (int k = 0; k < 3; ++k) {
    const double base = 12 + k * 2.5, phase = k * 0.9;
    cairo_move_to(cr, w * 0.45, base);
    for (int x = static_cast<int>(w * 0.45); x <= w; x += 2) {
      const double t = (x - w * 0.45) / (w * 0.55);
      cairo_line_to(cr, x, base + 5 * std::sin(M_PI * t) * std::sin(t * 17.0 + phase));
    }
    SetRgba(cr, 0x9FD8FF, 0.16 + 0.04 * k);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  // An accent line closes the band, with a short shadow on the field below.
  LinearFill(cr, 0, kBandHeight - 2, w, 2, 0x3A9BE0, 0x2F86C8);
  cairo_pattern_t* shadow = cairo_pattern_create_linear(0, kBandHeight, 0, kBandHeight + 4);
  cairo_pattern_add_color_stop_rgba(shadow, 0, 0.1, 0.2, 0.3, 0.18);
  cairo_pattern_add_color_stop_rgba(shadow, 1, 0.1, 0.2, 0.3, 0);
  cairo_set_source(cr, shadow);
  cairo_rectangle(cr, 0, kBandHeight, w, 4);
  cairo_fill(cr);
  cairo_pattern_destroy(shadow);
}

// Pale bars along the bottom, below every control.
void Equaliser(cairo_t* cr, int w, int h) {
  const int bars = 38;
  const double gap = 3, bw = (w - gap * (bars + 1)) / bars, room = h - kEqualiserTop;
  for (int i = 0; i < bars; ++i) {
    const double t = i / static_cast<double>(bars - 1);
    const double level = 0.3 + 0.7 * std::fabs(std::sin(t * 7.3 + 0.6)) * (0.6 + 0.4 * std::sin(t * 2.1));
    const double bh = std::min(level, 1.0) * room, x = gap + i * (bw + gap), y = h - bh;
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, h);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.42, 0.64, 0.86, 0.28);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.42, 0.64, 0.86, 0.08);
    cairo_set_source(cr, p);
    RoundedRect(cr, x, y, bw, bh + 2, std::min(bw / 2, 2.0));
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
}

}  // namespace

void DrawBackground(const std::string& dir) {
  for (int scale : kScales) {
    Canvas c(380, 338, scale);
    LightField(c.cr(), c.width(), c.height());
    RecordRings(c.cr(), c.height());
    Equaliser(c.cr(), c.width(), c.height());
    TitleBand(c.cr(), c.width());
    c.SaveProgressiveJpeg(ScaledFile(dir, "main_background", scale, "jpg"), 90);
  }
}

}  // namespace assets_draw
