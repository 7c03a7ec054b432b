#include "tests/support/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <optional>

extern char** environ;

namespace testing_support {

namespace {

// argv and this process's environment with `env` laid over it, as exec takes them.
class ExecArguments {
 public:
  ExecArguments(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env) : argv_(argv) {
    for (char** e = environ; *e; ++e) {
      std::string entry = *e;
      if (!env.count(entry.substr(0, entry.find('=')))) environment_.push_back(entry);
    }
    for (const auto& [name, value] : env) environment_.push_back(name + "=" + value);
    for (const std::string& a : argv_) args_.push_back(const_cast<char*>(a.c_str()));
    for (const std::string& e : environment_) envp_.push_back(const_cast<char*>(e.c_str()));
    args_.push_back(nullptr);
    envp_.push_back(nullptr);
  }

  // Starts the program with its standard output and error on `output_fd`.
  int Spawn(pid_t& pid, int output_fd, const posix_spawnattr_t* attributes = nullptr) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output_fd, 1);
    posix_spawn_file_actions_adddup2(&actions, output_fd, 2);
    int rc = posix_spawnp(&pid, args_[0], &actions, attributes, args_.data(), envp_.data());
    posix_spawn_file_actions_destroy(&actions);
    return rc;
  }

 private:
  std::vector<std::string> argv_, environment_;
  std::vector<char*> args_, envp_;
};

// Waits for `pid` to end; its wait status, or nothing when waiting failed.
std::optional<int> WaitStatus(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return std::nullopt;
  }
  return status;
}

// Waits for `pid` to end and records how it ended in `result`.
void WaitForEnd(pid_t pid, ChildResult& result) {
  const std::optional<int> status = WaitStatus(pid);
  if (status && WIFEXITED(*status)) result.exit_code = WEXITSTATUS(*status);
  if (status && WIFSIGNALED(*status)) result.end_signal = WTERMSIG(*status);
}

}  // namespace

ChildResult RunChild(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env) {
  int pipe_fds[2];
  if (::pipe2(pipe_fds, O_CLOEXEC) != 0) return {};
  pid_t pid = 0;
  int rc = ExecArguments(argv, env).Spawn(pid, pipe_fds[1]);
  ::close(pipe_fds[1]);
  ChildResult result;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipe_fds[0], buffer, sizeof buffer)) != 0;) {
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    result.output.append(buffer, static_cast<size_t>(n));
  }
  ::close(pipe_fds[0]);
  if (rc != 0) return result;
  WaitForEnd(pid, result);
  return result;
}

ChildResult RunChildIntoFile(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                             const std::filesystem::path& output) {
  ChildResult result;
  const pid_t pid = StartChild(argv, env, output);
  if (pid == 0) return result;
  WaitForEnd(pid, result);
  std::ifstream file(output, std::ios::binary);
  result.output.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return result;
}

pid_t StartChild(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                 const std::filesystem::path& output) {
  int fd = ::open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  if (fd < 0) return 0;
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setpgroup(&attributes, 0);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  pid_t pid = 0;
  int rc = ExecArguments(argv, env).Spawn(pid, fd, &attributes);
  posix_spawnattr_destroy(&attributes);
  ::close(fd);
  return rc == 0 ? pid : 0;
}

int WaitChild(pid_t pid) {
  const std::optional<int> status = WaitStatus(pid);
  return status && WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
}

}  // namespace testing_support
