#include <stdlib.h>

#include "tests/support/temp_dir.h"

namespace testing_support {

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : name_(name) {
  const char* old = ::getenv(name);
  had_value_ = old != nullptr;
  if (old) old_value_ = old;
  ::setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (had_value_)
    ::setenv(name_.c_str(), old_value_.c_str(), 1);
  else
    ::unsetenv(name_.c_str());
}

}  // namespace testing_support
