#include "platform/gfx/program_font_config.h"

#include <fontconfig/fontconfig.h>

#include <mutex>

#include "platform/gfx/cairo_ptr.h"

namespace gfx::detail {

namespace {

// "宋体" (SimSun) is the framework's default family. Where it is missing, the
// sharp variant of WenQuanYi Zen Hei stands in: its hand-tuned bitmap strikes
// draw Chinese at 12 px as crisply as SimSun does, where the outlines that
// fontconfig would pick for Chinese otherwise render grey and soft. Its Latin
// strikes are uneven ("(b" overlap, gaps before "."), so Latin letters and
// digits come from DejaVu Sans Condensed, which Pango takes first for every
// character it has; it has no Chinese. When the stand-ins are not installed,
// fontconfig's usual choice remains.
constexpr const char* kRules = R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <alias binding="strong">
    <family>宋体</family>
    <prefer>
      <family>DejaVu Sans Condensed</family>
      <family>WenQuanYi Zen Hei Sharp</family>
    </prefer>
  </alias>
  <alias binding="strong">
    <family>SimSun</family>
    <prefer>
      <family>DejaVu Sans Condensed</family>
      <family>WenQuanYi Zen Hei Sharp</family>
    </prefer>
  </alias>
  <match target="font">
    <test name="family"><string>WenQuanYi Zen Hei Sharp</string></test>
    <edit name="embeddedbitmap" mode="assign"><bool>true</bool></edit>
  </match>
</fontconfig>
)";

using FcConfigPtr = std::unique_ptr<FcConfig, FreeWith<FcConfig, FcConfigDestroy>>;

FcConfigPtr RulesOnly() {
  FcConfigPtr config(FcConfigCreate());
  if (config && !FcConfigParseAndLoadFromMemory(config.get(), reinterpret_cast<const FcChar8*>(kRules), FcTrue))
    config.reset();
  return config;
}

}  // namespace

void UseProgramFontConfig() {
  static std::once_flag once;
  std::call_once(once, [] {
    FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(kRules), FcTrue);
  });
}

// Substitution with the program's rules alone (no system rules, no fonts):
// the families its aliases put ahead of the name itself.
std::vector<std::string> ProgramFontAliases(std::string_view family) {
  static const FcConfigPtr rules = RulesOnly();
  std::vector<std::string> aliases;
  if (!rules || family.empty()) return aliases;
  const std::string name(family);
  FcPatternPtr pattern(FcPatternCreate());
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcConfigSubstitute(rules.get(), pattern.get(), FcMatchPattern);
  FcChar8* value = nullptr;
  for (int i = 0; FcPatternGetString(pattern.get(), FC_FAMILY, i, &value) == FcResultMatch; ++i) {
    const std::string found(reinterpret_cast<const char*>(value));
    if (found == name) break;
    aliases.push_back(found);
  }
  return aliases;
}

}  // namespace gfx::detail
