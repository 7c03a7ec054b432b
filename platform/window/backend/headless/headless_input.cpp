// HeadlessSystem: injected input, shaped as the GTK backend delivers it, and the
// system move and size loops driven by that input.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <memory>

#include "platform/window/backend/headless/headless_system.h"
#include "platform/window/utf16_units.h"

namespace winsys {

namespace {

constexpr std::uint64_t kDoubleClickMs = 500;
constexpr float kDoubleClickSlop = 2;
constexpr LParam kKeyDownBits = 1;         // repeat count 1
constexpr LParam kKeyUpBits = 0xC0000001;  // previous state and transition bits
constexpr LParam kAltBit = 0x20000000;     // context code: Alt held

// The character a US keyboard types for the key, 0 for none.
unsigned UsCharacter(unsigned vk, bool shift) {
  static constexpr char kShiftedDigits[] = ")!@#$%^&*(";
  if (vk >= 'A' && vk <= 'Z') return shift ? vk : vk + ('a' - 'A');
  if (vk >= '0' && vk <= '9') return shift ? static_cast<unsigned char>(kShiftedDigits[vk - '0']) : vk;
  switch (vk) {
    case VK_SPACE: return ' ';
    case VK_RETURN: return '\r';
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    case VK_ESCAPE: return 27;
  }
  return 0;
}

}  // namespace

gfx::PointF HeadlessSystem::CursorPos() const { return pointer_; }

// --- mouse ------------------------------------------------------------------------

WindowId HeadlessSystem::MouseTarget() const {
  if (Capture()) return Capture();
  return WindowFromPoint(pointer_);
}

WParam HeadlessSystem::MouseKeys() const {
  WParam keys = 0;
  if (left_down_) keys |= MK_LBUTTON;
  if (right_down_) keys |= MK_RBUTTON;
  if (keys_held_[VK_SHIFT]) keys |= MK_SHIFT;
  if (keys_held_[VK_CONTROL]) keys |= MK_CONTROL;
  return keys;
}

void HeadlessSystem::QueueMouse(unsigned message) {
  const WindowId target = MouseTarget();
  if (!target) return;
  const gfx::RectI rect = WindowRect(target);
  const int x = static_cast<int>(pointer_.x) - rect.x, y = static_cast<int>(pointer_.y) - rect.y;
  QueueInput(target, message, MouseKeys(), PackPoint(x, y));
}

void HeadlessSystem::MoveMouse(WindowId window, int x, int y) {
  const gfx::RectI rect = WindowRect(window);
  MoveMouseToScreen(rect.x + x, rect.y + y);
}

void HeadlessSystem::MoveMouseToScreen(int x, int y) {
  if (pointer_.x == x && pointer_.y == y) return;
  pointer_ = {static_cast<float>(x), static_cast<float>(y)};
  if (drag_) {
    ApplyRect(drag_->window, DraggedRect(), true);
  } else {
    PointerOver(WindowFromPoint(pointer_));
    QueueMouse(WM_MOUSEMOVE);
  }
  Deliver();
}

void HeadlessSystem::ActivateOnPress(WindowId under) {
  if (Capture() || !under || under == ActiveWindow()) return;
  if (ExStyle(under) & WS_EX_NOACTIVATE) return;
  Activate(under, WA_CLICKACTIVE);
}

// Windows turns a second press close in time and place into a double click,
// and a third one into a plain press again.
unsigned HeadlessSystem::LeftPressMessage() {
  const WindowId target = MouseTarget();
  const std::uint64_t now = now_;
  const bool is_double = last_press_ && !last_press_->was_double && last_press_->window == target &&
                         now - last_press_->time <= kDoubleClickMs &&
                         std::fabs(pointer_.x - last_press_->where.x) <= kDoubleClickSlop &&
                         std::fabs(pointer_.y - last_press_->where.y) <= kDoubleClickSlop;
  last_press_ = LastPress{target, pointer_, now, is_double};
  return is_double ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN;
}

void HeadlessSystem::PressLeft() {
  ActivateOnPress(WindowFromPoint(pointer_));
  left_down_ = true;
  QueueMouse(LeftPressMessage());
  Deliver();
}

void HeadlessSystem::ReleaseLeft() {
  left_down_ = false;
  if (drag_) {
    drag_.reset();  // the system loop swallows the release
    Deliver();
    return;
  }
  QueueMouse(WM_LBUTTONUP);
  Deliver();
}

void HeadlessSystem::PressLeft(WindowId window, int x, int y) {
  MoveMouse(window, x, y);
  PressLeft();
}

void HeadlessSystem::ReleaseLeft(WindowId window, int x, int y) {
  MoveMouse(window, x, y);
  ReleaseLeft();
}

void HeadlessSystem::Click(WindowId window, int x, int y) {
  PressLeft(window, x, y);
  ReleaseLeft();
}

void HeadlessSystem::DoubleClick(WindowId window, int x, int y) {
  MoveMouse(window, x, y);
  last_press_.reset();
  PressLeft();
  ReleaseLeft();
  PressLeft();
  ReleaseLeft();
}

void HeadlessSystem::PressRight() {
  ActivateOnPress(WindowFromPoint(pointer_));
  right_down_ = true;
  QueueMouse(WM_RBUTTONDOWN);
  Deliver();
}

void HeadlessSystem::ReleaseRight() {
  right_down_ = false;
  QueueMouse(WM_RBUTTONUP);
  Deliver();
}

void HeadlessSystem::MiddleClick(WindowId window, int x, int y) {
  MoveMouse(window, x, y);
  QueueMouse(WM_MBUTTONDOWN);
  QueueMouse(WM_MBUTTONUP);
  Deliver();
}

void HeadlessSystem::PressRight(WindowId window, int x, int y) {
  MoveMouse(window, x, y);
  PressRight();
}

void HeadlessSystem::ReleaseRight(WindowId window, int x, int y) {
  MoveMouse(window, x, y);
  ReleaseRight();
}

void HeadlessSystem::Wheel(int delta) {
  const WindowId target = Focus() ? Focus() : MouseTarget();
  const WParam wparam = MakeWParam(static_cast<unsigned>(MouseKeys()), static_cast<std::uint16_t>(delta));
  QueueInput(target, WM_MOUSEWHEEL, wparam, PackPoint(static_cast<int>(pointer_.x), static_cast<int>(pointer_.y)));
  Deliver();
}

// --- system move and size loops ----------------------------------------------------

void HeadlessSystem::BeginMoveDrag(WindowId window) {
  if (!left_down_ || !IsWindow(window)) return;
  drag_ = Drag{window, 0, pointer_, WindowRect(window), {}};
}

void HeadlessSystem::BeginResizeDrag(WindowId window, int hit_test_edge) {
  if (!left_down_ || !IsWindow(window) || hit_test_edge < HTLEFT || hit_test_edge > HTBOTTOMRIGHT) return;
  drag_ = Drag{window, hit_test_edge, pointer_, WindowRect(window), QueryMinMax(window)};
}

gfx::RectI HeadlessSystem::DraggedRect() const {
  const int dx = static_cast<int>(pointer_.x - drag_->start.x), dy = static_cast<int>(pointer_.y - drag_->start.y);
  gfx::RectI r = drag_->start_rect;
  if (drag_->edge == 0) return {r.x + dx, r.y + dy, r.width, r.height};
  const int e = drag_->edge;
  const bool left = e == HTLEFT || e == HTTOPLEFT || e == HTBOTTOMLEFT;
  const bool right = e == HTRIGHT || e == HTTOPRIGHT || e == HTBOTTOMRIGHT;
  const bool top = e == HTTOP || e == HTTOPLEFT || e == HTTOPRIGHT;
  const bool bottom = e == HTBOTTOM || e == HTBOTTOMLEFT || e == HTBOTTOMRIGHT;
  const int min_w = std::max(drag_->limits.min_track_width, 1), min_h = std::max(drag_->limits.min_track_height, 1);
  if (right) r.width = std::max(min_w, r.width + dx);
  if (bottom) r.height = std::max(min_h, r.height + dy);
  if (left) {
    const int right_edge = r.Right();
    r.width = std::max(min_w, r.width - dx);
    r.x = right_edge - r.width;
  }
  if (top) {
    const int bottom_edge = r.Bottom();
    r.height = std::max(min_h, r.height - dy);
    r.y = bottom_edge - r.height;
  }
  return r;
}

// --- keyboard ------------------------------------------------------------------------

unsigned HeadlessSystem::TypedChar(unsigned vk) const {
  if (keys_held_[VK_CONTROL]) return vk >= 'A' && vk <= 'Z' ? vk - 'A' + 1 : 0;  // Ctrl+letter: control code
  return UsCharacter(vk, keys_held_[VK_SHIFT]);
}

void HeadlessSystem::QueueKeyDown(unsigned vk) {
  keys_held_[vk & 0xFF] = true;
  const WindowId target = KeyboardTarget();
  const bool alt = keys_held_[VK_MENU] && !keys_held_[VK_CONTROL];
  if (alt) {
    QueueInput(target, WM_SYSKEYDOWN, vk, kKeyDownBits | kAltBit);
    if (unsigned ch = UsCharacter(vk, keys_held_[VK_SHIFT]); ch && vk != VK_MENU)
      QueueInput(target, WM_SYSCHAR, ch, kKeyDownBits | kAltBit);
    return;
  }
  QueueInput(target, WM_KEYDOWN, vk, kKeyDownBits);
  if (unsigned ch = TypedChar(vk)) QueueInput(target, WM_CHAR, ch, kKeyDownBits);
}

void HeadlessSystem::QueueKeyUp(unsigned vk) {
  const bool alt = (keys_held_[VK_MENU] || vk == VK_MENU) && !keys_held_[VK_CONTROL];
  keys_held_[vk & 0xFF] = false;
  QueueInput(KeyboardTarget(), alt ? WM_SYSKEYUP : WM_KEYUP, vk, alt ? kKeyUpBits | kAltBit : kKeyUpBits);
}

void HeadlessSystem::KeyDown(unsigned virtual_key) {
  QueueKeyDown(virtual_key);
  Deliver();
}

void HeadlessSystem::KeyUp(unsigned virtual_key) {
  QueueKeyUp(virtual_key);
  Deliver();
}

void HeadlessSystem::KeyPress(unsigned virtual_key) {
  QueueKeyDown(virtual_key);
  QueueKeyUp(virtual_key);
  Deliver();
}

void HeadlessSystem::SysChar(char ch) {
  const auto byte = static_cast<unsigned char>(ch);
  const unsigned vk = std::isalnum(byte) ? static_cast<unsigned>(std::toupper(byte)) : byte;
  const bool alt_was_down = keys_held_[VK_MENU];
  if (!alt_was_down) QueueKeyDown(VK_MENU);
  keys_held_[vk] = true;
  QueueInput(KeyboardTarget(), WM_SYSKEYDOWN, vk, kKeyDownBits | kAltBit);
  QueueInput(KeyboardTarget(), WM_SYSCHAR, byte, kKeyDownBits | kAltBit);
  QueueKeyUp(vk);
  if (!alt_was_down) QueueKeyUp(VK_MENU);
  Deliver();
}

void HeadlessSystem::QueueChars(std::string_view utf8) {
  const WindowId target = KeyboardTarget();
  for (char16_t unit : Utf16Units(utf8)) QueueInput(target, WM_CHAR, unit, kKeyDownBits);
}

void HeadlessSystem::TypeText(std::string_view utf8) {
  QueueChars(utf8);
  Deliver();
}

void HeadlessSystem::ImeCommit(std::string_view utf8) {
  const WindowRecord* record = Record(KeyboardTarget());
  if (!record) return;
  if (record->ime_enabled)
    QueueImeResult(record->id, std::string(utf8));
  else
    QueueChars(utf8);
  Deliver();
}

bool HeadlessSystem::InputMethodEnabled(WindowId window) const {
  const WindowRecord* record = Record(window);
  return record && record->ime_enabled;
}

gfx::RectI HeadlessSystem::ImeCaret(WindowId window) const {
  const WindowRecord* record = Record(window);
  return record ? record->ime_caret : gfx::RectI{};
}

}  // namespace winsys
