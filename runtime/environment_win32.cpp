#include <windows.h>

#include "runtime/environment.h"
#include "runtime/wide_text.h"

namespace runtime {

// The wide environment: getenv's would be in the ANSI code page.
std::optional<std::string> EnvironmentValue(const char* name) {
  const std::wstring wide_name = Utf8ToWide(name);
  const DWORD size = GetEnvironmentVariableW(wide_name.c_str(), nullptr, 0);
  if (size <= 1) return std::nullopt;
  std::wstring value(size, L'\0');
  value.resize(GetEnvironmentVariableW(wide_name.c_str(), value.data(), size));
  if (value.empty()) return std::nullopt;
  return WideToUtf8(value);
}

}  // namespace runtime
