// The example windows under a real window manager (openbox on Xvfb): what the
// manager may do to their size, and what the user then sees.
#include <gtest/gtest.h>

#include <unistd.h>

#include <memory>

#include "tests/gui/example_process.h"
#include "tests/gui/xvfb_display.h"

namespace winsys::testing {
namespace {

class ManagedExampleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display_.Start()) << "no Xvfb";
    window_manager_ = std::make_unique<WindowManager>();
    ASSERT_TRUE(window_manager_->Running()) << "openbox did not start";
  }
  void TearDown() override {
    example_.reset();
    window_manager_.reset();
  }

  // Polls (bounded) until the window's geometry satisfies `done`; the last one seen.
  template <typename Done>
  gfx::RectI GeometryOnce(const std::string& name, Done done, int timeout_ms = 10000) {
    gfx::RectI rect;
    WaitUntil(
        [&] {
          rect = WindowGeometry(name);
          return done(rect);
        },
        timeout_ms);
    return rect;
  }

  // Starts an example and waits (bounded) until the manager has placed its
  // 380-wide window; where it is.
  gfx::RectI Open(const char* program, const std::string& name) {
    example_ = std::make_unique<ExampleProcess>(program);
    if (!example_->WaitForLine("ready")) return {};
    return GeometryOnce(name, [](const gfx::RectI& r) { return r.width == 380; });
  }

  XvfbDisplay display_;
  std::unique_ptr<WindowManager> window_manager_;
  std::unique_ptr<ExampleProcess> example_;
};

// The gallery is not resizable: the manager learns its size is fixed.
TEST_F(ManagedExampleTest, AWindowThatIsNotResizableKeepsItsSize) {
  const gfx::RectI placed = Open(GALLERY_PATH, "brivo");
  ASSERT_EQ(placed.height, 338);
  EXPECT_EQ(RunProgram({"sh", "-c",
                        "xprop -id $(xdotool search --name brivo | head -1) WM_NORMAL_HINTS | "
                        "grep -q 'program specified maximum size: 380 by 338'"}),
            0);
  ASSERT_EQ(RunProgram({"xdotool", "search", "--name", "brivo", "windowsize", "500", "500"}), 0);
  // Unhinted, the manager stretched it within a few milliseconds; watch for a second.
  const gfx::RectI stretched = GeometryOnce(
      "brivo", [](const gfx::RectI& r) { return r.width != 380 || r.height != 338; }, 1000);
  EXPECT_EQ(stretched.width, 380);
  EXPECT_EQ(stretched.height, 338);
}

// Its maximise button still works: a fixed size holds only while not maximised.
TEST_F(ManagedExampleTest, AWindowThatIsNotResizableCanStillBeMaximised) {
  const gfx::RectI placed = Open(GALLERY_PATH, "brivo");
  ASSERT_EQ(placed.height, 338);
  // The maximise button sits left of the close button, 307..335 across, 7..26 down.
  ASSERT_EQ(
      RunProgram({"xdotool", "mousemove", std::to_string(placed.x + 321), std::to_string(placed.y + 16), "click", "1"}),
      0);
  const gfx::RectI maximised = GeometryOnce("brivo", [](const gfx::RectI& r) { return r.width >= 1024; });
  EXPECT_GE(maximised.width, 1024);
  EXPECT_GE(maximised.height, 700);
}

// host_window is resizable; stretched by the manager it is painted to its new edges.
TEST_F(ManagedExampleTest, AResizableWindowResizedByTheManagerIsRepaintedWhole) {
  ASSERT_EQ(Open(HOST_WINDOW_PATH, "RazezaZO").width, 380);
  ASSERT_EQ(RunProgram({"xdotool", "search", "--name", "RazezaZO", "windowsize", "520", "420"}), 0);
  const gfx::RectI stretched =
      GeometryOnce("RazezaZO", [](const gfx::RectI& r) { return r.width == 520 && r.height == 420; });
  ASSERT_EQ(stretched.width, 520);
  // The background colour out where the window used to end, and in its old part.
  EXPECT_TRUE(ScreenShows(display_.Name(), stretched.x + 470, stretched.y + 380, 0xFF182840));
  EXPECT_TRUE(ScreenShows(display_.Name(), stretched.x + 200, stretched.y + 150, 0xFF182840));
}

}  // namespace
}  // namespace winsys::testing
