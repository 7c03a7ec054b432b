#pragma once
// Reading the environment. A variable set to the empty text counts as not set,
// for every variable alike: `FOO= brivo` must not replace a default with nothing.
#include <optional>
#include <string>

namespace runtime {

std::optional<std::string> EnvironmentValue(const char* name);

}  // namespace runtime
