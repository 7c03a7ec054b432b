#include "runtime/environment.h"

#include <cstdlib>

namespace runtime {

std::optional<std::string> EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  if (!value || !*value) return std::nullopt;
  return value;
}

}  // namespace runtime
