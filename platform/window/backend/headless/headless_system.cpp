#include "platform/window/backend/headless/headless_system.h"

#include <algorithm>
#include <chrono>

#include "platform/window/pixel_copy.h"
#include "platform/window/screen_scale.h"

namespace winsys {

namespace {

// How far GetMessage moves the clock through timers alone before it decides
// that nothing will ever end the loop.
constexpr std::uint64_t kGiveUpAfterMs = 10 * 60 * 1000;

}  // namespace

HeadlessSystem::HeadlessSystem() : scale_(ScaleOverride().value_or(1.0f)) {}

HeadlessSystem::~HeadlessSystem() {
  WaitForSenders();
  ForgetAllWindows();
}

void HeadlessSystem::NativeDestroy(WindowRecord& record) { screens_.erase(record.id); }

// --- time and the queue ---------------------------------------------------------

void HeadlessSystem::SetClock(std::uint64_t now) { now_ = std::max(now_.load(), now); }

void HeadlessSystem::NativeTimerSet(Timer& timer) { timer.due = now_ + timer.interval; }

bool HeadlessSystem::DueTimerMessage(Message& message, bool remove) {
  Timer* timer = Timers().EarliestDue();
  if (!timer || timer->due > now_) return false;
  message = {timer->window, WM_TIMER, timer->id, 0, static_cast<std::uint32_t>(timer->due)};
  if (remove) {
    // Like Windows, a late timer fires once and starts its period again.
    timer->due += timer->interval;
    if (timer->due <= now_) timer->due = now_ + timer->interval;
  }
  return true;
}

void HeadlessSystem::RunPending() {
  Message message;
  while (PeekMessage(message, true)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wparam));
      break;
    }
    DispatchMessage(message);
  }
}

void HeadlessSystem::Advance(std::uint32_t milliseconds) {
  const std::uint64_t target = now_ + milliseconds;
  auto_advanced_ = 0;
  RunPending();
  for (Timer* next = Timers().EarliestDue(); next && next->due <= target; next = Timers().EarliestDue()) {
    const std::uint64_t due_before = next->due;
    SetClock(due_before);
    RunPending();
    // A pending WM_QUIT stops RunPending before the timer; do not spin on it.
    if (Timer* same = Timers().EarliestDue(); same == next && same->due == due_before) break;
  }
  SetClock(target);
  RunPending();
}

bool HeadlessSystem::WaitForMessages() {
  if (idle_handler_ && !in_idle_) {
    in_idle_ = true;
    bool acted = false;
    try {
      acted = idle_handler_();
    } catch (...) {
      in_idle_ = false;
      throw;
    }
    in_idle_ = false;
    if (acted) {
      auto_advanced_ = 0;
      return true;
    }
  }
  Timer* next = Timers().EarliestDue();
  if (!next || auto_advanced_ >= kGiveUpAfterMs) return false;
  if (next->due > now_) {
    auto_advanced_ += next->due - now_;
    SetClock(next->due);
  }
  return true;
}

bool HeadlessSystem::WaitForPost(std::uint32_t timeout_ms) {
  return Queue().WaitNotEmpty(std::chrono::milliseconds(timeout_ms));
}

void HeadlessSystem::Deliver() {
  auto_advanced_ = 0;
  if (!in_idle_) RunPending();
}

// --- screen -----------------------------------------------------------------------

HeadlessSystem::Screen& HeadlessSystem::ScreenOf(WindowId window) {
  Screen& screen = screens_[window];
  const gfx::RectI rect = WindowRect(window);
  if (screen.pixels.Width() != rect.width || screen.pixels.Height() != rect.height || screen.pixels.Scale() != scale_) {
    gfx::Bitmap resized(std::max(rect.width, 0), std::max(rect.height, 0), scale_);
    CopyPixels(screen.pixels, {0, 0, screen.pixels.Width(), screen.pixels.Height()}, resized, 255, false);
    screen.pixels = std::move(resized);
  }
  return screen;
}

void HeadlessSystem::Present(WindowId window, const gfx::Bitmap& back_buffer, const gfx::RectI& rect) {
  if (!IsWindow(window)) return;
  Screen& screen = ScreenOf(window);
  // An ordinary window shows the buffer's bytes as an opaque picture, as BitBlt does.
  CopyPixels(back_buffer, rect, screen.pixels, 255, true);
}

void HeadlessSystem::PresentLayered(WindowId window, const gfx::Bitmap& back_buffer, std::uint8_t alpha) {
  if (!IsWindow(window)) return;
  Screen& screen = ScreenOf(window);
  screen.alpha = alpha;
  CopyPixels(back_buffer, {0, 0, back_buffer.Width(), back_buffer.Height()}, screen.pixels, alpha, false);
}

gfx::Bitmap HeadlessSystem::ScreenPixels(WindowId window) const {
  const WindowRecord* record = Record(window);
  if (!record) return {};
  gfx::Bitmap shown(record->rect.width, record->rect.height, scale_);
  if (auto it = screens_.find(window); it != screens_.end())
    CopyPixels(it->second.pixels, {0, 0, it->second.pixels.Width(), it->second.pixels.Height()}, shown, 255, false);
  if (record->region) ClearOutside(shown, *record->region);
  return shown;
}

void HeadlessSystem::SetScale(float scale) {
  if (scale == scale_) return;
  scale_ = scale;
  for (WindowId window : Windows())
    if (IsWindow(window)) Send(window, WM_DPICHANGED, 0, 0);
}

std::uint8_t HeadlessSystem::LayeredAlpha(WindowId window) const {
  auto it = screens_.find(window);
  return it == screens_.end() ? 255 : it->second.alpha;
}

}  // namespace winsys
