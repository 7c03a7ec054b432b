#pragma once
// Paths handed to Cairo: for the drawing code inside platform/gfx only, so that
// Cairo stays out of the headers the framework includes.
#include <cairo.h>

#include "platform/gfx/path.h"

namespace gfx {

// Appends the path to the context's current path (offset by dx, dy).
void ReplayPath(cairo_t* cr, const Path& path, double dx = 0, double dy = 0);

}  // namespace gfx
