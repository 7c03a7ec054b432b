#include <windows.h>

#include "runtime/process.h"
#include "runtime/wide_text.h"
#include "runtime/win32_spawn.h"

namespace runtime {
namespace {

// `argument` quoted by the Microsoft C runtime rules, when it needs quotes:
// backslashes before a quote (and before the closing one) are doubled.
std::string Quoted(const std::string& argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos) return argument;
  std::string quoted = "\"";
  size_t backslashes = 0;
  for (char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    backslashes = 0;
    quoted.push_back(c);
  }
  quoted.append(backslashes * 2, '\\');
  return quoted + "\"";
}

}  // namespace

std::optional<StartedChild> StartChild(const std::string& command_line, const RunOptions& options,
                                       const ChildHandles* handles, DWORD creation_flags) {
  std::wstring line = Utf8ToWide(command_line);
  if (line.empty()) return std::nullopt;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(ClampShowMode(options.show_mode));
  if (handles) {
    startup.dwFlags |= STARTF_USESTDHANDLES;
    startup.hStdInput = handles->input;
    startup.hStdOutput = handles->output;
    startup.hStdError = handles->error;
  }
  const wchar_t* directory = options.working_directory ? options.working_directory->c_str() : nullptr;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, handles != nullptr,
                      creation_flags | CREATE_UNICODE_ENVIRONMENT, nullptr, directory, &startup, &info))
    return std::nullopt;
  return StartedChild{UniqueHandle(info.hProcess), UniqueHandle(info.hThread)};
}

ProgramEnd EndOf(HANDLE process) {
  DWORD code = 0;
  GetExitCodeProcess(process, &code);
  return {.started = true, .exit_code = static_cast<int>(code)};
}

ProgramEnd RunProgramToEnd(const std::string& command_line, const RunOptions& options) {
  std::optional<StartedChild> child = StartChild(command_line, options, nullptr, 0);
  if (!child) return {};
  WaitForSingleObject(child->process.get(), INFINITE);
  return EndOf(child->process.get());
}

bool RunProgram(const std::string& command_line, bool wait, const RunOptions& options) {
  if (wait) return RunProgramToEnd(command_line, options).started;
  return StartChild(command_line, options, nullptr, 0).has_value();
}

bool StartDetached(const std::vector<std::string>& argv) {
  if (argv.empty() || argv[0].empty()) return false;
  std::string line;
  for (const std::string& argument : argv) line += (line.empty() ? "" : " ") + Quoted(argument);
  return StartChild(line, {}, nullptr, DETACHED_PROCESS).has_value();
}

}  // namespace runtime
