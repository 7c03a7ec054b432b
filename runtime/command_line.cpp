#include "runtime/command_line.h"

namespace runtime {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t SkipBlanks(std::string_view line, size_t pos) {
  while (pos < line.size() && IsBlank(line[pos])) ++pos;
  return pos;
}

// The program name: quotes group, backslashes are path separators.
std::string ReadProgramName(std::string_view line, size_t& pos) {
  std::string name;
  bool quoted = false;
  for (; pos < line.size() && (quoted || !IsBlank(line[pos])); ++pos) {
    if (line[pos] == '"')
      quoted = !quoted;
    else
      name.push_back(line[pos]);
  }
  return name;
}

std::string ReadArgument(std::string_view line, size_t& pos) {
  std::string arg;
  bool quoted = false;
  while (pos < line.size() && (quoted || !IsBlank(line[pos]))) {
    size_t backslashes = 0;
    while (pos < line.size() && line[pos] == '\\') ++backslashes, ++pos;
    if (pos < line.size() && line[pos] == '"') {
      arg.append(backslashes / 2, '\\');
      if (backslashes % 2 == 1) {
        arg.push_back('"');
      } else if (quoted && pos + 1 < line.size() && line[pos + 1] == '"') {
        arg.push_back('"');  // "" inside quotes
        ++pos;
      } else {
        quoted = !quoted;
      }
      ++pos;
      continue;
    }
    arg.append(backslashes, '\\');
    if (pos < line.size() && (quoted || !IsBlank(line[pos]))) arg.push_back(line[pos++]);
  }
  return arg;
}

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  std::vector<std::string> args;
  size_t pos = SkipBlanks(line, 0);
  if (pos == line.size()) return args;
  args.push_back(ReadProgramName(line, pos));
  for (pos = SkipBlanks(line, pos); pos < line.size(); pos = SkipBlanks(line, pos))
    args.push_back(ReadArgument(line, pos));
  return args;
}

}  // namespace runtime
