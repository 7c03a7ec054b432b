#include "tests/gui/example_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/gfx/image_decoder.h"
#include "tests/gui/wait_until.h"
#include "tests/gui/xvfb_display.h"

extern char** environ;

namespace winsys::testing {
namespace {

using Clock = std::chrono::steady_clock;

int MillisecondsLeft(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

ExampleProcess::ExampleProcess(const std::string& program, const std::vector<std::string>& arguments) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  if (posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  ::close(fds[1]);
  out_ = fds[0];
}

ExampleProcess::~ExampleProcess() {
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
  if (out_ >= 0) ::close(out_);
}

bool ExampleProcess::WaitForLine(const std::string& line, int timeout_ms) {
  auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
  while (received_.find(line + "\n") == std::string::npos) {
    int left = MillisecondsLeft(deadline);
    pollfd readable{out_, POLLIN, 0};
    if (left == 0 || ::poll(&readable, 1, left) <= 0) return false;
    char buffer[256];
    ssize_t n = ::read(out_, buffer, sizeof buffer);
    if (n <= 0) return false;
    // A Windows program's text-mode output ends its lines with "\r\n".
    for (char c : std::string_view(buffer, static_cast<size_t>(n)))
      if (c != '\r') received_ += c;
  }
  return true;
}

bool ExampleProcess::WaitForExit(int timeout_ms) {
  return WaitUntil(
      [this] {
        int status = 0;
        if (pid_ > 0 && ::waitpid(pid_, &status, WNOHANG) == pid_) {
          exit_status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
          pid_ = -1;
        }
        return pid_ <= 0;
      },
      timeout_ms, 20);
}

gfx::RectI WindowGeometry(const std::string& name_pattern) {
  const std::string out = "/tmp/brivo-geometry-" + std::to_string(::getpid());
  const std::string command =
      "xdotool search --name '" + name_pattern + "' getwindowgeometry --shell 2>/dev/null | head -5 > " + out;
  gfx::RectI rect{-1, -1, 0, 0};
  if (RunProgram({"sh", "-c", command}) != 0) return rect;
  std::ifstream in(out);
  std::string line;
  while (std::getline(in, line)) {
    const auto value = [&] { return std::stoi(line.substr(line.find('=') + 1)); };
    if (line.rfind("X=", 0) == 0) rect.x = value();
    if (line.rfind("Y=", 0) == 0) rect.y = value();
    if (line.rfind("WIDTH=", 0) == 0) rect.width = value();
    if (line.rfind("HEIGHT=", 0) == 0) rect.height = value();
  }
  std::filesystem::remove(out);
  return rect;
}

gfx::Bitmap Screenshot(const std::string& display) {
  auto path = std::filesystem::temp_directory_path() / ("brivo-shot-" + std::to_string(::getpid()) + ".png");
  if (RunProgram({"import", "-display", display, "-window", "root", path.string()}) != 0) return {};
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
  auto decoded = gfx::DecodeImage(bytes);
  return decoded && !decoded->frames.empty() ? std::move(decoded->frames[0]) : gfx::Bitmap();
}

bool ColourNear(gfx::Argb a, gfx::Argb b, int tolerance) {
  auto near = [tolerance](int x, int y) { return std::abs(x - y) <= tolerance; };
  return near(gfx::RedOf(a), gfx::RedOf(b)) && near(gfx::GreenOf(a), gfx::GreenOf(b)) &&
         near(gfx::BlueOf(a), gfx::BlueOf(b));
}

bool ScreenShows(const std::string& display, int x, int y, gfx::Argb colour, int tolerance, int timeout_ms) {
  return WaitUntil(
      [&] {
        gfx::Bitmap shot = Screenshot(display);
        return !shot.IsNull() && ColourNear(shot.GetPixel(x, y), colour, tolerance);
      },
      timeout_ms);
}

namespace {

bool SamePicture(const gfx::Bitmap& a, const gfx::Bitmap& b) {
  if (a.IsNull() || b.IsNull() || a.Width() != b.Width() || a.Height() != b.Height()) return false;
  const auto row_bytes = static_cast<size_t>(a.Width()) * sizeof(std::uint32_t);
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.Row(y), b.Row(y), row_bytes) != 0) return false;
  return true;
}

}  // namespace

bool ScreenSettles(const std::string& display, int timeout_ms) {
  constexpr int kPollMs = 100;
  constexpr int kStillShots = 5;  // half a second without a change
  gfx::Bitmap before = Screenshot(display);
  int still = 0;
  return WaitUntil(
      [&] {
        gfx::Bitmap now = Screenshot(display);
        still = SamePicture(now, before) ? still + 1 : 0;
        before = std::move(now);
        return still >= kStillShots;
      },
      timeout_ms, kPollMs);
}

}  // namespace winsys::testing
