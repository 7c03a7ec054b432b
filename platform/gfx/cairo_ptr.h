#pragma once
// Owning pointers for the Cairo, Pango, GLib and fontconfig objects used inside
// the drawing layer. Internal to platform/gfx.
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

#include "platform/free_with.h"

namespace gfx::detail {

using platform::FreeWith;
using platform::GObjectPtr;

using CairoPtr = std::unique_ptr<cairo_t, FreeWith<cairo_t, cairo_destroy>>;
using SurfacePtr = std::unique_ptr<cairo_surface_t, FreeWith<cairo_surface_t, cairo_surface_destroy>>;
using PatternPtr = std::unique_ptr<cairo_pattern_t, FreeWith<cairo_pattern_t, cairo_pattern_destroy>>;
using RegionPtr = std::unique_ptr<cairo_region_t, FreeWith<cairo_region_t, cairo_region_destroy>>;
using PathPtr = std::unique_ptr<cairo_path_t, FreeWith<cairo_path_t, cairo_path_destroy>>;
using FontOptionsPtr =
    std::unique_ptr<cairo_font_options_t, FreeWith<cairo_font_options_t, cairo_font_options_destroy>>;

using FontDescriptionPtr =
    std::unique_ptr<PangoFontDescription, FreeWith<PangoFontDescription, pango_font_description_free>>;
using AttrListPtr = std::unique_ptr<PangoAttrList, FreeWith<PangoAttrList, pango_attr_list_unref>>;
using TabArrayPtr = std::unique_ptr<PangoTabArray, FreeWith<PangoTabArray, pango_tab_array_free>>;
using FontMetricsPtr = std::unique_ptr<PangoFontMetrics, FreeWith<PangoFontMetrics, pango_font_metrics_unref>>;

using FcPatternPtr = std::unique_ptr<FcPattern, FreeWith<FcPattern, FcPatternDestroy>>;
using FcObjectSetPtr = std::unique_ptr<FcObjectSet, FreeWith<FcObjectSet, FcObjectSetDestroy>>;
using FcFontSetPtr = std::unique_ptr<FcFontSet, FreeWith<FcFontSet, FcFontSetDestroy>>;

inline void FreeGlib(gpointer p) { g_free(p); }
using GCharPtr = std::unique_ptr<gchar, FreeWith<gchar, FreeGlib>>;

}  // namespace gfx::detail
