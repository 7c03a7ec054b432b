#include "tests/gui/x_clipboard.h"

#include "tests/gui/wait_until.h"

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

std::string ReadXClipboard(const std::string& selection) {
  Pipe pipe(popen(("xclip -o -selection " + selection + " -t UTF8_STRING 2>/dev/null").c_str(), "r"));
  if (!pipe) return {};
  std::string text;
  char buffer[256];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0;) text.append(buffer, n);
  return text;
}

}  // namespace

bool SetXClipboard(const std::string& utf8, const std::string& selection) {
  FILE* f = popen(("xclip -i -selection " + selection + " -t UTF8_STRING").c_str(), "w");
  if (!f) return false;
  Pipe pipe(f);
  const bool written = fwrite(utf8.data(), 1, utf8.size(), f) == utf8.size();
  return written && pclose(pipe.release()) == 0;
}

std::string WaitForXClipboard(const std::string& expected, int timeout_ms, const std::string& selection) {
  std::string text;
  WaitUntil(
      [&] {
        text = ReadXClipboard(selection);
        return text == expected;
      },
      timeout_ms);
  return text;
}

}  // namespace winsys::testing
