#pragma once
// A private X server for one test program: Xvfb on a display number it chose
// itself, killed when the object goes.
#include <sys/types.h>

#include <string>
#include <vector>

namespace winsys::testing {

// Runs a program (looked up on PATH) and waits for it; its exit status, -1 when
// it could not run or did not exit normally.
int RunProgram(const std::vector<std::string>& argv);

// A program run in the background for a test (another application, a window
// manager), ended when the object goes.
class BackgroundProgram {
 public:
  explicit BackgroundProgram(const std::vector<std::string>& argv);
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;
  ~BackgroundProgram();
  bool Started() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
};

// Openbox on the current display, as a desktop user has a window manager.
class WindowManager {
 public:
  // Starts it and waits (bounded) until it has announced itself on the root window.
  WindowManager();
  bool Running() const { return running_; }

 private:
  BackgroundProgram openbox_;
  bool running_ = false;
};

class XvfbDisplay {
 public:
  XvfbDisplay() = default;
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;
  ~XvfbDisplay();

  // Starts the server and points DISPLAY at it. False when no server came up.
  bool Start();
  const std::string& Name() const { return name_; }

 private:
  void Stop();

  pid_t pid_ = -1;
  std::string name_;
};

}  // namespace winsys::testing
