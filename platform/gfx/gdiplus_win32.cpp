#include "platform/gfx/gdiplus_win32.h"

#include <mutex>

#include "platform/gfx/bitmap_native_win32.h"

namespace gfx::detail {

void UseGdiplus() {
  static std::once_flag once;
  std::call_once(once, [] {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
  });
}

std::unique_ptr<Gdiplus::Bitmap> WrapPixels(const Bitmap& bitmap, const RectI& area) {
  if (bitmap.IsNull() || area.IsEmpty()) return nullptr;
  const int stride = bitmap.DeviceWidth() * 4;
  auto* first = reinterpret_cast<BYTE*>(Pixels(bitmap) + static_cast<ptrdiff_t>(area.y) * bitmap.DeviceWidth() + area.x);
  return std::make_unique<Gdiplus::Bitmap>(area.width, area.height, stride, PixelFormat32bppPARGB, first);
}

std::unique_ptr<Gdiplus::GraphicsPath> ToGdiplus(const Path& path) {
  auto out = std::make_unique<Gdiplus::GraphicsPath>(
      path.GetFillMode() == FillMode::Winding ? Gdiplus::FillModeWinding : Gdiplus::FillModeAlternate);
  for (const Path::Segment& s : path.Segments()) {
    if (auto* line = std::get_if<Path::Line>(&s)) {
      out->AddLine(line->from.x, line->from.y, line->to.x, line->to.y);
    } else if (auto* arc = std::get_if<Path::Arc>(&s)) {
      out->AddArc(ToRect(arc->bounds), arc->start, arc->sweep);
    } else if (auto* ellipse = std::get_if<Path::Ellipse>(&s)) {
      out->AddEllipse(ToRect(ellipse->bounds));
    } else if (auto* rect = std::get_if<Path::Rectangle>(&s)) {
      out->AddRectangle(ToRect(rect->rect));
    } else {
      out->CloseFigure();
    }
  }
  return out;
}

std::wstring Wide(std::string_view utf8) {
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

}  // namespace gfx::detail
