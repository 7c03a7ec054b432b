#pragma once
// The X clipboard (or the primary selection) as another program sees it,
// through xclip on the current display: text goes on it and is read back as UTF-8.
#include <string>

namespace winsys::testing {

// Puts the text on the clipboard (xclip stays in the background to serve it).
// `selection` is xclip's name: "clipboard" or "primary".
bool SetXClipboard(const std::string& utf8, const std::string& selection = "clipboard");
// Reads the clipboard until it holds `expected` (bounded); answers what it held last.
std::string WaitForXClipboard(const std::string& expected, int timeout_ms = 5000,
                              const std::string& selection = "clipboard");

}  // namespace winsys::testing
