#pragma once
// A random user at brivo's main window on the headless window system. Each
// event is one thing a user does: a pointer move, a press or release, a
// click (anywhere, or on a control), a double click, a drag, the wheel, a
// key, typed text, a paste of a play-page address (with Ctrl+V or the edit
// box's context menu), a context-menu choice, the minimise or feedback
// caption button, or time passing. A paste is often followed by a click on
// "解析&&下载", so downloads and failed parses happen all along. While a
// download runs, the user's events are apart in time: each is followed by a
// moment of real time (up to 20 ms) in which the download's worker goes on.
//
// Message boxes and menus run modal loops on the UI thread; while one waits,
// the user gives it a few random events and then answers it (a box by its
// rightmost button, a menu by Escape), so no loop outlives the run. The close
// button is never hit: closing is the caller's to do.
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/gui/brivo_window.h"
#include "platform/window/backend/headless/headless_system.h"
#include "tests/ui/app/message_box_reading.h"
#include "tests/ui/input_gestures.h"

namespace brivo_window_test {

// Numbers for the gestures from a seeded generator.
class SeededChoices {
 public:
  explicit SeededChoices(unsigned seed) : random_(seed) {}

  std::uint8_t TakeByte() { return static_cast<std::uint8_t>(TakeBelow(256)); }
  std::uint32_t TakeBelow(std::uint32_t bound) {
    return bound == 0 ? 0 : std::uniform_int_distribution<std::uint32_t>(0, bound - 1)(random_);
  }
  std::string TakeBytes(std::size_t count);
  bool OneIn(std::uint32_t n) { return TakeBelow(n) == 0; }

 private:
  std::mt19937 random_;
};

// An address the user pastes, how often against the others, and what it is.
struct SoakAddress {
  std::string text;  // UTF-8
  unsigned weight = 1;
};

class WindowSoak {
 public:
  WindowSoak(winsys::HeadlessSystem& system, app::gui::BrivoWindow& program, std::vector<SoakAddress> addresses,
             unsigned seed);
  ~WindowSoak();
  WindowSoak(const WindowSoak&) = delete;
  WindowSoak& operator=(const WindowSoak&) = delete;

  // Gives events until `events` have been given in all (or the window has
  // gone); returns with no box or menu open. Afterwards, while the object lives, a box or menu that opens
  // is answered at once, and a loop with nothing to do waits for a running
  // download (really, while the virtual clock keeps pace).
  void Run(long events);
  long events() const { return events_; }
  // Every box that opened, in order.
  const std::vector<BoxContent>& boxes() const { return boxes_; }
  long menus() const { return menus_; }
  // Real time spent between events waiting for a download's worker.
  std::chrono::duration<double> paused() const { return paused_; }

 private:
  winsys::WindowId Window() const { return program_.window(); }
  void Count() { ++events_; }

  void Step();
  void PauseForDownload();
  std::pair<int, int> PointIn(const razezazo::ControlBase& control);
  const razezazo::ControlBase& SomeControl();
  void ClickControl();
  void Drag();
  void RightClickEditBox();
  void TypeUserText();
  void PasteAddress();
  const razezazo::CaptionButton* CaptionButton(int kind) const;
  void PressCaptionButton();
  void KeepOnScreen();

  // The idle handler of every modal loop.
  bool LoopStep();
  winsys::WindowId LoopWindow() const;
  void StepInBox(winsys::WindowId box);
  void StepInMenu(winsys::WindowId menu);
  bool AwaitAnsweredLoop(winsys::WindowId loop, bool is_box);
  bool WaitWithoutLoop();

  winsys::HeadlessSystem& system_;
  app::gui::BrivoWindow& program_;
  std::vector<SoakAddress> addresses_;
  unsigned total_weight_ = 0;
  SeededChoices choices_;
  fuzzing::InputGestures<SeededChoices> gestures_;  // to the main window
  fuzzing::InputGestures<SeededChoices> box_gestures_;
  fuzzing::InputGestures<SeededChoices> menu_gestures_;
  long events_ = 0;
  long limit_ = 0;
  std::vector<BoxContent> boxes_;
  long menus_ = 0;
  std::chrono::duration<double> paused_{0};
  // The loop window being answered and the events the user still gives it.
  winsys::WindowId loop_window_ = 0;
  int patience_ = 0;
  int calls_since_answer_ = -1;   // -1 while not answered
  bool paste_from_menu_ = false;  // the next menu is the address box's, for 粘贴
};

}  // namespace brivo_window_test
