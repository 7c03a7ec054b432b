// Fonts through GDI+. "宋体" (SimSun) is the framework's default family; where
// it is not installed (under Wine), the sharp variant of WenQuanYi Zen Hei
// stands in, as the program's fontconfig rules have it on Linux.
#include <algorithm>
#include <string>

#include "platform/gfx/font.h"
#include "platform/gfx/font_native_win32.h"
#include "platform/gfx/gdiplus_win32.h"

namespace gfx {

namespace {

constexpr const char* kSongTiStandIn = "WenQuanYi Zen Hei Sharp";

bool IsSongTi(std::string_view family) { return family == "宋体" || family == "SimSun"; }

std::unique_ptr<Gdiplus::FontFamily> Installed(std::string_view family) {
  detail::UseGdiplus();
  const std::wstring name = detail::Wide(family);
  auto found = std::make_unique<Gdiplus::FontFamily>(name.c_str());
  if (found->GetLastStatus() != Gdiplus::Ok || !found->IsAvailable()) return nullptr;
  return found;
}

// The installed family for a name, after the program's own stand-in; null when none.
std::unique_ptr<Gdiplus::FontFamily> Resolve(std::string_view family) {
  if (family.empty()) return nullptr;
  if (auto found = Installed(family)) return found;
  return IsSongTi(family) ? Installed(kSongTiStandIn) : nullptr;
}

std::string Utf8(const WCHAR* wide) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return {};
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, -1, out.data(), n, nullptr, nullptr);
  out.pop_back();
  return out;
}

// GDI+'s own sans-serif, else a family that any Windows (or Wine) has; null
// only when there is no font at all.
std::unique_ptr<Gdiplus::FontFamily> SansSerif() {
  detail::UseGdiplus();
  if (const Gdiplus::FontFamily* generic = Gdiplus::FontFamily::GenericSansSerif())
    return std::unique_ptr<Gdiplus::FontFamily>(generic->Clone());
  for (const char* family : {"Tahoma", "Arial", "DejaVu Sans"})
    if (auto found = Installed(family)) return found;
  return nullptr;
}

}  // namespace

bool FontFamilyExists(std::string_view family_utf8) { return Resolve(family_utf8) != nullptr; }

std::string DesktopUiFontFamily() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    for (const LOGFONTW& font : {metrics.lfCaptionFont, metrics.lfMessageFont}) {
      std::string family = Utf8(font.lfFaceName);
      if (FontFamilyExists(family)) return family;
    }
  }
  WCHAR name[LF_FACESIZE] = {};
  if (const auto family = SansSerif()) family->GetFamilyName(name);
  return Utf8(name);
}

void Font::NativeRelease::operator()(Native* n) const { delete n; }

Font::Font(std::string family_utf8, float size_px, int style)
    : family_(std::move(family_utf8)), size_(size_px), style_(style), native_(new Native{Resolve(family_), nullptr}) {
  if (!native_->family) native_->family = SansSerif();
  if (native_->family)
    native_->font = std::make_unique<Gdiplus::Font>(native_->family.get(), size_, style_, Gdiplus::UnitPixel);
}

Font::~Font() = default;

float Font::Height() const {
  if (height_ < 0 && !native_->family) height_ = size_;
  if (height_ < 0) {
    const Gdiplus::FontFamily& family = *native_->family;
    height_ = size_ * family.GetLineSpacing(style_) / std::max<float>(family.GetEmHeight(style_), 1.0f);
  }
  return height_;
}

}  // namespace gfx
