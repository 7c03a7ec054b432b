// The caption-button strip: for each button a normal, hot and pressed face,
// at the x positions the caption buttons read them from (faces at y = 2).
#include <cmath>
#include <functional>

#include "canvas.h"

namespace assets_draw {

namespace {

using Glyph = std::function<void(cairo_t*, double cx, double cy)>;

void Close(cairo_t* cr, double cx, double cy) {
  cairo_move_to(cr, cx - 4, cy - 4);
  cairo_line_to(cr, cx + 4, cy + 4);
  cairo_move_to(cr, cx + 4, cy - 4);
  cairo_line_to(cr, cx - 4, cy + 4);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
}

void Maximise(cairo_t* cr, double cx, double cy) {
  cairo_rectangle(cr, cx - 4.5, cy - 4, 9, 8);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  cairo_rectangle(cr, cx - 4.5, cy - 4.6, 9, 2);
  cairo_fill(cr);
}

void Restore(cairo_t* cr, double cx, double cy) {
  cairo_set_line_width(cr, 1.1);
  cairo_move_to(cr, cx - 2, cy - 3.5);
  cairo_line_to(cr, cx - 2, cy - 5.5);
  cairo_line_to(cr, cx + 5, cy - 5.5);
  cairo_line_to(cr, cx + 5, cy + 0.5);
  cairo_line_to(cr, cx + 3, cy + 0.5);
  cairo_stroke(cr);
  cairo_rectangle(cr, cx - 5, cy - 2.5, 7.5, 7);
  cairo_stroke(cr);
  cairo_rectangle(cr, cx - 5, cy - 3, 7.5, 1.8);
  cairo_fill(cr);
}

void Minimise(cairo_t* cr, double cx, double cy) {
  cairo_rectangle(cr, cx - 4.5, cy + 2, 9, 2);
  cairo_fill(cr);
}

void Menu(cairo_t* cr, double cx, double cy) {
  cairo_move_to(cr, cx - 4.5, cy - 2);
  cairo_line_to(cr, cx + 4.5, cy - 2);
  cairo_line_to(cr, cx, cy + 3);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void Gear(cairo_t* cr, double cx, double cy) {
  for (int i = 0; i < 8; ++i) {
    const double a = i * M_PI / 4;
    cairo_move_to(cr, cx + 3.2 * std::cos(a), cy + 3.2 * std::sin(a));
    cairo_line_to(cr, cx + 5.4 * std::cos(a), cy + 5.4 * std::sin(a));
  }
  cairo_set_line_width(cr, 1.7);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, 3.4, 0, 2 * M_PI);
  cairo_set_line_width(cr, 1.6);
  cairo_stroke(cr);
}

void Mail(cairo_t* cr, double cx, double cy) {
  cairo_set_line_width(cr, 1.1);
  cairo_rectangle(cr, cx - 5.5, cy - 3.5, 11, 8);
  cairo_stroke(cr);
  cairo_move_to(cr, cx - 5.5, cy - 3.5);
  cairo_line_to(cr, cx, cy + 1);
  cairo_line_to(cr, cx + 5.5, cy - 3.5);
  cairo_stroke(cr);
}

void Star(cairo_t* cr, double cx, double cy) {
  for (int i = 0; i < 10; ++i) {
    const double a = -M_PI / 2 + i * M_PI / 5, r = i % 2 ? 2.4 : 5.6;
    i ? cairo_line_to(cr, cx + r * std::cos(a), cy + 0.5 + r * std::sin(a))
      : cairo_move_to(cr, cx + r * std::cos(a), cy + 0.5 + r * std::sin(a));
  }
  cairo_close_path(cr);
  cairo_fill(cr);
}

// state 0 normal, 1 hot, 2 pressed. Faces use rows 2..19 of the strip.
void Face(cairo_t* cr, double x, double w, int state, bool danger, const Glyph& glyph) {
  const double y = 2, h = 18;
  if (state > 0) {
    RoundedRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, 3);
    if (danger)
      SetRgba(cr, state == 1 ? 0xE5484D : 0xB3262B, 0.95);
    else
      SetRgba(cr, 0xFFFFFF, state == 1 ? 0.28 : 0.14);
    cairo_fill_preserve(cr);
    SetRgba(cr, state == 2 ? 0x000000 : 0xFFFFFF, state == 2 ? 0.25 : 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
  }
  const double cx = x + w / 2, cy = y + h / 2 + (state == 2 ? 0.5 : 0);
  cairo_save(cr);  // a soft shadow keeps the glyph readable on light backgrounds
  cairo_translate(cr, 0, 1);
  SetRgba(cr, 0x000000, 0.35);
  glyph(cr, cx, cy);
  cairo_restore(cr);
  SetRgba(cr, 0xFFFFFF, 1);
  glyph(cr, cx, cy);
}

void DrawCaptionButtonStrip(const std::string& dir, int scale) {
  Canvas c(729, 20, scale);
  struct Button {
    double normal_x, width;
    bool danger;
    Glyph glyph;
  };
  const Button buttons[] = {
      {0, 39, true, Close},   {120, 28, false, Maximise}, {207, 28, false, Restore}, {294, 28, false, Minimise},
      {381, 28, false, Menu}, {468, 28, false, Gear},     {555, 28, false, Mail},    {642, 28, false, Star},
  };
  for (const Button& b : buttons)
    for (int state = 0; state < 3; ++state) {
      const double x = b.normal_x + state * (b.width + 1);
      cairo_save(c.cr());
      cairo_rectangle(c.cr(), x, 0, b.width, 20);
      cairo_clip(c.cr());
      Face(c.cr(), x, b.width, state, b.danger, b.glyph);
      cairo_restore(c.cr());
    }
  c.SavePng(ScaledFile(dir, "caption_buttons", scale, "png"));
}

}  // namespace

void DrawCaptionButtons(const std::string& dir) {
  for (int scale : kScales) DrawCaptionButtonStrip(dir, scale);
}

}  // namespace assets_draw
