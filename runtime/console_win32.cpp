#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include "runtime/console.h"
#include "runtime/wide_text.h"

namespace runtime {
namespace {

void ProcessTerminalSequences(DWORD handle_id) {
  HANDLE console = GetStdHandle(handle_id);
  DWORD mode = 0;
  if (GetConsoleMode(console, &mode)) SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

}  // namespace

void PrepareConsole() {
  SetConsoleOutputCP(CP_UTF8);
  ProcessTerminalSequences(STD_OUTPUT_HANDLE);
  ProcessTerminalSequences(STD_ERROR_HANDLE);
}

std::vector<std::string> ProgramArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(WideToUtf8(wide[i]));
  LocalFree(wide);
  return arguments;
}

bool ErrorsGoToTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace runtime
