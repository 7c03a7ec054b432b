// An edit box on a headless host under a sequence of operations decoded from the
// input: texts of any GBK bytes, edits, selections, keys with Shift and Ctrl,
// UTF-16 characters, the edit commands, clicks and double clicks, drags, the
// wheel, resizing, modes, scroll positions, pastes of any UTF-8, input-method
// results, focus changes, timer ticks, maximum lengths, and once a long line
// or a huge paste. After every operation the box's invariants must hold, and
// every few its layout must equal a full one.
#include <array>
#include <memory>
#include <tuple>

#include "fuzz/fuzz_input.h"
#include "fuzz/headless_host.h"
#include "razezazo/controls/edit_box.h"
#include "razezazo/controls/push_button.h"
#include "tests/ui/controls/edit_box_invariants.h"

namespace {

using fuzzing::FuzzInput;
using razezazo::EditBox;

// Enough operations to reach any state a person reaches by hand; bounded so
// that one input runs in well under a second.
constexpr int kMaxOperations = 200;
// A longer text only slows the layout down without reaching new code.
constexpr std::size_t kMaxTextBytes = 4096;
constexpr int kLayoutCheckEvery = 16;
constexpr int kMaxMenuSteps = 8;

constexpr std::array<unsigned, 22> kKeys = {winsys::VK_LEFT,
                                            winsys::VK_RIGHT,
                                            winsys::VK_UP,
                                            winsys::VK_DOWN,
                                            winsys::VK_HOME,
                                            winsys::VK_END,
                                            winsys::VK_PRIOR,
                                            winsys::VK_NEXT,
                                            winsys::VK_DELETE,
                                            winsys::VK_BACK,
                                            winsys::VK_RETURN,
                                            winsys::VK_TAB,
                                            winsys::VK_ESCAPE,
                                            winsys::VK_INSERT,
                                            winsys::VK_SPACE,
                                            'A',
                                            'C',
                                            'V',
                                            'X',
                                            'Z',
                                            'Y',
                                            '7'};
constexpr std::array<int, 5> kCommands = {65, 67, 86, 88, 90};  // select all, copy, paste, cut, undo

class EditBoxSession {
 public:
  explicit EditBoxSession(FuzzInput& in) : in_(in), session_({.background_colour = 0xF0F0F0, .caption_flags = 0}) {
    other_.Create(session_.window(), {300, 300, 60, 24}, "OK");
    // A menu's loop (the box's context menu) waits for input: the input picks an
    // item or leaves with Escape, and once it is dry only Escape comes.
    session_.OnLoopWaiting([this] { return MenuStep(); });
    CreateBox();
  }

  void Run() {
    for (int done = 0; done < kMaxOperations && !in_.Empty(); ++done) {
      if (!Alive()) CreateBox();
      Operate();
      if (!Alive()) continue;
      const std::string broken = edit_box_checks::BrokenInvariant(*box_);
      fuzzing::Check(broken.empty(), broken);
      if (done % kLayoutCheckEvery == 0) {
        const std::string differs = edit_box_checks::LayoutDiffersFromFull(*box_);
        fuzzing::Check(differs.empty(), differs);
      }
    }
  }

 private:
  bool Alive() const { return box_ && box_->self(); }
  winsys::HeadlessSystem& System() { return session_.system(); }
  winsys::WindowId Window() const { return session_.window(); }

  void CreateBox() {
    const std::uint8_t shape = in_.TakeByte();
    const int mode = shape >> 1 & 7;  // five modes; the rest are normal boxes
    razezazo::EditBoxOptions options{.multi_line = (shape & 1) != 0,
                                     .input_mode = static_cast<razezazo::InputMode>(mode <= 4 ? mode : 0),
                                     .scroll_bars = shape >> 4 & 3};
    if (shape & 0x40) options.mask_text = in_.TakeBytes(in_.TakeByte() % 4);
    if (shape & 0x80) options.max_length = static_cast<int>(in_.TakeBelow(600));  // cuts come often
    const razezazo::FloatRect bounds{20, 20, 40.0f + in_.TakeBelow(300), 10.0f + in_.TakeBelow(280)};
    box_ = std::make_unique<EditBox>();
    box_->Create(Window(), bounds, Text(), options);
    box_->SetChangeHandler([this](razezazo::ControlBase*, EditBox& box) { OnChange(box); });
    System().RunPending();
  }

