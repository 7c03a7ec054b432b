#include "tests/gui/x_clipboard.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <memory>

namespace winsys::testing {
namespace {

struct PipeCloser {
  void operator()(FILE* f) const { pclose(f); }
};
using Pipe = std::unique_ptr<FILE, PipeCloser>;

std::string ReadXClipboard() {
  Pipe pipe(popen("xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null", "r"));
  if (!pipe) return {};
  std::string text;
  char buffer[256];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) text.append(buffer, n);
  return text;
}

}  // namespace

bool SetXClipboard(const std::string& utf8) {
  FILE* f = popen("xclip -i -selection clipboard -t UTF8_STRING", "w");
  if (!f) return false;
  Pipe pipe(f);
  const bool written = fwrite(utf8.data(), 1, utf8.size(), f) == utf8.size();
  return written && pclose(pipe.release()) == 0;
}

std::string WaitForXClipboard(const std::string& expected, int timeout_ms) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  std::string text = ReadXClipboard();
  while (text != expected && std::chrono::steady_clock::now() < deadline) {
    usleep(50 * 1000);
    text = ReadXClipboard();
  }
  return text;
}

}  // namespace winsys::testing
