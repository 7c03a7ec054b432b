#pragma once
// Runs a program for a test and collects what it printed.
#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace testing_support {

struct ChildResult {
  int exit_code = -1;  // -1 when it did not exit normally
  int end_signal = 0;  // the signal that ended it, when one did
  std::string output;  // standard output and standard error, interleaved
};

// Runs argv[0] (looked up on PATH) with this process's environment plus `env`.
ChildResult RunChild(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env = {});

// Runs argv[0] like RunChild with its output going into the file `output`, read
// once argv[0] itself has ended: programs that it leaves behind (such as Wine's
// own services) may keep the output open much longer.
ChildResult RunChildIntoFile(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                             const std::filesystem::path& output);

// Starts argv[0] like RunChild, without waiting, as the leader of a new process
// group (as a shell starts a foreground job, so the test can send the group what
// a terminal's Ctrl+C sends), its output going to the file `output`. 0 on failure.
pid_t StartChild(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                 const std::filesystem::path& output);

// Waits for a child started by StartChild; its exit code, or -1 when it did not exit.
int WaitChild(pid_t pid);

}  // namespace testing_support
