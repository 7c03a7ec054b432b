#include <unistd.h>

#include "runtime/console.h"

namespace runtime {

void PrepareConsole() {}

std::vector<std::string> ProgramArguments(int argc, char** argv) { return {argv + (argc > 0 ? 1 : 0), argv + argc}; }

bool ErrorsGoToTerminal() { return isatty(STDERR_FILENO) != 0; }

}  // namespace runtime
