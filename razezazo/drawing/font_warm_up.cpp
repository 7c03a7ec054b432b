#include "razezazo/drawing/font_warm_up.h"

#include "platform/gfx/bitmap.h"
#include "platform/gfx/font.h"
#include "platform/gfx/graphics.h"
#include "razezazo/drawing/font.h"

namespace razezazo {
namespace {

// Latin, digits and the CJK block the default fonts cover, so that every face
// the first texts fall back to is opened.
constexpr char16_t kSample[] = u"Aa0 晨岚音乐网解析下载";

void WarmUp() {
  const FontHandle& shared = DefaultFont();  // the UI thread waits here if it comes first
  // A copy of its own: the shared font caches its height without a lock.
  const gfx::Font font(shared->Family(), shared->Size(), shared->Style());
  font.Height();
  gfx::Bitmap scratch(64, 16);
  gfx::Graphics g(scratch);
  g.DrawString(kSample, font, {0, 0, 64, 16}, {}, 0xFF000000);
}

}  // namespace

FontWarmUp::FontWarmUp() {
  gfx::PrepareDesktopFontLookupOffThread();
  thread_ = std::thread(WarmUp);
}

FontWarmUp::~FontWarmUp() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace razezazo
