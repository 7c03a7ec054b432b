#pragma once
// The program's own fontconfig rules: family aliases for the names the
// framework asks for, loaded into the process's fontconfig configuration (never
// installed system-wide). Internal to platform/gfx.
#include <string>
#include <string_view>
#include <vector>

namespace gfx::detail {

// Adds the program's rules to fontconfig's current configuration, once per
// process. Every font lookup of the drawing layer calls it first, so Pango
// never resolves a family before the rules are in place.
void UseProgramFontConfig();

// The families the program's rules put in place of `family`, most preferred
// first; empty when they name none. Whether those are installed is not checked.
std::vector<std::string> ProgramFontAliases(std::string_view family);

}  // namespace gfx::detail
