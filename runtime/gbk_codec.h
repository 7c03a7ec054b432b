#pragma once
// The conversions that each system's GBK converter provides; gbk.cpp builds the
// rest of gbk.h on them. A character that GBK cannot hold becomes `replacement`
// (the UTF-8 side: a whole character; the UTF-16 side: one code unit).
#include <string_view>

#include "runtime/text.h"

namespace runtime {

Text Utf8ToGbkReplacing(std::string_view utf8, std::string_view replacement);
Text Utf16ToGbkReplacing(std::u16string_view utf16, std::string_view replacement);

}  // namespace runtime
