#include "xvfb_display.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

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

XvfbDisplay::~XvfbDisplay() { Stop(); }

bool XvfbDisplay::Start() {
  for (int number = 90; number < 190; ++number) {
    if (std::filesystem::exists("/tmp/.X" + std::to_string(number) + "-lock")) continue;
    if (TryNumber(number)) return true;
  }
  return false;
}

bool XvfbDisplay::TryNumber(int number) {
  const std::string name = ":" + std::to_string(number);
  // -noreset: otherwise the server resets when the readiness probe disconnects,
  // and a client connecting during that reset is refused.
  pid_ = Spawn({"Xvfb", name, "-screen", "0", "1024x768x24", "-nolisten", "tcp", "-noreset"}, true);
  if (pid_ < 0) return false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (std::chrono::steady_clock::now() < deadline) {
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {  // lost the race for this number
      pid_ = -1;
      return false;
    }
    if (RunProgram({"xdpyinfo", "-display", name}) == 0) {
      name_ = name;
      setenv("DISPLAY", name.c_str(), 1);
      return true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  Stop();
  return false;
}

void XvfbDisplay::Stop() {
  if (pid_ < 0) return;
  kill(pid_, SIGTERM);
  Wait(pid_);
  pid_ = -1;
}

}  // namespace winsys::testing
