#pragma once
// A shown host window on a fresh headless window system, for driving controls
// with injected input and a virtual clock: 380 x 338, black, no caption unless
// a test starts another. Controls are added by the tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/headless_host.h"
#include "tests/ui/test_control.h"

namespace testing_support {

class HostFixture : public ::testing::Test {
 protected:
  static constexpr int kWidth = 380;
  static constexpr int kHeight = 338;

  void SetUp() override { Start({.background_colour = 0x000000, .caption_flags = 0}); }
  ~HostFixture() override { Close(); }

  // Replaces the fixture's window system, window and host by new ones; the
  // screen's scale is `scale` if given, else BRIVO_SCALE's or 1.
  void Start(const razezazo::HostOptions& options,
             const razezazo::FrameworkWindowOptions& window = {.width = kWidth, .height = kHeight},
             std::optional<float> scale = std::nullopt) {
    Close();
    headless_ = &StartHeadless(scale);
    host_ = std::make_unique<razezazo::RazezaZOHost>();
    window_ = OpenHostWindow(*headless_, *host_, options, window);
    ASSERT_NE(window_, 0u);
    host_->hooks().message = [this](winsys::WindowId, unsigned message, winsys::WParam wparam, winsys::LParam) {
      if (message == winsys::WM_CLOSE) commands_.push_back("close");
      if (message == winsys::WM_SYSCOMMAND) commands_.push_back("syscommand:" + std::to_string(wparam));
      return winsys::LResult{-1};
    };
  }

  // A fresh window of that size and its host, on the same window system, in
  // place of the fixture's.
  void Recreate(const razezazo::HostOptions& options, int width = kWidth, int height = kHeight) {
    Close();
    host_ = std::make_unique<razezazo::RazezaZOHost>();
    window_ = OpenHostWindow(*headless_, *host_, options, {.width = width, .height = height});
    ASSERT_NE(window_, 0u);
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

  gfx::Bitmap Screen() const { return headless_->ScreenPixels(window_); }
  gfx::Argb Screen(int x, int y) const { return Screen().GetPixel(x, y); }
  void Click(int x, int y) { headless_->Click(window_, x, y); }
  // Moves the virtual clock; timers fire on the way.
  void Advance(std::uint32_t ms) { headless_->Advance(ms); }

  winsys::HeadlessSystem* headless_ = nullptr;
  winsys::WindowId window_ = 0;
  std::unique_ptr<razezazo::RazezaZOHost> host_;
  // Window commands that reached the host: "close", "syscommand:<command>".
  std::vector<std::string> commands_;

 private:
  void Close() {
    if (headless_ && headless_->IsWindow(window_)) headless_->DestroyWindow(window_);
    host_.reset();
  }
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
