#pragma once
// A Cairo image surface to draw one built-in image on, and its writers. A
// canvas at scale 2 holds twice the pixels each way and is drawn on in the
// same coordinates: the picture for screens at 200 %.
#include <cairo.h>

#include <memory>
#include <string>

namespace assets_draw {

class Canvas {
 public:
  Canvas(int width, int height, int scale = 1);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  int width() const { return width_; }
  int height() const { return height_; }

  bool SavePng(const std::string& path) const;
  // Progressive JPEG (the alpha channel is dropped: the picture is opaque).
  bool SaveProgressiveJpeg(const std::string& path, int quality) const;

 private:
  int width_, height_;  // in the coordinates drawn with
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// The scales each picture is drawn at, and a picture's file for one of them:
// name.ext at 1, name@2x.ext at 2.
inline constexpr int kScales[] = {1, 2};
std::string ScaledFile(const std::string& dir, const std::string& name, int scale, const std::string& ext);

// Drawing helpers shared by the images.
void SetRgba(cairo_t* cr, unsigned rgb, double alpha = 1.0);
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Fills the rectangle with a vertical gradient from `top` to `bottom` (RGB).
void LinearFill(cairo_t* cr, double x, double y, double w, double h, unsigned top, unsigned bottom);

void DrawBackground(const std::string& dir);
void DrawCaptionButtons(const std::string& dir);
void DrawPushButtonSkin(const std::string& dir);
void DrawMessageBoxSkin(const std::string& dir);
void DrawMessageBoxIcons(const std::string& dir);
void DrawProgramIcons(const std::string& dir);

}  // namespace assets_draw
