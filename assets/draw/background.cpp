// The main window's background: a calm night-blue field with a soft light,
// the rings of a record, a quiet waveform and an equaliser along the bottom.
#include <cmath>

#include "canvas.h"

namespace assets_draw {

namespace {

void Sky(cairo_t* cr, int w, int h) {
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, h);
  cairo_pattern_add_color_stop_rgb(sky, 0.0, 0x1B / 255.0, 0x27 / 255.0, 0x4A / 255.0);
  cairo_pattern_add_color_stop_rgb(sky, 0.55, 0x24 / 255.0, 0x45 / 255.0, 0x6B / 255.0);
  cairo_pattern_add_color_stop_rgb(sky, 1.0, 0x10 / 255.0, 0x2C / 255.0, 0x42 / 255.0);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);

  cairo_pattern_t* light = cairo_pattern_create_radial(w * 0.78, h * 0.18, 0, w * 0.78, h * 0.18, w * 0.62);
  cairo_pattern_add_color_stop_rgba(light, 0, 0x8F / 255.0, 0xCB / 255.0, 0xEA / 255.0, 0.38);
  cairo_pattern_add_color_stop_rgba(light, 1, 0x8F / 255.0, 0xCB / 255.0, 0xEA / 255.0, 0.0);
  cairo_set_source(cr, light);
  cairo_paint(cr);
  cairo_pattern_destroy(light);
}

void RecordRings(cairo_t* cr, int h) {
  const double cx = -30, cy = h + 30;
  for (int i = 0; i < 14; ++i) {
    const double r = 70 + i * 17;
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    SetRgba(cr, 0xFFFFFF, i % 3 == 0 ? 0.07 : 0.035);
    cairo_set_line_width(cr, i % 3 == 0 ? 1.4 : 0.8);
    cairo_stroke(cr);
  }
}

void Bokeh(cairo_t* cr, int w, int h) {
  // A fixed scatter (a small linear congruential sequence) keeps the picture
  // the same on every run.
  unsigned seed = 20151102;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return ((seed >> 16) & 0x7FFF) / 32767.0;
  };
  for (int i = 0; i < 26; ++i) {
    const double x = next() * w, y = next() * h * 0.7, r = 4 + next() * 16, a = 0.04 + next() * 0.09;
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.85, 0.95, 1.0, a);
    cairo_pattern_add_color_stop_rgba(p, 0.75, 0.85, 0.95, 1.0, a * 0.8);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.85, 0.95, 1.0, 0);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
}

void Waveform(cairo_t* cr, int w, int h) {
  for (int k = 0; k < 7; ++k) {
    const double base = h * 0.70 + k * 3.5, amp = 9 + 5 * std::sin(k * 0.9), phase = k * 0.55;
    cairo_move_to(cr, 0, base);
    for (int x = 0; x <= w; x += 2) {
      const double t = x / static_cast<double>(w);
      const double env = std::sin(M_PI * t);
      cairo_line_to(cr, x, base + amp * env * std::sin(t * 9.0 + phase) + 3 * std::sin(t * 23.0 + phase * 2));
    }
    SetRgba(cr, k % 2 ? 0x9FE3FF : 0xFFFFFF, 0.07 + 0.025 * (k % 3));
    cairo_set_line_width(cr, 1.1);
    cairo_stroke(cr);
  }
}

void Equaliser(cairo_t* cr, int w, int h) {
  const int bars = 38;
  const double gap = 3, bw = (w - gap * (bars + 1)) / bars;
  for (int i = 0; i < bars; ++i) {
    const double t = i / static_cast<double>(bars - 1);
    const double level = 0.25 + 0.45 * std::fabs(std::sin(t * 7.3 + 0.6)) * (0.6 + 0.4 * std::sin(t * 2.1));
    const double bh = level * 58, x = gap + i * (bw + gap), y = h - bh;
    cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, h);
    cairo_pattern_add_color_stop_rgba(p, 0, 0.62, 0.88, 1.0, 0.20);
    cairo_pattern_add_color_stop_rgba(p, 1, 0.62, 0.88, 1.0, 0.03);
    cairo_set_source(cr, p);
    RoundedRect(cr, x, y, bw, bh + 2, std::min(bw / 2, 2.0));
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
}

}  // namespace

void DrawBackground(const std::string& dir) {
  Canvas c(380, 338);
  Sky(c.cr(), c.width(), c.height());
  RecordRings(c.cr(), c.height());
  Bokeh(c.cr(), c.width(), c.height());
  Waveform(c.cr(), c.width(), c.height());
  Equaliser(c.cr(), c.width(), c.height());
  c.SaveProgressiveJpeg(dir + "/main_background.jpg", 90);
}

}  // namespace assets_draw
