// The push-button skin (four 13 x 28 cells, nine-grid margins 5, 5, 5, 8) and
// the message-box skin (a 2-pixel-wide column stretched across the box).
#include "canvas.h"

namespace assets_draw {

namespace {

struct ButtonLook {
  unsigned top, bottom, border;
  double gloss, shadow;
};

void ButtonCell(cairo_t* cr, double x, const ButtonLook& look) {
  // Drop shadow below the face, inside the 8-pixel bottom margin.
  RoundedRect(cr, x + 0.5, 2.0, 12, 24.5, 3.5);
  SetRgba(cr, 0x000000, look.shadow);
  cairo_fill(cr);

  cairo_pattern_t* face = cairo_pattern_create_linear(0, 0.5, 0, 24.5);
  auto stop = [face](double at, unsigned rgb) {
    cairo_pattern_add_color_stop_rgb(face, at, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                                     (rgb & 0xFF) / 255.0);
  };
  stop(0, look.top);
  stop(1, look.bottom);
  RoundedRect(cr, x + 0.5, 0.5, 12, 24, 3);
  cairo_set_source(cr, face);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(face);
  SetRgba(cr, look.border);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);

  if (look.gloss > 0) {  // a light upper half and a bright inner rim
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 1, 0, 12);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 1, 1, look.gloss);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 1, 1, look.gloss * 0.25);
    RoundedRect(cr, x + 1.5, 1.5, 10, 11, 2);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    RoundedRect(cr, x + 1.5, 1.5, 10, 22, 2);
    SetRgba(cr, 0xFFFFFF, 0.45);
    cairo_stroke(cr);
  }
}

}  // namespace

void DrawPushButtonSkin(const std::string& dir) {
  const ButtonLook looks[] = {
      {0xF7F9FB, 0xDCE2E9, 0x8C98A5, 0.55, 0.16},  // normal
      {0xF2F9FF, 0xC8E2FA, 0x3C8DD5, 0.60, 0.20},  // hot
      {0xBCD5EE, 0xDFECF9, 0x2D6BA3, 0.00, 0.08},  // pressed
      {0xF0F0F0, 0xE4E4E4, 0xB8B8B8, 0.30, 0.06},  // spare cell
  };
  for (int scale : kScales) {
    Canvas c(55, 28, scale);
    for (int i = 0; i < 4; ++i) ButtonCell(c.cr(), i * 14, looks[i]);
    c.SavePng(ScaledFile(dir, "push_button_skin", scale, "png"));
  }
}

// One scale only: two columns of horizontal bands, stretched sideways and
// smooth downwards, look the same from any picture.
void DrawMessageBoxSkin(const std::string& dir) {
  Canvas c(2, 160);
  cairo_t* cr = c.cr();
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
  // Rows 0..23 (window rows 7..30): a deep blue caption band behind the white
  // title and caption buttons, as on the main window, closed by an accent
  // line; then rows 24..95 fade into the white message area.
  LinearFill(cr, 0, 0, 2, 22, 0x1C3454, 0x24476E);
  LinearFill(cr, 0, 22, 2, 2, 0x3A9BE0, 0x3A9BE0);
  LinearFill(cr, 0, 24, 2, 36, 0xE4ECF5, 0xFFFFFF);
  LinearFill(cr, 0, 60, 2, 69, 0xFFFFFF, 0xFFFFFF);
  // Rows 129..159: the button bar with its separator.
  LinearFill(cr, 0, 129, 2, 1, 0xDCE2E9, 0xDCE2E9);
  LinearFill(cr, 0, 130, 2, 30, 0xF3F5F8, 0xE8ECF1);
  c.SavePng(dir + "/message_box_skin.png");
}

}  // namespace assets_draw
