#pragma once
// GDI+ for the drawing code on Windows: started once per process, and our
// values (colours, bitmaps, paths, regions, text) in its terms.
#include <windows.h>
// GDI+'s headers need the COM declarations that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>
#include <gdiplus.h>

#include <memory>
#include <string>
#include <string_view>

#include "platform/gfx/argb.h"
#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"
#include "platform/gfx/path.h"

namespace gfx::detail {

// Starts GDI+ for the process on first use; it stays up until the process ends.
void UseGdiplus();

inline Gdiplus::Color ToColor(Argb c) { return Gdiplus::Color(static_cast<Gdiplus::ARGB>(c)); }
inline Gdiplus::RectF ToRect(const RectF& r) { return {r.x, r.y, r.width, r.height}; }
inline RectF FromRect(const Gdiplus::RectF& r) { return {r.X, r.Y, r.Width, r.Height}; }

// A GDI+ bitmap over the device pixels `device_area` of a bitmap, in place
// (premultiplied BGRA is GDI+'s PARGB). Null for an empty area.
std::unique_ptr<Gdiplus::Bitmap> WrapPixels(const Bitmap& bitmap, const RectI& device_area);

std::unique_ptr<Gdiplus::GraphicsPath> ToGdiplus(const Path& path);

inline const WCHAR* Wide(std::u16string_view text) { return reinterpret_cast<const WCHAR*>(text.data()); }
std::wstring Wide(std::string_view utf8);

}  // namespace gfx::detail