  // Any bytes (GBK, valid or not, or UTF-8 for the clipboard and the input
  // method) while the box's text stays within the size bound.
  std::string Text() {
    std::string text = in_.TakeText();
    if (Alive() && box_->store().WholeText().size() + text.size() > kMaxTextBytes) text.clear();
    return text;
  }

  // The change handler may destroy or even delete the box: the box must not
  // touch itself afterwards.
  void OnChange(EditBox& box) {
    if (on_change_ == 1) box.Destroy();
    if (on_change_ == 2) box_.reset();
    on_change_ = 0;
  }

  std::pair<int, int> Point() {
    return {static_cast<int>(in_.TakeBelow(fuzzing::HeadlessHost::kWidth + 40)) - 20,
            static_cast<int>(in_.TakeBelow(fuzzing::HeadlessHost::kHeight + 40)) - 20};
  }
  razezazo::TextPlace Place() {
    return {static_cast<int>(in_.TakeBelow(64)) - 2, static_cast<int>(in_.TakeBelow(300)) - 2};
  }

  // Bit 1 of `modifiers` holds Shift down, bit 2 Ctrl.
  void Press(unsigned key, std::uint8_t modifiers) {
    if (modifiers & 1) System().KeyDown(winsys::VK_SHIFT);
    if (modifiers & 2) System().KeyDown(winsys::VK_CONTROL);
    System().KeyPress(key);
    if (modifiers & 2) System().KeyUp(winsys::VK_CONTROL);
    if (modifiers & 1) System().KeyUp(winsys::VK_SHIFT);
  }

  void Operate() {
    switch (in_.TakeByte() % 21) {
      case 0: {
        const std::string text = Text();
        box_->SetText(text, in_.TakeByte() & 1);
        break;
      }
      case 1: box_->InsertText(Text()); break;
      case 2: box_->DeleteSelection(in_.TakeByte() & 1); break;
      case 3: {
        const razezazo::TextPlace anchor = Place();
        box_->Select(anchor, Place());
        break;
      }
      case 4:
      case 5: {
        const unsigned key = kKeys[in_.TakeBelow(kKeys.size())];
        Press(key, in_.TakeByte());
        break;
      }
      case 6:  // one UTF-16 code unit, lone surrogates included
        System().Send(Window(), winsys::WM_CHAR, in_.TakeBelow(0x10000), 1);
        break;
      case 7: System().Send(Window(), winsys::WM_COMMAND, kCommands[in_.TakeBelow(kCommands.size())], 0); break;
      case 8: Click(); break;
      case 9: Drag(); break;
      case 10: System().Wheel((static_cast<int>(in_.TakeBelow(9)) - 4) * 120); break;
      case 11:
        box_->SetBounds(
            {.width = static_cast<float>(in_.TakeBelow(420)), .height = static_cast<float>(in_.TakeBelow(360))});
        break;
      case 12: box_->SetInputMode(static_cast<razezazo::InputMode>(in_.TakeBelow(5))); break;
      case 13: ScrollBars(); break;
      case 14: Paste(); break;
      case 15: InputMethod(); break;
      case 16: Focus(); break;
      case 17: session_.Advance(in_.TakeBelow(1500)); break;
      case 18: on_change_ = in_.TakeBelow(3); break;
      case 19: Huge(); break;
      default: RightClick(); break;
    }
  }

