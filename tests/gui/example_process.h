#pragma once
// An example program run for a GUI test, with its standard output on a pipe
// that the test reads line by line, and helpers to look at the screen.
#include <sys/types.h>

#include <string>
#include <vector>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/geometry.h"
#include "tests/gui/wait_until.h"

namespace winsys::testing {

class ExampleProcess {
 public:
  explicit ExampleProcess(const std::string& program, const std::vector<std::string>& arguments = {});
  ~ExampleProcess();
  ExampleProcess(const ExampleProcess&) = delete;
  ExampleProcess& operator=(const ExampleProcess&) = delete;

  // Waits (bounded) for a line of output; true when it came.
  bool WaitForLine(const std::string& line, int timeout_ms = 10000);
  // Waits (bounded) for the program to end; true when it did.
  bool WaitForExit(int timeout_ms = 10000);
  // The exit code once WaitForExit saw a normal exit; -1 otherwise.
  int exit_status() const { return exit_status_; }
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string received_;
  int exit_status_ = -1;
};

// Where the first window whose name matches the pattern is and how big, as
// xdotool reports it; width and height 0 when there is none.
gfx::RectI WindowGeometry(const std::string& name_pattern);

// The whole screen of `display` as the X server shows it; null on failure.
gfx::Bitmap Screenshot(const std::string& display);
// Whether two colours differ by at most `tolerance` in each of red, green and blue.
bool ColourNear(gfx::Argb a, gfx::Argb b, int tolerance);
// Screenshots until the pixel shows the colour within `tolerance` per channel
// (bounded by `timeout_ms`).
bool ScreenShows(const std::string& display, int x, int y, gfx::Argb colour, int tolerance = 2, int timeout_ms = 2000);
// Screenshots every 100 ms until the screen has stayed the same for half a
// second: animations (a window's opening, a button's hover light fading) have
// ended. Two equal shots alone are not enough: under a sanitizer a frame of an
// animation, or the first paint after mapping, can take longer than 100 ms.
bool ScreenSettles(const std::string& display, int timeout_ms = 8000);

}  // namespace winsys::testing
