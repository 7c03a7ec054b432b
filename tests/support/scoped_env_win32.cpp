// The wide environment, which runtime::EnvironmentValue reads on Windows.
#include <windows.h>

#include "runtime/wide_text.h"
#include "tests/support/temp_dir.h"

namespace testing_support {

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
  const std::wstring wide_name = runtime::Utf8ToWide(name);
  std::wstring old(32767, L'\0');
  const DWORD length = GetEnvironmentVariableW(wide_name.c_str(), old.data(), static_cast<DWORD>(old.size()));
  had_value_ = length > 0 || GetLastError() != ERROR_ENVVAR_NOT_FOUND;
  old.resize(length);
  old_value_ = runtime::WideToUtf8(old);
  SetEnvironmentVariableW(wide_name.c_str(), runtime::Utf8ToWide(value).c_str());
}

ScopedEnv::~ScopedEnv() {
  const std::wstring wide_name = runtime::Utf8ToWide(name_);
  SetEnvironmentVariableW(wide_name.c_str(), had_value_ ? runtime::Utf8ToWide(old_value_).c_str() : nullptr);
}

}  // namespace testing_support
