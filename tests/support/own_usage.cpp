#include "tests/support/own_usage.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/support/temp_dir.h"

namespace testing_support {
namespace {

// A "Name:   1234 kB" line of /proc/self/status; -1 when it is missing.
long StatusKilobytes(const std::string& name) {
  std::istringstream lines(ReadWholeFile("/proc/self/status"));
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(name + ":", 0) != 0) continue;
    return std::stol(line.substr(name.size() + 1));
  }
  return -1;
}

}  // namespace

std::vector<std::string> OwnThreadNames() {
  std::vector<std::string> names;
  for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
    std::string name = ReadWholeFile(task.path() / "comm");
    if (!name.empty() && name.back() == '\n') name.pop_back();
    names.push_back(name);
  }
  return names;
}

long OwnResidentKilobytes() { return StatusKilobytes("VmRSS"); }
long OwnPeakResidentKilobytes() { return StatusKilobytes("VmHWM"); }

bool ResetOwnPeakResident() {
  std::ofstream clear_refs("/proc/self/clear_refs");
  clear_refs << "5";
  clear_refs.flush();
  return static_cast<bool>(clear_refs);
}

}  // namespace testing_support
