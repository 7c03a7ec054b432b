#include "runtime/process.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <thread>

namespace runtime {

int ClampShowMode(std::optional<int> show_mode) {
  if (!show_mode) return 2;
  return std::clamp(*show_mode, 1, 6);
}

bool StartThread(std::function<void()> routine) {
  try {
    std::thread(std::move(routine)).detach();
    return true;
  } catch (const std::system_error&) {
    return false;
  }
}

void EndProgram() {
  std::fflush(nullptr);
  std::_Exit(0);
}

}  // namespace runtime
