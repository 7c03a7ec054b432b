#pragma once
// The X clipboard as another program sees it, through xclip on the current
// display: text goes on it and is read back as UTF-8.
#include <string>

namespace winsys::testing {

// Puts the text on the clipboard (xclip stays in the background to serve it).
bool SetXClipboard(const std::string& utf8);
// Reads the clipboard until it holds `expected` (bounded); answers what it held last.
std::string WaitForXClipboard(const std::string& expected, int timeout_ms = 5000);

}  // namespace winsys::testing
