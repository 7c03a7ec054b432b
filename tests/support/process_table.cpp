#include "tests/support/process_table.h"

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "tests/support/temp_dir.h"

namespace testing_support {
namespace {

struct ProcessStat {
  std::string name;
  char state = '?';
  pid_t parent = 0;
};

// /proc/PID/stat is "pid (comm) state ppid ..."; comm may hold blanks and parentheses.
bool ReadStat(pid_t pid, ProcessStat& stat) {
  std::string text = ReadWholeFile("/proc/" + std::to_string(pid) + "/stat");
  size_t open = text.find('('), close = text.rfind(") ");
  if (open == std::string::npos || close == std::string::npos) return false;
  stat.name = text.substr(open + 1, close - open - 1);
  std::istringstream rest(text.substr(close + 2));
  return static_cast<bool>(rest >> stat.state >> stat.parent);
}

}  // namespace

std::vector<pid_t> ChildProcesses(pid_t parent, const std::string& name) {
  std::vector<pid_t> children;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string file = entry.path().filename().string();
    if (file.find_first_not_of("0123456789") != std::string::npos) continue;
    ProcessStat stat;
    const pid_t pid = static_cast<pid_t>(std::stol(file));
    if (ReadStat(pid, stat) && stat.parent == parent && (name.empty() || stat.name == name)) children.push_back(pid);
  }
  return children;
}

bool ProcessRunning(pid_t pid) {
  ProcessStat stat;
  return ReadStat(pid, stat) && stat.state != 'Z';
}

bool EndsSoon(pid_t pid) {
  for (int i = 0; i < 200 && ProcessRunning(pid); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return !ProcessRunning(pid);
}

}  // namespace testing_support
