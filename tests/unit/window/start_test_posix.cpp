// Start() on Linux: the headless system only when asked for. (Windows always
// has a desktop to start on.)
#include <cstdlib>
#include <string>

#include "headless_fixture.h"

namespace winsys::testing {
namespace {

// Without a display nothing falls back to the headless system: a window
// program must say that it cannot show its window.
TEST(WindowStartTest, StartChoosesTheHeadlessSystemOnlyWhenAsked) {
  const std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
  unsetenv("DISPLAY");
  unsetenv("BRIVO_PLATFORM");
  EXPECT_FALSE(Start());
  setenv("BRIVO_PLATFORM", "headless", 1);
  ASSERT_TRUE(Start());
  EXPECT_NE(dynamic_cast<HeadlessSystem*>(&Current()), nullptr);
  Install(nullptr);
  unsetenv("BRIVO_PLATFORM");
  if (!display.empty()) setenv("DISPLAY", display.c_str(), 1);
}

}  // namespace
}  // namespace winsys::testing
