#pragma once
// How runtime starts a child: posix_spawn with a clean descriptor table and
// default signal handling. Shared by the process operations of this folder.
#include <spawn.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/process.h"

namespace runtime {

class SpawnSetup {
 public:
  SpawnSetup();
  ~SpawnSetup();
  SpawnSetup(const SpawnSetup&) = delete;
  SpawnSetup& operator=(const SpawnSetup&) = delete;

  void ChangeDirectory(const std::string& directory);
  // Standard output and error go to `fd`, standard input comes from /dev/null.
  void CaptureOutput(int fd);
  // The child leads a process group of its own: a Ctrl+C on our terminal is not
  // delivered to it, and it can be ended together with anything it starts.
  void NewProcessGroup();

  // Starts argv[0] (looked up on PATH). The child keeps no descriptor beyond the
  // standard three.
  std::optional<pid_t> Spawn(const std::vector<std::string>& argv);

 private:
  posix_spawn_file_actions_t actions_;
  posix_spawnattr_t attr_;
  short flags_ = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
};

// Waits for the child's end (retrying after signals) and returns its wait status.
int WaitForExit(pid_t pid);

// How a started program ended, from its wait status.
ProgramEnd EndedWith(int wait_status);

}  // namespace runtime
