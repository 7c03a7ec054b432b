#include "platform/gfx/font.h"

#include <gio/gio.h>
#include <pango/pangocairo.h>

#include "platform/gfx/cairo_ptr.h"
#include "platform/gfx/font_native_pango.h"
#include "platform/gfx/program_font_config.h"
#include "platform/gfx/text_layout.h"

namespace gfx {

namespace {

bool Installed(const std::string& family) {
  detail::FcPatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  detail::FcObjectSetPtr objects(FcObjectSetBuild(FC_FAMILY, nullptr));
  detail::FcFontSetPtr fonts(FcFontList(nullptr, pattern.get(), objects.get()));
  return fonts && fonts->nfont > 0;
}

}  // namespace

bool FontFamilyExists(std::string_view family_utf8) {
  if (family_utf8.empty()) return false;
  detail::UseProgramFontConfig();
  if (Installed(std::string(family_utf8))) return true;
  for (const std::string& alias : detail::ProgramFontAliases(family_utf8))
    if (Installed(alias)) return true;
  return false;
}

namespace {

std::string FamilyFromDescription(const char* description) {
  if (!description || !*description) return {};
  detail::FontDescriptionPtr desc(pango_font_description_from_string(description));
  const char* family = pango_font_description_get_family(desc.get());
  return family ? family : "";
}

// Reads a font setting without aborting when the schema is not installed.
std::string FamilyFromSetting(const char* schema_id, const char* key) {
  GSettingsSchemaSource* source = g_settings_schema_source_get_default();
  if (!source) return {};
  GSettingsSchema* schema = g_settings_schema_source_lookup(source, schema_id, TRUE);
  if (!schema) return {};
  std::string family;
  if (g_settings_schema_has_key(schema, key)) {
    detail::GObjectPtr<GSettings> settings(g_settings_new_full(schema, nullptr, nullptr));
    detail::GCharPtr value(g_settings_get_string(settings.get(), key));
    family = FamilyFromDescription(value.get());
  }
  g_settings_schema_unref(schema);
  return family;
}

std::string SansSerifFamily() {
  detail::FcPatternPtr pattern(FcNameParse(reinterpret_cast<const FcChar8*>("sans-serif")));
  FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern);
  FcDefaultSubstitute(pattern.get());
  FcResult result;
  detail::FcPatternPtr match(FcFontMatch(nullptr, pattern.get(), &result));
  FcChar8* family = nullptr;
  if (match && FcPatternGetString(match.get(), FC_FAMILY, 0, &family) == FcResultMatch)
    return reinterpret_cast<const char*>(family);
  return {};
}

}  // namespace

std::string DesktopUiFontFamily() {
  for (auto [schema, key] : {std::pair{"org.gnome.desktop.wm.preferences", "titlebar-font"},
                             std::pair{"org.gnome.desktop.interface", "font-name"}}) {
    std::string family = FamilyFromSetting(schema, key);
    if (FontFamilyExists(family)) return family;
  }
  return SansSerifFamily();
}

void Font::NativeRelease::operator()(Native* n) const { delete n; }

Font::Font(std::string family_utf8, float size_px, int style)
    : family_(std::move(family_utf8)),
      size_(size_px),
      style_(style),
      native_(new Native{detail::FontDescriptionPtr(pango_font_description_new())}) {
  PangoFontDescription* d = native_->description.get();
  pango_font_description_set_family(d, family_.c_str());
  pango_font_description_set_absolute_size(d, size_ * PANGO_SCALE);
  pango_font_description_set_weight(d, (style & font_style::kBold) ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(d, (style & font_style::kItalic) ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
}

Font::~Font() = default;

float Font::Height() const {
  if (height_ < 0) height_ = detail::LineSpacing(*this);
  return height_;
}

}  // namespace gfx
