#include "runtime/spawn_setup.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace runtime {

SpawnSetup::SpawnSetup() {
  posix_spawn_file_actions_init(&actions_);
  posix_spawnattr_init(&attr_);
  // Neither this process's blocked signals nor its ignored SIGPIPE.
  sigset_t none, defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGINT);
  sigaddset(&defaults, SIGTERM);
  posix_spawnattr_setsigmask(&attr_, &none);
  posix_spawnattr_setsigdefault(&attr_, &defaults);
}

SpawnSetup::~SpawnSetup() {
  posix_spawnattr_destroy(&attr_);
  posix_spawn_file_actions_destroy(&actions_);
}

void SpawnSetup::ChangeDirectory(const std::string& directory) {
  posix_spawn_file_actions_addchdir_np(&actions_, directory.c_str());
}

void SpawnSetup::CaptureOutput(int fd) {
  posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions_, fd, STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions_, fd, STDERR_FILENO);
}

void SpawnSetup::NewProcessGroup() {
  posix_spawnattr_setpgroup(&attr_, 0);
  flags_ |= POSIX_SPAWN_SETPGROUP;
}

std::optional<pid_t> SpawnSetup::Spawn(const std::vector<std::string>& argv) {
  if (argv.empty() || argv[0].empty()) return std::nullopt;
  // Last, so that descriptors duplicated onto the standard three come first.
  posix_spawn_file_actions_addclosefrom_np(&actions_, 3);
  posix_spawnattr_setflags(&attr_, flags_);
  std::vector<char*> pointers;
  for (const std::string& arg : argv) pointers.push_back(const_cast<char*>(arg.c_str()));
  pointers.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, pointers[0], &actions_, &attr_, pointers.data(), environ) != 0) return std::nullopt;
  return pid;
}

int WaitForExit(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return status;
}

ProgramEnd EndedWith(int wait_status) {
  if (WIFSIGNALED(wait_status)) return {.started = true, .killed = true};
  return {.started = true, .exit_code = WEXITSTATUS(wait_status)};
}

}  // namespace runtime
