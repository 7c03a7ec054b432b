#pragma once
// A host window on the headless window system: 380 x 338, black background, no
// caption, shown; controls are added by the tests.
#include <gtest/gtest.h>

#include <memory>

#include "platform/window/backend/headless/headless_system.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/framework_startup.h"
#include "tests/ui/test_control.h"

namespace testing_support {

class HostFixture : public ::testing::Test {
 protected:
  HostFixture() {
    auto system = std::make_unique<winsys::HeadlessSystem>();
    headless_ = system.get();
    winsys::Install(std::move(system));
    razezazo::FrameworkStartup();
    window_ = razezazo::CreateFrameworkWindow({.width = 380, .height = 338});
    host_ = std::make_unique<razezazo::RazezaZOHost>();
    host_->Create(window_, {.background_colour = 0x000000, .caption_flags = 0});
    host_->Show();
    headless_->RunPending();
  }
  ~HostFixture() override {
    if (headless_->IsWindow(window_)) headless_->DestroyWindow(window_);
    host_.reset();
  }

  // A control of `kind` at `bounds`, top-level or a child of `parent`.
  std::unique_ptr<TestControl> Add(razezazo::FloatRect bounds, gfx::Argb colour = 0xFF3366CC,
                                   TestControl* parent = nullptr,
                                   razezazo::ControlKind kind = razezazo::kKindPushButton) {
    auto control = std::make_unique<TestControl>(colour);
    bool created = parent ? control->Create(*parent, bounds, kind) : control->Create(window_, bounds, kind);
    EXPECT_TRUE(created);
    headless_->RunPending();
    control->Take();  // what creation brought
    return control;
  }

  gfx::Argb Screen(int x, int y) const { return headless_->ScreenPixels(window_).GetPixel(x, y); }
  void Click(int x, int y) { headless_->Click(window_, x, y); }

  winsys::HeadlessSystem* headless_ = nullptr;
  winsys::WindowId window_ = 0;
  std::unique_ptr<razezazo::RazezaZOHost> host_;
};

// Colour channels within a tolerance, for blended pixels.
inline ::testing::AssertionResult NearColour(gfx::Argb actual, unsigned r, unsigned g, unsigned b,
                                             unsigned tolerance = 3) {
  auto near = [tolerance](unsigned x, unsigned y) { return (x > y ? x - y : y - x) <= tolerance; };
  if (near(gfx::RedOf(actual), r) && near(gfx::GreenOf(actual), g) && near(gfx::BlueOf(actual), b))
    return ::testing::AssertionSuccess();
  char text[64];
  std::snprintf(text, sizeof text, "pixel %08X, wanted ~%02X%02X%02X", actual, r, g, b);
  return ::testing::AssertionFailure() << text;
}

}  // namespace testing_support
