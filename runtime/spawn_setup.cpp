#include "runtime/spawn_setup.h"

#include <fcntl.h>
#include <linux/close_range.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "runtime/unique_fd.h"

extern char** environ;

namespace runtime {
namespace {

// Where argv[0] is run from: itself when it names a path, else the first
// executable of that name on PATH. Found before the fork, since the child may
// only make async-signal-safe calls.
std::string ProgramFile(const std::string& program) {
  if (program.find('/') != std::string::npos) return program;
  const char* path = std::getenv("PATH");
  std::string_view dirs = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
  while (true) {
    const size_t colon = dirs.find(':');
    std::string dir(dirs.substr(0, colon));
    std::string candidate = (dir.empty() ? std::string(".") : dir) + "/" + program;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
    if (colon == std::string_view::npos) return {};
    dirs.remove_prefix(colon + 1);
  }
}

// Tells the parent through `report` why the child could not run the program.
[[noreturn]] void ReportAndExit(int report) {
  const int code = errno;
  while (write(report, &code, sizeof code) < 0 && errno == EINTR) {
  }
  _exit(127);
}

bool MoveTo(int from, int to) { return from < 0 || from == to || dup2(from, to) >= 0; }

}  // namespace

// The child's side, between fork and exec: only async-signal-safe calls. On a
// failure the reason goes back through `report` and the child ends.
void SpawnSetup::RunChild(const char* file, char* const* argv, int report, pid_t parent) const {
  auto fail = [report] { ReportAndExit(report); };
  if (die_with_parent_) {
    if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0) fail();
    if (getppid() != parent) _exit(127);  // the parent went before the request took hold
  }
  if (new_group_ && setpgid(0, 0) != 0) fail();
  // Neither this process's blocked signals nor its ignored or caught ones.
  for (int signal : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGCHLD}) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigaction(signal, &action, nullptr);
  }
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  if (null_input_) {
    const int input = open("/dev/null", O_RDONLY);
    if (input < 0 || !MoveTo(input, STDIN_FILENO)) fail();
  }
  if (!MoveTo(output_, STDOUT_FILENO) || !MoveTo(error_, STDERR_FILENO)) fail();
  if (directory_ && chdir(directory_->c_str()) != 0) fail();
  // Nothing above the standard three survives the exec; the report pipe stays
  // open until then.
  if (syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC) != 0) fail();
  execve(file, argv, environ);
  ReportAndExit(report);
}

void SpawnSetup::CaptureOutput(int fd) {
  null_input_ = true;
  output_ = fd;
  error_ = fd;
}

std::optional<pid_t> SpawnSetup::Spawn(const std::vector<std::string>& argv) const {
  if (argv.empty() || argv[0].empty()) return std::nullopt;
  const std::string file = ProgramFile(argv[0]);
  if (file.empty()) return std::nullopt;
  std::vector<char*> pointers;
  for (const std::string& arg : argv) pointers.push_back(const_cast<char*>(arg.c_str()));
  pointers.push_back(nullptr);

  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
  UniqueFd report_read(fds[0]);
  UniqueFd report_write(fds[1]);
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid < 0) return std::nullopt;
  if (pid == 0) RunChild(file.c_str(), pointers.data(), report_write.get(), parent);
  report_write.Reset();
  // The report pipe closes unread when exec succeeded; an error number means it did not.
  int code = 0;
  ssize_t n;
  while ((n = read(report_read.get(), &code, sizeof code)) < 0 && errno == EINTR) {
  }
  if (n > 0) {
    WaitForExit(pid);
    return std::nullopt;
  }
  // Set here too, so that the group exists before anyone signals it.
  if (new_group_) setpgid(pid, pid);
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
