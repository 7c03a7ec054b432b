#pragma once
// Rounded rectangles, fills, gradients, outlines and lines. Every brush, pen
// and path lives only for the call that makes it.
#include "platform/gfx/graphics.h"
#include "platform/gfx/path.h"
#include "razezazo/drawing/color.h"
#include "razezazo/drawing/float_rect.h"

namespace razezazo {

// Four d x d corner arcs; the path spans x .. x + w - 1 and y .. y + h - 1.
gfx::Path RoundRectPath(const FloatRect& rect, int d, gfx::FillMode mode = gfx::FillMode::Alternate);

void FillRoundRect(gfx::Graphics& g, const FloatRect& rect, int d, Color color);
void OutlineRoundRect(gfx::Graphics& g, const FloatRect& rect, int d, Color color,
                      gfx::DashStyle dash = gfx::DashStyle::Solid, float pen_width = 1.0f);
void FillPath(gfx::Graphics& g, const gfx::Path& path, Color color);
void OutlinePath(gfx::Graphics& g, const gfx::Path& path, Color color);

// Both fills leave the rectangle's last column and row unpainted.
void SolidFillRect(gfx::Graphics& g, const FloatRect& rect, Color color);
void GradientFillRect(gfx::Graphics& g, const FloatRect& rect, Color from, Color to,
                      gfx::GradientMode mode = gfx::GradientMode::Vertical);

void Line(gfx::Graphics& g, Color color, float x1, float y1, float x2, float y2, float pen_width = 1.0f);

}  // namespace razezazo
