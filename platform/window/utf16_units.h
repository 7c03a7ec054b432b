#pragma once
// UTF-8 as the UTF-16 code units that WM_CHAR messages carry one by one.
#include <string>
#include <string_view>

namespace winsys {

// Empty when the text is not valid UTF-8: such text types nothing.
std::u16string Utf16Units(std::string_view utf8);

}  // namespace winsys
