#include "canvas.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

namespace assets_draw {

Canvas::Canvas(int width, int height, int scale)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width * scale, height * scale)),
      cr_(nullptr) {
  cairo_surface_set_device_scale(surface_, scale, scale);
  cr_ = cairo_create(surface_);
  cairo_set_antialias(cr_, CAIRO_ANTIALIAS_BEST);
}

std::string ScaledFile(const std::string& dir, const std::string& name, int scale, const std::string& ext) {
  return dir + "/" + name + (scale == 1 ? "" : "@" + std::to_string(scale) + "x") + "." + ext;
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

bool Canvas::SavePng(const std::string& path) const {
  cairo_surface_flush(surface_);
  return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

bool Canvas::SaveProgressiveJpeg(const std::string& path, int quality) const {
  cairo_surface_flush(surface_);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  const int width = cairo_image_surface_get_width(surface_);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(cairo_image_surface_get_height(surface_));
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_simple_progression(&info);
  info.optimize_coding = TRUE;
  jpeg_start_compress(&info, TRUE);
  const unsigned char* data = cairo_image_surface_get_data(surface_);
  const int stride = cairo_image_surface_get_stride(surface_);
  std::vector<JSAMPLE> row(static_cast<size_t>(width) * 3);
  while (info.next_scanline < info.image_height) {
    const auto* px = reinterpret_cast<const std::uint32_t*>(data + info.next_scanline * stride);
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<JSAMPLE>((px[x] >> 16) & 0xFF);
      row[3 * x + 1] = static_cast<JSAMPLE>((px[x] >> 8) & 0xFF);
      row[3 * x + 2] = static_cast<JSAMPLE>(px[x] & 0xFF);
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(file) == 0;
}

void SetRgba(cairo_t* cr, unsigned rgb, double alpha) {
  cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha);
}

void LinearFill(cairo_t* cr, double x, double y, double w, double h, unsigned top, unsigned bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + h);
  auto stop = [p](double at, unsigned rgb) {
    cairo_pattern_add_color_stop_rgb(p, at, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                                     (rgb & 0xFF) / 255.0);
  };
  stop(0, top);
  stop(1, bottom);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, x, y, w, h);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

}  // namespace assets_draw
