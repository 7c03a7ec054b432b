#pragma once
// UTF-8 <-> UTF-16 for the wide Windows APIs. Ill-formed input becomes U+FFFD.
#include <string>
#include <string_view>

namespace runtime {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

}  // namespace runtime
