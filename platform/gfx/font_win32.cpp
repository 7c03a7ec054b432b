// Fonts through GDI+. "宋体" (SimSun) is the framework's default family; where
// it is not installed (under Wine), the sharp variant of WenQuanYi Zen Hei
// stands in, as the program's fontconfig rules have it on Linux.
#include <algorithm>
#include <string>

#include <dwrite.h>

#include "platform/gfx/com_win32.h"
#include "platform/gfx/font.h"
#include "platform/gfx/font_native_win32.h"
#include "platform/gfx/gdiplus_win32.h"

namespace gfx {

using detail::ComPtr;

namespace {

constexpr const char* kSongTiStandIn = "WenQuanYi Zen Hei Sharp";

bool IsSongTi(std::string_view family) { return family == "宋体" || family == "SimSun"; }

// The name GDI+ knows a family by, for any of its localised names: GDI+
// finds a family by the names of the user's language only, DirectWrite by all.
std::wstring GdiplusName(const std::wstring& name) {
  ComPtr<IDWriteFactory> factory;
  ComPtr<IDWriteFontCollection> fonts;
  ComPtr<IDWriteFontFamily> family;
  ComPtr<IDWriteLocalizedStrings> names;
  UINT32 index = 0, length = 0;
  BOOL exists = FALSE;
  if (FAILED(DWriteCreateFactory(DWRITE_FACTORY_TYPE_SHARED, __uuidof(IDWriteFactory),
                                 reinterpret_cast<IUnknown**>(factory.GetAddressOf()))) ||
      FAILED(factory->GetSystemFontCollection(&fonts)) ||
      FAILED(fonts->FindFamilyName(name.c_str(), &index, &exists)) || !exists ||
      FAILED(fonts->GetFontFamily(index, &family)) || FAILED(family->GetFamilyNames(&names)))
    return name;
  if (FAILED(names->FindLocaleName(L"en-us", &index, &exists)) || !exists) index = 0;
  if (FAILED(names->GetStringLength(index, &length))) return name;
  std::wstring english(length + 1, L'\0');
  if (FAILED(names->GetString(index, english.data(), length + 1))) return name;
  english.resize(length);
  return english;
}

std::unique_ptr<Gdiplus::FontFamily> Installed(std::string_view family) {
  detail::UseGdiplus();
  const std::wstring name = GdiplusName(detail::Wide(family));
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

// No GLib here: no module type to register before another thread reads settings.
void PrepareDesktopFontLookupOffThread() {}

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
