#include "xvfb_display.h"

#include "tests/gui/wait_until.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

extern char** environ;

namespace winsys::testing {

namespace {

pid_t Spawn(const std::vector<std::string>& argv, bool quiet) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (quiet) {
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  pid_t pid = -1;
  const int error = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return error == 0 ? pid : -1;
}

int Wait(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int RunProgram(const std::vector<std::string>& argv) {
  const pid_t pid = Spawn(argv, true);
  return pid < 0 ? -1 : Wait(pid);
}

BackgroundProgram::BackgroundProgram(const std::vector<std::string>& argv) : pid_(Spawn(argv, true)) {}

BackgroundProgram::~BackgroundProgram() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  Wait(pid_);
}

WindowManager::WindowManager() : openbox_({"openbox", "--sm-disable"}) {
  running_ = openbox_.Started() && WaitUntil(
                                       [] {
                                         return RunProgram({"sh", "-c",
                                                            "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "
                                                            "'window id'"}) == 0;
                                       },
                                       15000);
}

XvfbDisplay::~XvfbDisplay() { Stop(); }

// Xvfb picks a free display number itself and writes it to -displayfd once it
// accepts connections: no race with other test programs starting servers.
bool XvfbDisplay::Start() {
  int fds[2];
  if (pipe(fds) != 0) return false;
  fcntl(fds[0], F_SETFD, FD_CLOEXEC);
  // -noreset: otherwise the server resets when its first client disconnects,
  // and a client connecting during that reset is refused.
  pid_ = Spawn(
      {"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"},
      true);
  close(fds[1]);
  std::string number;
  pollfd readable{fds[0], POLLIN, 0};
  char c = 0;
  while (pid_ >= 0 && poll(&readable, 1, 10000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n') number.push_back(c);
  close(fds[0]);
  if (number.empty()) {
    Stop();
    return false;
  }
  name_ = ":" + number;
  setenv("DISPLAY", name_.c_str(), 1);
  return true;
}

void XvfbDisplay::Stop() {
  if (pid_ < 0) return;
  kill(pid_, SIGTERM);
  Wait(pid_);
  pid_ = -1;
}

}  // namespace winsys::testing
