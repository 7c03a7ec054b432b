#pragma once
// Text for the terminal. Page-derived text can hold control characters (ESC
// sequences that recolour, retitle or clear the terminal); every line brivo-cli
// prints shows them escaped instead, as \xNN (C0 and DEL) or \uNNNN (C1).
#include <string>
#include <string_view>

#include "runtime/text.h"

namespace app {

// `utf8` with its control characters escaped.
std::string EscapeControls(std::string_view utf8);

// A GBK text as the terminal gets it: UTF-8, control characters escaped.
std::string ForConsole(const runtime::Text& gbk);

}  // namespace app
