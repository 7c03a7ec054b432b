// The example host window on a real X server: it appears, shows its controls'
// pixels where they belong, and a click through xdotool reaches a control.
#include <gtest/gtest.h>

#include "tests/gui/example_process.h"
#include "tests/gui/xvfb_display.h"

namespace winsys::testing {
namespace {

// The window is 380 x 250, centred on the 1024 x 768 screen: its top-left is
// at (322, 259). The swatches cover (20, 20)-(120, 80), (140, 20)-(240, 80)
// and (260, 20)-(360, 80) in the window.
TEST(HostWindowGuiTest, TheWindowShowsItsControlsAndAClickReachesOne) {
  XvfbDisplay display;
  ASSERT_TRUE(display.Start()) << "no Xvfb";
  ExampleProcess example(HOST_WINDOW_PATH);
  ASSERT_TRUE(example.WaitForLine("ready"));
  EXPECT_TRUE(ScreenShows(display.Name(), 322 + 70, 259 + 50, 0xFFD04040));    // red swatch
  EXPECT_TRUE(ScreenShows(display.Name(), 322 + 310, 259 + 50, 0xFF4070D0));   // blue swatch
  EXPECT_TRUE(ScreenShows(display.Name(), 322 + 200, 259 + 150, 0xFF182840));  // the background colour
  ASSERT_EQ(RunProgram({"xdotool", "mousemove", std::to_string(322 + 190), std::to_string(259 + 45), "click", "1"}), 0);
  EXPECT_TRUE(example.WaitForLine("click green"));
}

}  // namespace
}  // namespace winsys::testing
