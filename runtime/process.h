#pragma once
// Starting other programs and threads, and ending this one.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace runtime {

// Window show state requested for a started program: values above 6 become 6,
// values of 0 or less become 1, no value means 2 (normal). A console program on
// Linux has no window of its own, so the mode is accepted and has no effect.
int ClampShowMode(std::optional<int> show_mode);

struct RunOptions {
  std::optional<int> show_mode;
  // Where the program runs; this process's current directory when absent.
  std::optional<std::filesystem::path> working_directory;
};

// How a program that was run to its end ended.
struct ProgramEnd {
  bool started = false;  // false: nothing ran (no such program, not executable, no working directory)
  bool killed = false;   // ended by a signal rather than by exiting
  int exit_code = -1;    // when it exited
};

// Runs `command_line` (in the system's encoding, UTF-8; split into arguments by
// the Microsoft C runtime rules, the first naming the program, looked up on PATH)
// with this process's environment and no file descriptors besides standard
// input, output and error, and waits until it has ended.
ProgramEnd RunProgramToEnd(const std::string& command_line, const RunOptions& options = {});

// RunProgramToEnd when `wait`; otherwise returns at once and the child is reaped
// in the background. True when the program was started.
bool RunProgram(const std::string& command_line, bool wait, const RunOptions& options = {});

// Starts `argv` (UTF-8) without a shell and without waiting. False when it could
// not be started.
bool StartDetached(const std::vector<std::string>& argv);

// Runs `routine` on a new detached thread. False when the thread could not be created.
bool StartThread(std::function<void()> routine);

// Ends the process at once, after flushing standard output.
[[noreturn]] void EndProgram();

}  // namespace runtime
