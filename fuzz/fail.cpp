#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_input.h"

namespace fuzzing {

void Fail(std::string_view what) {
  std::fprintf(stderr, "property broken: %.*s\n", static_cast<int>(what.size()), what.data());
  std::abort();
}

}  // namespace fuzzing
