// Command-line splitting: any bytes split without fault, and a line built from
// arbitrary arguments with the usual quoting rule splits back into exactly those
// arguments, one each.
#include <vector>

#include "fuzz/fuzz_input.h"
#include "runtime/command_line.h"

namespace {

// The quoting that the C runtime's rules undo: backslashes double only where a
// quote follows them, quotes are escaped, and the whole is quoted.
std::string QuotedArgument(const std::string& arg) {
  std::string out = "\"";
  size_t backslashes = 0;
  for (char c : arg) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(2 * backslashes, '\\');
  return out + "\"";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  for (const auto& arg : runtime::SplitCommandLine(line))
    fuzzing::Check(arg.size() <= line.size(), "an argument longer than its line");

  // The program name only honours quotes, so it may hold anything but a quote.
  fuzzing::FuzzInput input(data, size);
  std::vector<std::string> args{input.TakeText()};
  std::erase(args[0], '"');
  while (!input.Empty()) args.push_back(input.TakeText());
  std::string built = "\"" + args[0] + "\"";
  for (size_t i = 1; i < args.size(); ++i) built += " " + QuotedArgument(args[i]);
  fuzzing::Check(runtime::SplitCommandLine(built) == args, "quoted arguments did not split back");
  return 0;
}
