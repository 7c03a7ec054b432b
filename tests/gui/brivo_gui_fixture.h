#pragma once
// The brivo window program on a private X server, pointed at a demo site of
// its own; the file manager is a script that records what it was given.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "assets/assets.h"
#include "platform/gfx/image_decoder.h"
#include "tests/gui/example_process.h"
#include "tests/gui/xvfb_display.h"
#include "tests/support/demo_site.h"
#include "tests/support/temp_dir.h"

namespace winsys::testing {

namespace fs = std::filesystem;

// 380 x 338, centred on the 1024 x 768 screen; a 320 x 150 box centred too.
constexpr int kLeft = 322, kTop = 215;
constexpr int kBoxLeft = (1024 - 320) / 2, kBoxTop = (768 - 150) / 2;
constexpr char kTrack[] = "晨岚测试曲一";

class BrivoGuiTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { site_ = std::make_unique<testing_support::DemoSite>(); }
  static void TearDownTestSuite() { site_.reset(); }

  void SetUp() override {
    ASSERT_TRUE(display_.Start()) << "no Xvfb";
    for (const auto& [name, value] : site_->ProgramEnvironment()) Set(name.c_str(), value);
    Set("BRIVO_DOWNLOAD_DIR", Downloads().string());
    Set("no_proxy", "127.0.0.1,localhost");
    testing_support::WriteScript(folder_.path() / "file-manager", "printf '%s\\n' \"$1\" >> \"$0.record\"\n");
    Set("BRIVO_FILE_MANAGER", (folder_.path() / "file-manager").string());
  }

  void Set(const char* name, const std::string& value) {
    environment_.push_back(std::make_unique<testing_support::ScopedEnv>(name, value));
  }
  fs::path Downloads() const { return folder_.path() / "downloads"; }

  // Starts brivo and waits until its window shows the background picture.
  void Launch(const std::vector<std::string>& arguments) {
    brivo_ = std::make_unique<ExampleProcess>(BRIVO_PATH, arguments);
    ASSERT_TRUE(ScreenShows(display_.Name(), kLeft + 200, kTop + 300, Background(200, 300))) << "no window";
  }
  // The background picture's pixel at a window point no control covers.
  static gfx::Argb Background(int x, int y) {
    static const auto decoded = gfx::DecodeImage(assets::MainBackground());
    return decoded->frames[0].GetPixel(x - 5, y - 5);
  }
  int Xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), "xdotool");
    return RunProgram(args);
  }
  void ClickAt(int x, int y) {
    ASSERT_EQ(Xdotool({"mousemove", std::to_string(kLeft + x), std::to_string(kTop + y), "click", "1"}), 0);
  }
  // A popup menu's window, by its window text.
  static constexpr char kMenuWindow[] = "^Ex_RazezaZO_Menu$";

  // Waits (bounded) for a window whose title matches, or for it to be gone.
  bool WaitForWindow(const std::string& title, bool present = true) {
    return WaitUntil([&] { return (WindowGeometry(title).width > 0) == present; }, 30000);
  }

  // Waits for the box of that title and answers it with the Return key.
  void AnswerWithReturn(const std::string& title) {
    ASSERT_TRUE(WaitForWindow(title)) << title;
    // Without a window manager the keyboard follows the pointer.
    ASSERT_EQ(Xdotool({"mousemove", std::to_string(kBoxLeft + 150), std::to_string(kBoxTop + 60)}), 0);
    ASSERT_EQ(Xdotool({"key", "Return"}), 0);
    ASSERT_TRUE(WaitForWindow(title, false)) << title;
  }
  // The lines the file manager was given so far, once there are some (bounded).
  std::string Shown() const {
    std::string shown;
    WaitUntil([&] {
      shown = testing_support::ReadWholeFile(folder_.path() / "file-manager.record");
      return !shown.empty();
    });
    return shown;
  }

  static std::unique_ptr<testing_support::DemoSite> site_;
  XvfbDisplay display_;
  testing_support::TempDir folder_;
  std::vector<std::unique_ptr<testing_support::ScopedEnv>> environment_;
  std::unique_ptr<ExampleProcess> brivo_;
};

inline std::unique_ptr<testing_support::DemoSite> BrivoGuiTest::site_;

// The same under openbox: a real window manager places the window (so its
// place is asked for) and closes it (Alt+F4).
class BrivoManagedGuiTest : public BrivoGuiTest {
 protected:
  void SetUp() override {
    BrivoGuiTest::SetUp();
    window_manager_ = std::make_unique<WindowManager>();
    ASSERT_TRUE(window_manager_->Running()) << "openbox did not start";
  }
  void TearDown() override {
    brivo_.reset();
    window_manager_.reset();
  }
  std::unique_ptr<WindowManager> window_manager_;
};

inline bool Red(gfx::Argb p) { return gfx::RedOf(p) > 150 && gfx::GreenOf(p) < 90 && gfx::BlueOf(p) < 90; }
inline bool Dark(gfx::Argb p) { return gfx::RedOf(p) < 60 && gfx::GreenOf(p) < 60 && gfx::BlueOf(p) < 60; }

// Whether some pixel of the window rectangle (x, y, w, h) passes the test.
template <typename Test>
inline bool AnyPixel(const gfx::Bitmap& shot, int x0, int y0, int w, int h, Test test) {
  for (int y = y0; y < y0 + h; ++y)
    for (int x = x0; x < x0 + w; ++x)
      if (test(shot.GetPixel(kLeft + x, kTop + y))) return true;
  return false;
}

}  // namespace winsys::testing
