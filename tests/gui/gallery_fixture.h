#pragma once
// The gallery (GALLERY_PATH) shown on a private X server, with xdotool at hand.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/gui/example_process.h"
#include "tests/gui/xvfb_display.h"

namespace winsys::testing {

class GalleryFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display_.Start()) << "no Xvfb";
    gallery_ = std::make_unique<ExampleProcess>(GALLERY_PATH);  // on this display
    ASSERT_TRUE(gallery_->WaitForLine("ready"));
  }
  int Xdotool(std::vector<std::string> args) {
    args.insert(args.begin(), "xdotool");
    return RunProgram(args);
  }

  XvfbDisplay display_;
  std::unique_ptr<ExampleProcess> gallery_;
};

}  // namespace winsys::testing
