// The message-box icon strip (error, warning, question, information and a
// "done" tick, 40 x 40 each) and the program icon in four sizes (the desktop's
// icon theme and docks take 16 to 256 pixels), also packed into one icon file
// for the Windows programs.
#include <cmath>
#include <string>
#include <vector>

#include "canvas.h"
#include "ico_file.h"

namespace assets_draw {

namespace {

void Disc(cairo_t* cr, double cx, double cy, double r, unsigned light, unsigned dark) {
  cairo_arc(cr, cx, cy + 1.2, r, 0, 2 * M_PI);  // shadow
  SetRgba(cr, 0x000000, 0.18);
  cairo_fill(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, cy - r, 0, cy + r);
  cairo_pattern_add_color_stop_rgb(p, 0, ((light >> 16) & 0xFF) / 255.0, ((light >> 8) & 0xFF) / 255.0,
                                   (light & 0xFF) / 255.0);
  cairo_pattern_add_color_stop_rgb(p, 1, ((dark >> 16) & 0xFF) / 255.0, ((dark >> 8) & 0xFF) / 255.0,
                                   (dark & 0xFF) / 255.0);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  SetRgba(cr, dark, 1);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy - r * 0.45, r * 0.75, M_PI * 1.08, M_PI * 1.92);  // highlight
  cairo_close_path(cr);
  SetRgba(cr, 0xFFFFFF, 0.22);
  cairo_fill(cr);
}

void Stroke(cairo_t* cr, unsigned rgb, double width) {
  SetRgba(cr, rgb);
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke(cr);
}

void Dot(cairo_t* cr, double x, double y, double r, unsigned rgb) {
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  SetRgba(cr, rgb);
  cairo_fill(cr);
}

void Error(cairo_t* cr, double cx, double cy) {
  Disc(cr, cx, cy, 16, 0xF26B5F, 0xC0302B);
  cairo_move_to(cr, cx - 6, cy - 6);
  cairo_line_to(cr, cx + 6, cy + 6);
  cairo_move_to(cr, cx + 6, cy - 6);
  cairo_line_to(cr, cx - 6, cy + 6);
  Stroke(cr, 0xFFFFFF, 3.4);
}

void Warning(cairo_t* cr, double cx, double cy) {
  auto triangle = [&](double dy) {
    cairo_move_to(cr, cx, cy - 14 + dy);
    cairo_line_to(cr, cx + 16, cy + 13 + dy);
    cairo_line_to(cr, cx - 16, cy + 13 + dy);
    cairo_close_path(cr);
  };
  triangle(1.2);
  SetRgba(cr, 0x000000, 0.18);
  cairo_set_line_width(cr, 4);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
  triangle(0);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, cy - 14, 0, cy + 13);
  cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.85, 0.38);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.95, 0.62, 0.10);
  cairo_set_source(cr, p);
  cairo_set_line_width(cr, 4);
  cairo_stroke_preserve(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  cairo_move_to(cr, cx, cy - 6);
  cairo_line_to(cr, cx, cy + 4);
  Stroke(cr, 0x5A3C00, 3.4);
  Dot(cr, cx, cy + 9.5, 2.1, 0x5A3C00);
}

void Question(cairo_t* cr, double cx, double cy) {
  Disc(cr, cx, cy, 16, 0x62ACEE, 0x1F67B8);
  cairo_arc(cr, cx, cy - 4, 5, M_PI * 1.05, M_PI * 2.25);
  cairo_curve_to(cr, cx + 2, cy + 0.5, cx, cy + 1, cx, cy + 4);
  Stroke(cr, 0xFFFFFF, 3.2);
  Dot(cr, cx, cy + 9.5, 2.1, 0xFFFFFF);
}

void Information(cairo_t* cr, double cx, double cy) {
  Disc(cr, cx, cy, 16, 0x54BDEB, 0x1877B4);
  Dot(cr, cx, cy - 8, 2.3, 0xFFFFFF);
  cairo_move_to(cr, cx, cy - 2);
  cairo_line_to(cr, cx, cy + 9);
  Stroke(cr, 0xFFFFFF, 3.6);
}

void Done(cairo_t* cr, double cx, double cy) {
  Disc(cr, cx, cy, 16, 0x62D184, 0x28954A);
  cairo_move_to(cr, cx - 7, cy + 0.5);
  cairo_line_to(cr, cx - 2, cy + 5.5);
  cairo_line_to(cr, cx + 7.5, cy - 5);
  Stroke(cr, 0xFFFFFF, 3.4);
}

// A rounded tile with a white eighth note and, from 32 px up, a download arrow.
void ProgramIcon(const std::string& path, int size) {
  Canvas c(size, size);
  cairo_t* cr = c.cr();
  const double s = size / 48.0;
  cairo_scale(cr, s, s);
  RoundedRect(cr, 2, 2, 44, 44, 10);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 2, 0, 46);
  cairo_pattern_add_color_stop_rgb(p, 0, 0x3C / 255.0, 0xB4 / 255.0, 0xE6 / 255.0);
  cairo_pattern_add_color_stop_rgb(p, 1, 0x1D / 255.0, 0x4C / 255.0, 0x93 / 255.0);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  SetRgba(cr, 0x143A70, 0.8);
  cairo_set_line_width(cr, 1.2 / s);
  cairo_stroke(cr);

  const double nx = size >= 32 ? 19 : 22;  // the note moves to the middle when alone
  cairo_save(cr);
  cairo_translate(cr, nx - 3, 32);
  cairo_rotate(cr, -0.35);
  cairo_scale(cr, 1.35, 1);
  cairo_arc(cr, 0, 0, 5, 0, 2 * M_PI);
  cairo_restore(cr);
  SetRgba(cr, 0xFFFFFF);
  cairo_fill(cr);
  cairo_rectangle(cr, nx + 1.6, 11, 3.4, 21);
  cairo_fill(cr);
  cairo_move_to(cr, nx + 5, 11);
  cairo_curve_to(cr, nx + 9, 15, nx + 15, 16, nx + 12, 24);
  cairo_curve_to(cr, nx + 13, 19, nx + 9, 17.5, nx + 5, 17);
  cairo_close_path(cr);
  cairo_fill(cr);

  if (size >= 32) {
    cairo_move_to(cr, 36, 22);
    cairo_line_to(cr, 36, 36);
    cairo_move_to(cr, 31, 31);
    cairo_line_to(cr, 36, 36.5);
    cairo_line_to(cr, 41, 31);
    Stroke(cr, 0xFFFFFF, 3.2);
  }
  c.SavePng(path);
}

}  // namespace

void DrawMessageBoxIcons(const std::string& dir) {
  for (int scale : kScales) {
    Canvas c(200, 40, scale);
    Error(c.cr(), 20, 19.5);
    Warning(c.cr(), 60, 19.5);
    Question(c.cr(), 100, 19.5);
    Information(c.cr(), 140, 19.5);
    Done(c.cr(), 180, 19.5);
    c.SavePng(ScaledFile(dir, "message_box_icons", scale, "png"));
  }
}

void DrawProgramIcons(const std::string& dir) {
  std::vector<std::string> files;
  for (int size : {16, 32, 48, 256}) {
    files.push_back(dir + "/program_icon_" + std::to_string(size) + ".png");
    ProgramIcon(files.back(), size);
  }
  WriteIcoFromPngs(dir + "/program_icon.ico", files);
}

}  // namespace assets_draw
