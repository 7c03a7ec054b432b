#include "runtime/process.h"

#include <system_error>
#include <thread>

#include "runtime/command_line.h"
#include "runtime/spawn_setup.h"

namespace runtime {
namespace {

std::optional<pid_t> Start(const std::string& command_line, const RunOptions& options) {
  (void)ClampShowMode(options.show_mode);
  SpawnSetup setup;
  if (options.working_directory) setup.ChangeDirectory(options.working_directory->native());
  return setup.Spawn(SplitCommandLine(command_line));
}

// Nobody waits for a detached child; a small thread collects it so that no zombie
// stays behind. If no thread can be made, the zombie is the lesser harm.
void ReapInBackground(pid_t pid) {
  try {
    std::thread([pid] { WaitForExit(pid); }).detach();
  } catch (const std::system_error&) {
  }
}

}  // namespace

ProgramEnd RunProgramToEnd(const std::string& command_line, const RunOptions& options) {
  std::optional<pid_t> pid = Start(command_line, options);
  if (!pid) return {};
  return EndedWith(WaitForExit(*pid));
}

bool RunProgram(const std::string& command_line, bool wait, const RunOptions& options) {
  if (wait) return RunProgramToEnd(command_line, options).started;
  std::optional<pid_t> pid = Start(command_line, options);
  if (pid) ReapInBackground(*pid);
  return pid.has_value();
}

bool StartDetached(const std::vector<std::string>& argv) {
  std::optional<pid_t> pid = SpawnSetup().Spawn(argv);
  if (!pid) return false;
  ReapInBackground(*pid);
  return true;
}

}  // namespace runtime
