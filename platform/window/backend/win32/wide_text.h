#pragma once
// UTF-8 (the window system's texts) against UTF-16 (Windows' wide calls).
// Invalid input never fails: it becomes U+FFFD.
#include <string>
#include <string_view>

namespace winsys::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace winsys::win32
