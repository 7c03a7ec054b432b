#pragma once
// A fixture for the GTK backend on a private Xvfb server: windows that log
// their messages, a message loop that runs until a condition holds (bounded),
// xdotool and screenshots.
#include <gtest/gtest.h>

#include "tests/gui/wait_until.h"

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "platform/gfx/graphics.h"
#include "platform/gfx/image_decoder.h"
#include "platform/window/window_system.h"
#include "tests/gui/xvfb_display.h"

namespace winsys::testing {

using Clock = std::chrono::steady_clock;

struct Logged {
  unsigned message = 0;
  WParam wparam = 0;
  LParam lparam = 0;
};

class GtkWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    setenv("NO_AT_BRIDGE", "1", 1);
    display_ = new XvfbDisplay();
    started_ = display_->Start();
  }
  static void TearDownTestSuite() {
    delete display_;
    display_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(started_) << "Xvfb did not start";
    setenv("BRIVO_PLATFORM", "gtk", 1);
    ASSERT_TRUE(Start());
    sys = &Current();
  }
  void TearDown() override { Install(nullptr); }

  // A visible window that logs its messages and paints `picture` (if any).
  WindowId Make(const gfx::RectI& rect, std::uint32_t ex_style = 0) {
    CreateParams params;
    params.rect = rect;
    params.style = WS_POPUP | WS_VISIBLE;
    params.ex_style = ex_style;
    return MakeWith(std::move(params));
  }
  // The same with the caller's parameters (its procedure is replaced).
  WindowId MakeWith(CreateParams params) {
    params.proc = [this](WindowId w, unsigned m, WParam wp, LParam lp) -> LResult {
      log.push_back({m, wp, lp});
      if (m == WM_IME_COMPOSITION && (lp & GCS_RESULTSTR)) ime_text += sys->ImeResult(w);
      if (m == WM_CHAR) typed.push_back(static_cast<char16_t>(wp));
      if (m == WM_KEYDOWN && wp == 'V') ctrl_with_v = sys->IsKeyDown(VK_CONTROL);
      if (m == WM_USER + 2) return static_cast<LResult>(wp) * 3;
      if (m == WM_PAINT && !picture.IsNull()) {
        const gfx::RectI area = sys->BeginPaint(w);
        if (sys->ExStyle(w) & WS_EX_LAYERED)
          sys->PresentLayered(w, layered_picture, 255);
        else
          sys->Present(w, picture, area);
        sys->EndPaint(w);
        ++paints;
        return 0;
      }
      return sys->DefWindowProc(w, m, wp, lp);
    };
    return sys->CreateWindow(params);
  }

  // Runs the message loop until `done` holds or the time is up. A 20 ms timer
  // keeps GetMessage from blocking past the deadline.
  bool PumpUntil(const std::function<bool()>& done, int timeout_ms = 5000) {
    sys->SetTimer(0, 0xD06, 20, [](WindowId, unsigned, std::uintptr_t, std::uint32_t) {});
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeout_ms);
    Message m;
    while (!done() && Clock::now() < deadline && sys->GetMessage(m)) sys->DispatchMessage(m);
    sys->KillTimer(0, 0xD06);
    return done();
  }
  void PumpFor(int ms) {
    const auto until = Clock::now() + std::chrono::milliseconds(ms);
    PumpUntil([&] { return Clock::now() >= until; }, ms + 1000);
  }

  std::vector<unsigned> Mouse() const {
    std::vector<unsigned> found;
    for (const Logged& l : log)
      if (l.message >= WM_LBUTTONDOWN && l.message <= WM_LBUTTONDBLCLK) found.push_back(l.message);
    return found;
  }
  const Logged* First(unsigned message) const {
    for (const Logged& l : log)
      if (l.message == message) return &l;
    return nullptr;
  }

  int Xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), "xdotool");
    return RunProgram(args);
  }
  // Runs xdotool while the loop keeps running: some of what it does (a key
  // bound to a symbol only for the moment it is typed) must be read at once.
  int XdotoolPumping(std::vector<std::string> args) {
    std::atomic<int> status{-2};
    std::thread runner([&] { status = Xdotool(std::move(args)); });
    PumpUntil([&] { return status != -2; }, 20000);
    runner.join();
    return status;
  }

  // The whole screen as the X server shows it.
  gfx::Bitmap Screenshot() {
    const auto path = std::filesystem::temp_directory_path() / ("brivo-shot-" + std::to_string(::getpid()) + ".png");
    if (RunProgram({"import", "-display", display_->Name(), "-window", "root", path.string()}) != 0) return {};
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    auto decoded = gfx::DecodeImage(bytes);
    if (!decoded || decoded->frames.empty()) return {};
    return std::move(decoded->frames[0]);
  }
  // Screenshots until the pixels at the points are the colours (the server may
  // not have drawn yet); true when they matched in time.
  bool ScreenShows(const std::vector<std::tuple<int, int, gfx::Argb>>& expected) {
    for (int attempt = 0; attempt < 20; ++attempt) {
      PumpFor(50);
      const gfx::Bitmap shot = Screenshot();
      bool all = !shot.IsNull();
      for (const auto& [x, y, colour] : expected) all = all && shot.GetPixel(x, y) == colour;
      if (all) return true;
    }
    return false;
  }

  static gfx::Bitmap TwoColours(int width, int height, gfx::Argb left, gfx::Argb right) {
    gfx::Bitmap picture(width, height);
    gfx::Graphics g(picture);
    g.FillRectangle(left, {0, 0, width / 2.0f, static_cast<float>(height)});
    g.FillRectangle(right, {width / 2.0f, 0, width / 2.0f, static_cast<float>(height)});
    return picture;
  }

  static inline XvfbDisplay* display_ = nullptr;
  static inline bool started_ = false;
  WindowSystem* sys = nullptr;
  std::vector<Logged> log;
  gfx::Bitmap picture;
  gfx::Bitmap layered_picture;
  int paints = 0;
  std::string ime_text;
  std::u16string typed;
  bool ctrl_with_v = false;
};

}  // namespace winsys::testing
