#pragma once
// Cuts a byte stream into lines at '\r' and '\n'. Console programs redraw a
// progress line with '\r', so each redraw counts as a line of its own.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace runtime {

class LineSplitter {
 public:
  using LineHandler = std::function<void(std::string_view line)>;

  // Lines longer than `longest` bytes are handed over in pieces of that size, so
  // output without any line break cannot grow without bound.
  explicit LineSplitter(LineHandler on_line, size_t longest = 64 * 1024)
      : on_line_(std::move(on_line)), longest_(longest) {}

  // Hands over every line that `bytes` completes; empty lines are skipped.
  void Feed(std::string_view bytes);
  // Hands over what is left after the last line break.
  void Finish();

 private:
  void Emit();

  LineHandler on_line_;
  size_t longest_;
  std::string pending_;
};

}  // namespace runtime
