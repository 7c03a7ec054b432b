#pragma once
// What the system's process table says about processes a test started.
#include <sys/types.h>

#include <string>
#include <vector>

namespace testing_support {

// The children of `parent`, only those whose command name is `name` when given.
std::vector<pid_t> ChildProcesses(pid_t parent, const std::string& name = "");

// True while `pid` exists and has not ended (a zombie has ended).
bool ProcessRunning(pid_t pid);

// Waits up to two seconds for `pid` to stop running; true when it did.
bool EndsSoon(pid_t pid);

}  // namespace testing_support
