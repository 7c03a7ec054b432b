// The example host window on a real X server: it appears, shows its controls'
// pixels where they belong, and a click through xdotool reaches a control.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#include <thread>

#include "platform/gfx/image_decoder.h"
#include "tests/gui/xvfb_display.h"

extern char** environ;

namespace {

using winsys::testing::RunProgram;
using winsys::testing::XvfbDisplay;

// The example program with its standard output on a pipe we read line by line.
class ExampleProcess {
 public:
  explicit ExampleProcess(const std::string& program) {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    char* argv[] = {const_cast<char*>(program.c_str()), nullptr};
    if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    out_ = fds[0];
  }
  ~ExampleProcess() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) ::close(out_);
  }

  // Waits (bounded) for a line of output; true when it came.
  bool WaitForLine(const std::string& line, int timeout_ms = 10000) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
    while (received_.find(line + "\n") == std::string::npos) {
      auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) return false;
      pollfd p{out_, POLLIN, 0};
      if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
      char buffer[256];
      ssize_t n = ::read(out_, buffer, sizeof buffer);
      if (n <= 0) return false;
      received_.append(buffer, static_cast<size_t>(n));
    }
    return true;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  std::string received_;
};

class HostWindowGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display_.Start()) << "no Xvfb";
  }

  gfx::Bitmap Screenshot() {
    auto path = std::filesystem::temp_directory_path() / ("brivo-host-shot-" + std::to_string(::getpid()) + ".png");
    if (RunProgram({"import", "-display", display_.Name(), "-window", "root", path.string()}) != 0) return {};
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    auto decoded = gfx::DecodeImage(bytes);
    return decoded && !decoded->frames.empty() ? std::move(decoded->frames[0]) : gfx::Bitmap();
  }

  // Screenshots until the pixel shows the colour (within 2 per channel), bounded.
  bool ScreenShows(int x, int y, gfx::Argb colour) {
    auto near = [](unsigned a, unsigned b) { return (a > b ? a - b : b - a) <= 2; };
    for (int attempt = 0; attempt < 40; ++attempt) {
      gfx::Bitmap shot = Screenshot();
      gfx::Argb p = shot.IsNull() ? 0 : shot.GetPixel(x, y);
      if (!shot.IsNull() && near(gfx::RedOf(p), gfx::RedOf(colour)) && near(gfx::GreenOf(p), gfx::GreenOf(colour)) &&
          near(gfx::BlueOf(p), gfx::BlueOf(colour)))
        return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  XvfbDisplay display_;
};

// The window is 380 x 250, centred on the 1024 x 768 screen: its top-left is
// at (322, 259). The red swatch covers (20, 20) to (120, 80) in the window.
TEST_F(HostWindowGuiTest, TheWindowShowsItsControlsAndAClickReachesOne) {
  ExampleProcess example(HOST_WINDOW_PATH);
  ASSERT_TRUE(example.WaitForLine("ready"));
  EXPECT_TRUE(ScreenShows(322 + 70, 259 + 50, 0xFFD04040));   // red swatch
  EXPECT_TRUE(ScreenShows(322 + 310, 259 + 50, 0xFF4070D0));  // blue swatch
  EXPECT_TRUE(ScreenShows(322 + 200, 259 + 150, 0xFF182840)); // the background colour
  ASSERT_EQ(RunProgram({"xdotool", "mousemove", std::to_string(322 + 190), std::to_string(259 + 45), "click", "1"}),
            0);
  EXPECT_TRUE(example.WaitForLine("click green"));
}

}  // namespace
