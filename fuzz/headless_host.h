#pragma once
// A shown framework window with its host on a fresh headless window system,
// made anew for every input so that no input sees what an earlier one left.
// A second, plain window stands by to take the activation away.
//
// Every input gets a budget of virtual time: operations that wait stop moving
// the clock once it is spent, and a modal loop fed by the input ends when the
// input runs dry, so no input can keep a loop busy for ever.
#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>

#include "platform/window/backend/headless/headless_system.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/framework_startup.h"
#include "tests/support/headless_host.h"

namespace fuzzing {

class HeadlessHost {
 public:
  static constexpr int kWidth = 380;
  static constexpr int kHeight = 338;
  static constexpr std::uint32_t kClockBudgetMs = 120'000;

  explicit HeadlessHost(const razezazo::HostOptions& options) {
    system_ = &testing_support::StartHeadless();
    other_window_ = razezazo::CreateFrameworkWindow({.x = 600, .y = 400, .width = 100, .height = 100, .show = true});
    host_ = std::make_unique<razezazo::RazezaZOHost>();
    window_ = testing_support::OpenHostWindow(*system_, *host_, options,
                                              {.x = 100, .y = 80, .width = kWidth, .height = kHeight});
    // The window stays for the whole input: closing is answered, not carried out.
    host_->hooks().message = [](winsys::WindowId, unsigned message, winsys::WParam, winsys::LParam) {
      return message == winsys::WM_CLOSE ? winsys::LResult{0} : winsys::LResult{-1};
    };
    system_->SetForeground(window_);
    system_->RunPending();
  }
  ~HeadlessHost() {
    system_->SetIdleHandler(nullptr);
    host_.reset();
    for (winsys::WindowId w : {window_, other_window_})
      if (system_->IsWindow(w)) system_->DestroyWindow(w);
  }
  HeadlessHost(const HeadlessHost&) = delete;
  HeadlessHost& operator=(const HeadlessHost&) = delete;

  winsys::HeadlessSystem& system() { return *system_; }
  winsys::WindowId window() const { return window_; }
  winsys::WindowId other_window() const { return other_window_; }
  razezazo::RazezaZOHost& host() { return *host_; }

  // Runs `step` whenever a modal loop (a menu's, a message box's) waits for
  // input; true when it did something.
  void OnLoopWaiting(std::function<bool()> step) {
    system_->SetIdleHandler([this, step = std::move(step)] {
      in_loop_step_ = true;
      const bool acted = step();
      in_loop_step_ = false;
      return acted;
    });
  }

  // Moves the clock by up to `ms` while the budget lasts. Timers fire on the
  // way; inside a loop's step they fire when that loop looks for messages
  // again, since dispatching there would run a nested loop without input.
  void Advance(std::uint32_t ms) {
    const std::uint32_t used = system_->Now();
    if (used >= kClockBudgetMs) return;
    if (in_loop_step_)
      system_->Sleep(std::min(ms, kClockBudgetMs - used));
    else
      system_->Advance(std::min(ms, kClockBudgetMs - used));
  }

  // The newest shown window other than the host's and the bystander: the menu
  // or message box whose loop is waiting for input.
  winsys::WindowId LoopWindow() const {
    winsys::WindowId newest = 0;
    for (winsys::WindowId w : system_->Windows())
      if (w != window_ && w != other_window_ && system_->IsVisible(w) && w > newest) newest = w;
    return newest;
  }

  // What a user does to leave a menu or a box, in turn: Escape; a click on the
  // host's window; and, for a box that lost the activation to another window
  // (which leaves it open and deaf to both), bringing it back first.
  void LeaveLoop(winsys::WindowId loop_window, int attempt) {
    switch (attempt % 3) {
      case 0: system_->KeyPress(winsys::VK_ESCAPE); break;
      case 1: system_->Click(window_, 2, 2); break;
      default:
        system_->SetForeground(loop_window);
        system_->KeyPress(winsys::VK_ESCAPE);
        break;
    }
  }

 private:
  winsys::HeadlessSystem* system_ = nullptr;
  winsys::WindowId window_ = 0;
  winsys::WindowId other_window_ = 0;
  bool in_loop_step_ = false;
  std::unique_ptr<razezazo::RazezaZOHost> host_;
};

}  // namespace fuzzing
