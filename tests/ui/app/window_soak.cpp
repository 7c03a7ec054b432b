#include "tests/ui/app/window_soak.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>

#include "razezazo/controls/caption_button.h"
#include "razezazo/core/framework.h"
#include "razezazo/popups/popup_window_hook.h"

namespace brivo_window_test {
namespace {

using fuzzing::Gesture;
using winsys::WindowId;

constexpr unsigned kWindowKeys[] = {winsys::VK_TAB,
                                    winsys::VK_RETURN,
                                    winsys::VK_SPACE,
                                    winsys::VK_ESCAPE,
                                    winsys::VK_LEFT,
                                    winsys::VK_RIGHT,
                                    winsys::VK_UP,
                                    winsys::VK_DOWN,
                                    winsys::VK_HOME,
                                    winsys::VK_END,
                                    winsys::VK_DELETE,
                                    winsys::VK_BACK,
                                    'A',
                                    'C',
                                    'V',
                                    'X'};
constexpr unsigned kBoxKeys[] = {winsys::VK_RETURN, winsys::VK_ESCAPE, winsys::VK_SPACE,
                                 winsys::VK_TAB,    winsys::VK_LEFT,   winsys::VK_RIGHT};
// The edit box menu's mnemonics are T, C, P and A.
constexpr unsigned kMenuKeys[] = {
    winsys::VK_UP, winsys::VK_DOWN, winsys::VK_RETURN, winsys::VK_ESCAPE, 'T', 'C', 'P', 'A'};

// What users type: Latin and Chinese letters, signs of addresses, and
// characters GBK cannot hold.
constexpr const char* kTypedPieces[] = {"a", "Z", " ", "~", "/", ":", ".", "7", "中", "文", "é", "😀", "한"};

// Most events a user gives a box or a menu before answering it.
constexpr int kMaxPatience = 6;
// Calls of an answered loop that is still open before it is answered again,
// and before the run gives up on it.
constexpr int kReanswerEvery = 25;
constexpr int kGiveUpAfter = 400;
// A loop with nothing to answer waits this long (real and virtual) for a worker.
constexpr std::uint32_t kWaitMs = 10;
// The most real time between two events while a download runs.
constexpr std::uint32_t kDownloadPauseMs = 20;
// The most virtual time one event lets pass (caret blinks, animations, double-click gaps).
constexpr std::uint32_t kMaxTimePassingMs = 2000;

}  // namespace

std::string SeededChoices::TakeBytes(std::size_t count) {
  std::string bytes(count, '\0');
  for (char& byte : bytes) byte = static_cast<char>(TakeByte());
  return bytes;
}

WindowSoak::WindowSoak(winsys::HeadlessSystem& system, app::gui::BrivoWindow& program,
                       std::vector<SoakAddress> addresses, unsigned seed)
    : system_(system),
      program_(program),
      addresses_(std::move(addresses)),
      choices_(seed),
      gestures_(system, choices_, kWindowKeys),
      box_gestures_(system, choices_, kBoxKeys),
      menu_gestures_(system, choices_, kMenuKeys) {
  for (const SoakAddress& address : addresses_) total_weight_ += address.weight;
  // Also the events meant for a menu land around it, and so perhaps on the
  // main window's close button.
  if (const razezazo::CaptionButton* close = CaptionButton(razezazo::kCaptionButtonClose)) {
    const gfx::RectI button{static_cast<int>(close->x()) - 1, static_cast<int>(close->y()) - 1,
                            static_cast<int>(close->width()) + 2, static_cast<int>(close->height()) + 2};
    for (auto* gestures : {&gestures_, &box_gestures_, &menu_gestures_}) gestures->KeepPointerOff(Window(), button);
  }
  system_.SetIdleHandler([this] { return LoopStep(); });
}

WindowSoak::~WindowSoak() { system_.SetIdleHandler(nullptr); }

void WindowSoak::Run(long events) {
  limit_ = events;
  while (events_ < limit_ && system_.IsWindow(Window())) Step();
}

// --- events to the main window ------------------------------------------------------

void WindowSoak::Step() {
  KeepOnScreen();
  if (system_.IsIconic(Window()) && choices_.OneIn(2)) {  // back from the task bar
    system_.Restore(Window());
    Count();
    return;
  }
  const std::uint32_t choice = choices_.TakeBelow(100);
  if (choice < 20)
    gestures_.Give(Gesture::kMove, Window());
  else if (choice < 24)
    gestures_.Give(Gesture::kPressLeft, Window());
  else if (choice < 28)
    gestures_.Give(Gesture::kReleaseLeft, Window());
  else if (choice < 30)
    gestures_.Give(Gesture::kPressRight, Window());
  else if (choice < 32)
    gestures_.Give(Gesture::kReleaseRight, Window());
  else if (choice < 42)
    gestures_.Give(Gesture::kClick, Window());
  else if (choice < 45)
    gestures_.Give(Gesture::kDoubleClick, Window());
  else if (choice < 57)
    ClickControl();
  else if (choice < 61)
    Drag();
  else if (choice < 66)
    RightClickEditBox();
  else if (choice < 74)
    gestures_.Give(Gesture::kKey, Window());
  else if (choice < 78)
    TypeUserText();
  else if (choice < 80)
    gestures_.Give(Gesture::kTypeBytes, Window());
  else if (choice < 84)
    gestures_.Give(Gesture::kWheel, Window());
  else if (choice < 91)
    PasteAddress();
  else if (choice < 93)
    PressCaptionButton();
  else if (choice < 99)
    system_.Advance(choices_.TakeBelow(kMaxTimePassingMs));
  else
    gestures_.Give(Gesture::kLeaveWindows, Window());
  Count();
  paste_from_menu_ = false;
  // While a download runs, the user's events are apart in time: the worker
  // gets a moment of real time between two of them.
  if (program_.job_running()) PauseForDownload();
}

void WindowSoak::PauseForDownload() {
  const auto start = std::chrono::steady_clock::now();
  if (system_.WaitForPost(kDownloadPauseMs)) system_.RunPending();
  paused_ += std::chrono::steady_clock::now() - start;
}

std::pair<int, int> WindowSoak::PointIn(const razezazo::ControlBase& control) {
  return {
      static_cast<int>(control.x()) + static_cast<int>(choices_.TakeBelow(static_cast<std::uint32_t>(control.width()))),
      static_cast<int>(control.y()) +
          static_cast<int>(choices_.TakeBelow(static_cast<std::uint32_t>(control.height())))};
}

const razezazo::ControlBase& WindowSoak::SomeControl() {
  app::gui::MainWindow& c = program_.controls();
  const std::array<const razezazo::ControlBase*, 10> weighted = {
      &c.parse_button, &c.parse_button, &c.parse_button, &c.download_button, &c.download_button,
      &c.address_edit, &c.address_edit, &c.result_edit,  &c.address_group,   &c.result_group};
  return *weighted[choices_.TakeBelow(weighted.size())];
}

void WindowSoak::ClickControl() {
  const auto [x, y] = PointIn(SomeControl());
  system_.Click(Window(), x, y);
}

// From a control or the bare background (which moves the window) to a few
// places in or around the window.
void WindowSoak::Drag() {
  const auto [x, y] = choices_.OneIn(2) ? PointIn(SomeControl()) : gestures_.Point(Window());
  system_.PressLeft(Window(), x, y);
  for (std::uint32_t moves = 1 + choices_.TakeBelow(5); moves > 0; --moves) gestures_.Give(Gesture::kMove, Window());
  system_.ReleaseLeft();
}

void WindowSoak::RightClickEditBox() {
  app::gui::MainWindow& c = program_.controls();
  const auto [x, y] = PointIn(choices_.OneIn(2) ? static_cast<razezazo::ControlBase&>(c.address_edit)
                                                : static_cast<razezazo::ControlBase&>(c.result_edit));
  system_.PressRight(Window(), x, y);
  system_.ReleaseRight(Window(), x, y);
}

// Typed characters, or an input method's result.
void WindowSoak::TypeUserText() {
  std::string text;
  for (std::uint32_t pieces = 1 + choices_.TakeBelow(4); pieces > 0; --pieces)
    text += kTypedPieces[choices_.TakeBelow(std::size(kTypedPieces))];
  if (choices_.OneIn(3))
    system_.ImeCommit(text);
  else
    system_.TypeText(text);
}

// A click into the address box (which empties the boxes), the address pasted
// with Ctrl+V or the box's menu, and mostly a click on "解析&&下载" after it.
void WindowSoak::PasteAddress() {
  std::uint32_t pick = choices_.TakeBelow(total_weight_);
  const SoakAddress* address = &addresses_.front();
  for (const SoakAddress& a : addresses_) {
    if (pick < a.weight) {
      address = &a;
      break;
    }
    pick -= a.weight;
  }
  system_.SetClipboardText(address->text);
  const auto [x, y] = PointIn(program_.controls().address_edit);
  system_.Advance(600);  // not a double click with whatever came before
  system_.Click(Window(), x, y);
  Count();
  if (choices_.OneIn(2)) {
    system_.KeyDown(winsys::VK_CONTROL);
    system_.KeyPress('V');
    system_.KeyUp(winsys::VK_CONTROL);
  } else {
    paste_from_menu_ = true;
    system_.PressRight(Window(), x, y);
    system_.ReleaseRight(Window(), x, y);
    paste_from_menu_ = false;
  }
  if (choices_.TakeBelow(10) < 7) {
    Count();
    const auto [px, py] = PointIn(program_.controls().parse_button);
    system_.Click(Window(), px, py);
  }
}

const razezazo::CaptionButton* WindowSoak::CaptionButton(int kind) const {
  for (const auto& button : program_.host().caption_buttons())
    if (button->button_kind() == kind) return button.get();
  return nullptr;
}

// Minimise or feedback; never close.
void WindowSoak::PressCaptionButton() {
  const razezazo::CaptionButton* button =
      CaptionButton(choices_.OneIn(2) ? razezazo::kCaptionButtonMinimize : razezazo::kCaptionButtonFree128);
  if (!button) return;
  system_.Click(Window(), static_cast<int>(button->x() + button->width() / 2),
                static_cast<int>(button->y() + button->height() / 2));
}

// Dragged far enough, the window goes back to the middle of the screen, as a
// user would bring it back.
void WindowSoak::KeepOnScreen() {
  const gfx::RectI rect = system_.WindowRect(Window());
  const gfx::RectI work = system_.WorkArea();
  if (rect.x > work.x - rect.width / 2 && rect.Right() < work.Right() + rect.width / 2 && rect.y >= work.y &&
      rect.y < work.Bottom() - 40)
    return;
  system_.SetWindowRect(Window(), {work.x + (work.width - rect.width) / 2, work.y + (work.height - rect.height) / 2,
                                   rect.width, rect.height});
}

// --- the loops of boxes and menus ----------------------------------------------------

WindowId WindowSoak::LoopWindow() const {
  WindowId newest = 0;
  for (WindowId w : system_.Windows()) {
    const std::intptr_t kind = system_.GetProp(w, razezazo::property::kFlags);
    if ((kind == razezazo::kPopupMenu || kind == razezazo::kPopupMessageBox) && system_.IsVisible(w) && w > newest)
      newest = w;
  }
  return newest;
}

bool WindowSoak::LoopStep() {
  const WindowId loop = LoopWindow();
  if (!loop) return WaitWithoutLoop();
  const bool is_box = system_.GetProp(loop, razezazo::property::kFlags) == razezazo::kPopupMessageBox;
  if (loop != loop_window_) {
    loop_window_ = loop;
    patience_ = events_ >= limit_ ? 0 : static_cast<int>(choices_.TakeBelow(kMaxPatience + 1));
    calls_since_answer_ = -1;
    if (is_box) {
      if (std::optional<BoxContent> content = ReadMessageBox(system_, loop)) boxes_.push_back(*content);
    } else {
      ++menus_;
    }
  }
  if (calls_since_answer_ >= 0) return AwaitAnsweredLoop(loop, is_box);
  if (is_box)
    StepInBox(loop);
  else
    StepInMenu(loop);
  Count();
  return true;
}

// A few random events in or around the box, now and then one at the main
// window (which the box keeps from it), then its rightmost button.
void WindowSoak::StepInBox(WindowId box) {
  if (patience_-- <= 0 || events_ >= limit_) {
    ClickBoxButton(system_, box);
    calls_since_answer_ = 0;
    return;
  }
  switch (choices_.TakeBelow(8)) {
    case 0:
    case 1: box_gestures_.Give(Gesture::kMove, box); break;
    case 2: box_gestures_.Give(Gesture::kClick, box); break;
    case 3: box_gestures_.Give(Gesture::kKey, box); break;
    case 4: box_gestures_.Give(Gesture::kDoubleClick, box); break;
    case 5: box_gestures_.Give(choices_.OneIn(2) ? Gesture::kPressLeft : Gesture::kReleaseLeft, box); break;
    case 6: box_gestures_.Give(Gesture::kWheel, box); break;
    default: gestures_.Give(Gesture::kClick, Window()); break;
  }
}

// 粘贴 when the paste asked for the menu; otherwise a few random events in or
// around it, then Escape.
void WindowSoak::StepInMenu(WindowId menu) {
  if (paste_from_menu_) {
    paste_from_menu_ = false;
    system_.KeyPress('P');
    calls_since_answer_ = 0;
    return;
  }
  if (patience_-- <= 0 || events_ >= limit_) {
    system_.KeyPress(winsys::VK_ESCAPE);
    calls_since_answer_ = 0;
    return;
  }
  switch (choices_.TakeBelow(6)) {
    case 0:
    case 1: menu_gestures_.Give(Gesture::kMove, menu); break;
    case 2: menu_gestures_.Give(Gesture::kClick, menu); break;
    case 3:
    case 4: menu_gestures_.Give(Gesture::kKey, menu); break;
    default: gestures_.Give(Gesture::kClick, Window()); break;
  }
}

// The answer normally ends the loop at once; a loop still waiting lets time
// pass (a closing animation), and is answered again now and then, brought to
// the front first in case it lost the activation.
bool WindowSoak::AwaitAnsweredLoop(WindowId loop, bool is_box) {
  ++calls_since_answer_;
  if (calls_since_answer_ > kGiveUpAfter) {
    ADD_FAILURE() << (is_box ? "a message box" : "a menu") << " did not close when answered";
    system_.Post(loop, winsys::WM_CLOSE, 0, 0);
    calls_since_answer_ = 0;
    return true;
  }
  if (calls_since_answer_ % kReanswerEvery == 0) {
    system_.SetForeground(loop);
    if (is_box)
      ClickBoxButton(system_, loop);
    else
      system_.KeyPress(winsys::VK_ESCAPE);
    return true;
  }
  system_.Sleep(kWaitMs);
  return true;
}

// A loop without a window of its own to answer, or the program's own loop at
// its end: a worker may be about to post, a download to end.
bool WindowSoak::WaitWithoutLoop() {
  if (system_.WaitForPost(kWaitMs)) return true;
  if (!program_.job_running()) return false;
  system_.Sleep(kWaitMs);
  return true;
}

}  // namespace brivo_window_test
