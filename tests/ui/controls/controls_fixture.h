#pragma once
// A shown host window on the headless window system, for driving controls
// with injected input and a virtual clock.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/window/backend/headless/headless_system.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/framework_startup.h"
#include "runtime/gbk.h"

namespace controls_test {

class HostFixture : public ::testing::Test {
 protected:
  static constexpr int kWidth = 380;
  static constexpr int kHeight = 338;

  void SetUp() override { Start({.background_colour = 0xF0F0F0, .caption_flags = 0}); }

  // Replaces the fixture's window and host by new ones made with `options`,
  // on a screen of `scale`.
  void Start(const razezazo::HostOptions& options, float scale = 1.0f) {
    host_.reset();
    auto system = std::make_unique<winsys::HeadlessSystem>();
    system->SetScale(scale);
    system_ = system.get();
    winsys::Install(std::move(system));
    razezazo::FrameworkStartup();
    window_ = razezazo::CreateFrameworkWindow(
        {.title = runtime::Gbk("控件"), .x = 100, .y = 80, .width = kWidth, .height = kHeight});
    ASSERT_NE(window_, 0u);
    host_ = std::make_unique<razezazo::RazezaZOHost>();
    ASSERT_TRUE(host_->Create(window_, options));
    host_->hooks().message = [this](winsys::WindowId, unsigned message, winsys::WParam wparam, winsys::LParam) {
      if (message == winsys::WM_CLOSE) commands_.push_back("close");
      if (message == winsys::WM_SYSCOMMAND) commands_.push_back("syscommand:" + std::to_string(wparam));
      return winsys::LResult{-1};
    };
    host_->Show();
    system_->RunPending();
  }

  void TearDown() override {
    host_.reset();
    if (system_ && system_->IsWindow(window_)) system_->DestroyWindow(window_);
  }

  gfx::Bitmap Screen() const { return system_->ScreenPixels(window_); }
  // Moves the virtual clock; timers fire on the way.
  void Advance(std::uint32_t ms) { system_->Advance(ms); }

  winsys::HeadlessSystem* system_ = nullptr;
  winsys::WindowId window_ = 0;
  std::unique_ptr<razezazo::RazezaZOHost> host_;
  // Window commands that reached the host: "close", "syscommand:<command>".
  std::vector<std::string> commands_;
};

// Colour parts of a straight ARGB pixel.
inline unsigned A(gfx::Argb p) { return gfx::AlphaOf(p); }
inline unsigned R(gfx::Argb p) { return gfx::RedOf(p); }
inline unsigned G(gfx::Argb p) { return gfx::GreenOf(p); }
inline unsigned B(gfx::Argb p) { return gfx::BlueOf(p); }

// True when the two bitmaps hold the same pixels inside `area`.
inline bool SamePixels(const gfx::Bitmap& a, const gfx::Bitmap& b, const gfx::RectI& area) {
  for (int y = area.y; y < area.Bottom(); ++y)
    for (int x = area.x; x < area.Right(); ++x)
      if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
  return true;
}

inline bool SamePixels(const gfx::Bitmap& a, const gfx::Bitmap& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() && SamePixels(a, b, {0, 0, a.Width(), a.Height()});
}

}  // namespace controls_test
