// RunWatchedProgram: one poll() loop over the child's output pipe, the stop
// signal's descriptor and a pidfd that becomes readable when the child ends.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>

#include "runtime/command_line.h"
#include "runtime/line_splitter.h"
#include "runtime/process.h"
#include "runtime/spawn_setup.h"
#include "runtime/stop_signal.h"
#include "runtime/unique_fd.h"

namespace runtime {
namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// How long a program may take to end after SIGTERM before it is killed.
constexpr milliseconds kTermGrace{500};
// Without a pidfd (kernels before 5.3) the child's end is looked for this often.
constexpr milliseconds kExitPollInterval{5};
// After the child's end, output still in the pipe is read up to this much: a
// grandchild that keeps the pipe open and writes must not hold us up.
constexpr size_t kMostTrailingOutput = 1 << 20;

struct Pipe {
  UniqueFd read_end;
  UniqueFd write_end;
};

std::optional<Pipe> MakePipe() {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
  fcntl(fds[0], F_SETFL, O_NONBLOCK);
  return Pipe{UniqueFd(fds[0]), UniqueFd(fds[1])};
}

// The child and its process group, from the start until it has been reaped.
class WatchedChild {
 public:
  explicit WatchedChild(pid_t pid) : pid_(pid), pidfd_(static_cast<int>(syscall(SYS_pidfd_open, pid, 0))) {}
  WatchedChild(const WatchedChild&) = delete;
  WatchedChild& operator=(const WatchedChild&) = delete;

  int ExitDescriptor() const { return pidfd_.get(); }

  bool HasEnded() {
    if (status_) return true;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
    return status_.has_value();
  }

  // The group goes too: whatever the program started is ended with it.
  void Signal(int signal) const {
    if (kill(-pid_, signal) != 0) kill(pid_, signal);
  }

  ProgramEnd Reap() { return EndedWith(status_ ? *status_ : WaitForExit(pid_)); }

 private:
  pid_t pid_;
  UniqueFd pidfd_;
  std::optional<int> status_;
};

// Reads what the pipe holds now; false once the writing side has closed.
bool ReadAvailable(int fd, LineSplitter& lines, size_t limit = static_cast<size_t>(-1)) {
  char buffer[16 * 1024];
  for (size_t total = 0; total < limit;) {
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n > 0) {
      lines.Feed({buffer, static_cast<size_t>(n)});
      total += static_cast<size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    return n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK);
  }
  return true;
}

class WatchLoop {
 public:
  WatchLoop(WatchedChild& child, int output, const StopSignal* stop, LineSplitter& lines)
      : child_(child), output_(output), stop_(stop), lines_(lines) {}

  // Runs until the child has ended; true when it was told to stop.
  bool Run() {
    while (!child_.HasEnded()) {
      if (!stopping_ && stop_ && stop_->Requested()) BeginStop();
      if (stopping_ && !killed_ && Clock::now() >= kill_at_) {
        child_.Signal(SIGKILL);
        killed_ = true;
      }
      WaitForNews();
    }
    if (output_ >= 0) ReadAvailable(output_, lines_, kMostTrailingOutput);
    return stopping_;
  }

 private:
  void BeginStop() {
    stopping_ = true;
    child_.Signal(SIGTERM);
    kill_at_ = Clock::now() + kTermGrace;
  }

  void WaitForNews() {
    pollfd fds[3];
    nfds_t count = 0;
    int output_slot = -1;
    if (output_ >= 0) {
      output_slot = static_cast<int>(count);
      fds[count++] = {output_, POLLIN, 0};
    }
    if (child_.ExitDescriptor() >= 0) fds[count++] = {child_.ExitDescriptor(), POLLIN, 0};
    const int wake = stop_ && !stopping_ ? stop_->WakeDescriptor() : -1;
    if (wake >= 0) fds[count++] = {wake, POLLIN, 0};
    if (poll(fds, count, Timeout()) <= 0) return;
    if (output_slot >= 0 && fds[output_slot].revents != 0 && !ReadAvailable(output_, lines_)) output_ = -1;
  }

  // Milliseconds poll() may sleep: until the kill deadline, or a short while when
  // the child's end or a stop cannot wake it.
  int Timeout() const {
    int timeout = -1;
    const bool blind = child_.ExitDescriptor() < 0 || (stop_ && !stopping_ && stop_->WakeDescriptor() < 0);
    if (blind) timeout = static_cast<int>(kExitPollInterval.count());
    if (stopping_ && !killed_) {
      // Never negative: to poll() that means waiting for ever.
      const auto left =
          std::max<std::int64_t>(std::chrono::duration_cast<milliseconds>(kill_at_ - Clock::now()).count() + 1, 0);
      timeout = timeout < 0 ? static_cast<int>(left) : std::min(timeout, static_cast<int>(left));
    }
    return timeout;
  }

  WatchedChild& child_;
  int output_;
  const StopSignal* stop_;
  LineSplitter& lines_;
  bool stopping_ = false;
  bool killed_ = false;
  Clock::time_point kill_at_;
};

}  // namespace

ProgramEnd RunWatchedProgram(const std::string& command_line, const RunOptions& options, const ProgramWatch& watch) {
  if (watch.stop && watch.stop->Requested()) return {.stopped = true};
  std::optional<Pipe> pipe = MakePipe();
  if (!pipe) return {};
  SpawnSetup setup;
  if (options.working_directory) setup.ChangeDirectory(options.working_directory->native());
  setup.CaptureOutput(pipe->write_end.get());
  if (watch.output_file >= 0) setup.OutputTo(watch.output_file);
  setup.NewProcessGroup();
  setup.DieWithParent();
  std::optional<pid_t> pid = setup.Spawn(SplitCommandLine(command_line));
  pipe->write_end.Reset();  // the pipe reports its end once the child's copy closes
  if (!pid) return {};

  WatchedChild child(*pid);
  LineSplitter lines(watch.on_line);
  const bool stopped = WatchLoop(child, pipe->read_end.get(), watch.stop, lines).Run();
  lines.Finish();
  ProgramEnd end = child.Reap();
  end.stopped = stopped;
  return end;
}

}  // namespace runtime
