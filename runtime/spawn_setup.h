#pragma once
// How runtime starts a child: fork and exec with a clean descriptor table and
// default signal handling. Shared by the process operations of this folder.
// fork rather than posix_spawn, because only a forked child can ask to die with
// its parent before it runs the program.
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "runtime/process.h"

namespace runtime {

class SpawnSetup {
 public:
  void ChangeDirectory(const std::string& directory) { directory_ = directory; }
  // Standard output and error go to `fd`, standard input comes from /dev/null.
  void CaptureOutput(int fd);
  // Standard output goes to `fd` instead (after CaptureOutput: error stays there).
  void OutputTo(int fd) { output_ = fd; }
  // The child leads a process group of its own: a Ctrl+C on our terminal is not
  // delivered to it, and it can be ended together with anything it starts.
  void NewProcessGroup() { new_group_ = true; }
  // The child is killed when the thread that started it ends, however it ends
  // (SIGKILL included): a download tool must not outlive the program it serves.
  // Only for a child that the starting thread waits for.
  void DieWithParent() { die_with_parent_ = true; }

  // Starts argv[0] (looked up on PATH). The child keeps no descriptor beyond the
  // standard three. Nothing when the program could not be run (no such program,
  // not executable, no such working directory).
  std::optional<pid_t> Spawn(const std::vector<std::string>& argv) const;

 private:
  [[noreturn]] void RunChild(const char* file, char* const* argv, int report, pid_t parent) const;

  std::optional<std::string> directory_;
  int output_ = -1;  // -1: this process's
  int error_ = -1;
  bool null_input_ = false;
  bool new_group_ = false;
  bool die_with_parent_ = false;
};

// Waits for the child's end (retrying after signals) and returns its wait status.
int WaitForExit(pid_t pid);

// How a started program ended, from its wait status.
ProgramEnd EndedWith(int wait_status);

}  // namespace runtime