  void Click() {
    const auto [x, y] = Point();
    switch (in_.TakeByte() % 3) {
      case 0: System().Click(Window(), x, y); break;
      case 1: System().DoubleClick(Window(), x, y); break;
      default:  // the second press of a double click as the host hands it on
        System().MoveMouse(Window(), x, y);
        System().Send(Window(), winsys::WM_LBUTTONDOWN, static_cast<winsys::WParam>(razezazo::event::kDoubleClickMark),
                      winsys::PackPoint(x, y));
        System().ReleaseLeft();
        break;
    }
  }

  void Drag() {
    const std::uint8_t shape = in_.TakeByte();
    auto [x, y] = Point();
    if (shape & 1) System().KeyDown(winsys::VK_SHIFT);
    System().PressLeft(Window(), x, y);
    for (int step = 0; step <= (shape >> 1 & 3); ++step) {
      std::tie(x, y) = Point();
      System().MoveMouse(Window(), x, y);
      if (shape & 8) session_.Advance(in_.TakeBelow(200));  // a drag beyond the edge scrolls on a timer
    }
    System().ReleaseLeft();
    if (shape & 1) System().KeyUp(winsys::VK_SHIFT);
  }

  void ScrollBars() {
    const int value = static_cast<int>(in_.TakeBelow(4000)) - 100;
    if (in_.TakeByte() & 1)
      box_->SetVerticalScrollPosition(value);
    else
      box_->SetHorizontalScrollPosition(value);
  }

  // Any bytes as the clipboard's text, then Ctrl+V.
  void Paste() {
    System().SetClipboardText(Text());
    Press('V', 2);
  }

  // Once per input, a long line or a huge paste: a piece of the input repeated
  // past the single-line maximum length, cut wherever that falls.
  void Huge() {
    if (huge_done_) return;
    huge_done_ = true;
    const std::string piece = in_.TakeText();
    if (piece.empty()) return;
    const std::size_t size = 1000 + in_.TakeBelow(80000);
    std::string text;
    while (text.size() < size) text += piece;
    if (in_.TakeByte() & 1) {
      box_->SetText(text, true);
    } else {
      System().SetClipboardText(text);
      Press('V', 2);
    }
  }

  void InputMethod() {
    const std::uint8_t how = in_.TakeByte();
    if (how & 1) System().EnableInputMethod(Window(), (how & 2) != 0);
    System().ImeCommit(Text());
  }

  void Focus() {
    switch (in_.TakeByte() % 4) {
      case 0: session_.host().SetFocus(box_.get(), true); break;
      case 1: session_.host().SetFocus(&other_, false); break;
      case 2: System().SetForeground(session_.other_window()); break;
      default: System().SetForeground(Window()); break;
    }
  }

  // The box's context menu, when it has one, comes from a right click.
  void RightClick() {
    const auto [x, y] = Point();
    System().PressRight(Window(), x, y);
    System().ReleaseRight();
  }

  // The input picks a place in the menu or leaves it; once the input is dry,
  // or the menu has had its share, the menu is left.
  bool MenuStep() {
    const winsys::WindowId menu = session_.LoopWindow();
    if (menu != menu_window_) menu_window_ = menu, menu_steps_ = 0;
    if (!menu || ++menu_steps_ > kMaxMenuSteps + 4) return false;
    if (in_.Empty() || menu_steps_ > kMaxMenuSteps || in_.TakeByte() & 1) {
      session_.LeaveLoop(menu, menu_steps_);
    } else {
      const auto [x, y] = Point();
      System().Click(menu, x, y);
    }
    return true;
  }

  FuzzInput& in_;
  fuzzing::HeadlessHost session_;
  razezazo::PushButton other_;
  std::unique_ptr<EditBox> box_;
  int on_change_ = 0;
  bool huge_done_ = false;
  winsys::WindowId menu_window_ = 0;
  int menu_steps_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  EditBoxSession session(in);
  session.Run();
  return 0;
}
