#pragma once
// Starting other programs and threads, and ending this one.
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace runtime {

class StopSignal;

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
  bool stopped = false;  // ended, or never started, because a stop was requested
  int exit_code = -1;    // when it exited
};

// Runs `command_line` (in the system's encoding, UTF-8; split into arguments by
// the Microsoft C runtime rules, the first naming the program, looked up on PATH)
// with this process's environment and no file descriptors besides standard
// input, output and error, and waits until it has ended.
ProgramEnd RunProgramToEnd(const std::string& command_line, const RunOptions& options = {});

// What RunWatchedProgram does with the program while it runs.
struct ProgramWatch {
  // Gets the program's standard output and error, one line at a time (split at
  // '\r' and '\n', empty lines left out), on the calling thread. Without it the
  // output is read and dropped: it never reaches this process's terminal.
  std::function<void(std::string_view line)> on_line;
  // Once raised, the program is ended: SIGTERM to its process group, SIGKILL
  // when it is still there half a second later. Raised before the start, the
  // program is never started. May be null.
  const StopSignal* stop = nullptr;
  // When set, the program's standard output goes into this open file instead
  // (on_line then gets its error output only): a program told to write to
  // standard output then never opens a name of its own.
  int output_file = -1;
};

// RunProgramToEnd with the output captured through a pipe and a way to end the
// program from another thread. The program gets /dev/null as its input and a
// process group of its own (a Ctrl+C on our terminal reaches only us). It is
// always reaped before this returns, and it is killed if the calling thread
// ends first (this process killed included).
ProgramEnd RunWatchedProgram(const std::string& command_line, const RunOptions& options, const ProgramWatch& watch);

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
