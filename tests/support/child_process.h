#pragma once
// Runs a program for a test and collects what it printed.
#include <map>
#include <string>
#include <vector>

namespace testing_support {

struct ChildResult {
  int exit_code = -1;  // -1 when it did not exit normally
  std::string output;  // standard output and standard error, interleaved
};

// Runs argv[0] (looked up on PATH) with this process's environment plus `env`.
ChildResult RunChild(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env = {});

}  // namespace testing_support
