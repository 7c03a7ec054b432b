#include "runtime/process.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>
#include <thread>

#include "runtime/command_line.h"

extern char** environ;

namespace runtime {
namespace {

class SpawnSetup {
 public:
  SpawnSetup() {
    posix_spawn_file_actions_init(&actions_);
    posix_spawnattr_init(&attr_);
    // The child inherits no descriptors beyond the standard three.
    posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
    // Nor this process's blocked signals or ignored SIGPIPE.
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigmask(&attr_, &none);
    posix_spawnattr_setsigdefault(&attr_, &defaults);
    posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~SpawnSetup() {
    posix_spawnattr_destroy(&attr_);
    posix_spawn_file_actions_destroy(&actions_);
  }
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  void ChangeDirectory(const std::string& directory) {
    posix_spawn_file_actions_addchdir_np(&actions_, directory.c_str());
  }

  std::optional<pid_t> Spawn(const std::vector<std::string>& argv) {
    if (argv.empty() || argv[0].empty()) return std::nullopt;
    std::vector<char*> pointers;
    for (const std::string& arg : argv) pointers.push_back(const_cast<char*>(arg.c_str()));
    pointers.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, pointers[0], &actions_, &attr_, pointers.data(), environ) != 0)
      return std::nullopt;
    return pid;
  }

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attr_;
};

int WaitForExit(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

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

int ClampShowMode(std::optional<int> show_mode) {
  if (!show_mode) return 2;
  return std::clamp(*show_mode, 1, 6);
}

ProgramEnd RunProgramToEnd(const std::string& command_line, const RunOptions& options) {
  std::optional<pid_t> pid = Start(command_line, options);
  if (!pid) return {};
  int status = WaitForExit(*pid);
  if (WIFSIGNALED(status)) return {.started = true, .killed = true};
  return {.started = true, .exit_code = WEXITSTATUS(status)};
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
