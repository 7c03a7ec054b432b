#pragma once
#include "runtime/text.h"

namespace app {

// The play-page address as the user meant it: the white space around it (a
// paste often brings a line break along) removed, and "http://" put before an
// address without a scheme ("www.example.com/play/1.html", as browsers show it).
runtime::Text NormalizedPageAddress(const runtime::Text& typed);

}  // namespace app
