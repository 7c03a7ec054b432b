#pragma once
// The plain input a user gives a window on the headless window system, each
// gesture's details drawn from a source of choices: a fuzzer's bytes
// (FuzzInput) or a seeded generator with the same three takers. Pointer moves,
// presses and releases of either button, clicks, double clicks, keys with
// Shift, Ctrl or Alt, typed bytes, the wheel, and the pointer leaving every
// window.
//
// A window may have a rectangle the pointer never lands on (a close button
// that would end the session), whatever window a gesture is meant for: a
// point on it moves just left of it.
#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/gfx/geometry.h"
#include "platform/window/backend/headless/headless_system.h"

namespace fuzzing {

enum class Gesture {
  kMove,
  kPressLeft,
  kReleaseLeft,
  kPressRight,
  kReleaseRight,
  kClick,
  kDoubleClick,
  kKey,
  kTypeBytes,
  kWheel,
  kLeaveWindows
};

// Choices: std::uint8_t TakeByte(); std::uint32_t TakeBelow(std::uint32_t);
// std::string TakeBytes(std::size_t).
template <class Choices>
class InputGestures {
 public:
  // `keys`: the virtual keys a key gesture picks from.
  InputGestures(winsys::HeadlessSystem& system, Choices& choices, std::span<const unsigned> keys)
      : system_(system), choices_(choices), keys_(keys) {}

  void KeepPointerOff(winsys::WindowId window, const gfx::RectI& rect) { kept_off_[window] = rect; }

  // A point in or up to 20 px around the window (window coordinates).
  std::pair<int, int> Point(winsys::WindowId window) {
    const gfx::RectI rect = system_.WindowRect(window);
    const int x = static_cast<int>(choices_.TakeBelow(static_cast<std::uint32_t>(rect.width) + 40)) - 20;
    const int y = static_cast<int>(choices_.TakeBelow(static_cast<std::uint32_t>(rect.height) + 40)) - 20;
    return Allowed(window, x, y);
  }

  void Give(Gesture gesture, winsys::WindowId window) {
    switch (gesture) {
      case Gesture::kMove: {
        const auto [x, y] = Point(window);
        system_.MoveMouse(window, x, y);
        return;
      }
      case Gesture::kPressLeft: {
        const auto [x, y] = Point(window);
        system_.PressLeft(window, x, y);
        return;
      }
      case Gesture::kReleaseLeft: system_.ReleaseLeft(); return;
      case Gesture::kPressRight: {
        const auto [x, y] = Point(window);
        system_.PressRight(window, x, y);
        return;
      }
      case Gesture::kReleaseRight: system_.ReleaseRight(); return;
      case Gesture::kClick: {
        const auto [x, y] = Point(window);
        system_.Click(window, x, y);
        return;
      }
      case Gesture::kDoubleClick: {
        const auto [x, y] = Point(window);
        system_.DoubleClick(window, x, y);
        return;
      }
      case Gesture::kKey: Key(); return;
      case Gesture::kTypeBytes: system_.TypeText(choices_.TakeBytes(choices_.TakeByte() % 8)); return;
      case Gesture::kWheel: system_.Wheel((static_cast<int>(choices_.TakeBelow(7)) - 3) * 120); return;
      case Gesture::kLeaveWindows: LeaveWindows(); return;
    }
  }

 private:
  static bool Inside(const gfx::RectI& rect, int x, int y) {
    return x >= rect.x && x < rect.Right() && y >= rect.y && y < rect.Bottom();
  }

  // A screen point moved just left of every kept-off rectangle it lands on,
  // whichever window the gesture was meant for.
  int KeptOffScreenX(int x, int y) const {
    for (const auto& [window, rect] : kept_off_) {
      if (!system_.IsWindow(window)) continue;
      const gfx::RectI place = system_.WindowRect(window);
      if (Inside(rect, x - place.x, y - place.y)) x = place.x + rect.x - 1;
    }
    return x;
  }

  std::pair<int, int> Allowed(winsys::WindowId window, int x, int y) const {
    if (kept_off_.empty()) return {x, y};
    const gfx::RectI place = system_.WindowRect(window);
    return {KeptOffScreenX(place.x + x, place.y + y) - place.x, y};
  }

  // To a corner of the screen, unless a kept-off rectangle lies there.
  void LeaveWindows() {
    constexpr int kX = 1000, kY = 740;
    if (KeptOffScreenX(kX, kY) == kX) system_.MoveMouseToScreen(kX, kY);
  }

  void Key() {
    const unsigned key = keys_[choices_.TakeBelow(static_cast<std::uint32_t>(keys_.size()))];
    const std::uint8_t modifiers = choices_.TakeByte();
    if (modifiers & 4) {
      system_.SysChar(static_cast<char>(key));
      return;
    }
    if (modifiers & 1) system_.KeyDown(winsys::VK_SHIFT);
    if (modifiers & 2) system_.KeyDown(winsys::VK_CONTROL);
    system_.KeyPress(key);
    if (modifiers & 2) system_.KeyUp(winsys::VK_CONTROL);
    if (modifiers & 1) system_.KeyUp(winsys::VK_SHIFT);
  }

  winsys::HeadlessSystem& system_;
  Choices& choices_;
  std::span<const unsigned> keys_;
  std::unordered_map<winsys::WindowId, gfx::RectI> kept_off_;
};

}  // namespace fuzzing
