// A host window with nested controls (a group box holding a label and two
// buttons, a picture, an edit box, push and skin buttons, the caption buttons)
// under mouse, key, wheel, focus and resize messages decoded from the input.
// A right click opens a popup menu and some clicks open a message box; both
// run loops of their own, fed from the same input, and close when it runs dry.
// Click handlers and menu items may delete, destroy, hide or re-parent
// controls. After every message the controls the host tracks (hot, pressed,
// focused) must be alive and reachable through their handles, no loop may
// outlive its input, and the host is never left busy.
#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "assets/assets.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/headless_host.h"
#include "razezazo/controls/caption_button.h"
#include "razezazo/controls/edit_box.h"
#include "razezazo/controls/group_box_control.h"
#include "razezazo/controls/label_control.h"
#include "razezazo/controls/picture_control.h"
#include "razezazo/controls/push_button.h"
#include "razezazo/controls/skin_button.h"
#include "razezazo/popups/message_box.h"
#include "razezazo/popups/popup_menu.h"
#include "runtime/gbk.h"
#include "tests/ui/input_gestures.h"

namespace {

using fuzzing::Check;
using fuzzing::FuzzInput;
using razezazo::ControlBase;
using winsys::WindowId;

constexpr int kMaxOperations = 300;
// Steps a modal loop may take from the input; then it is asked to close, and
// after kMaxLoopSteps it gets nothing more, as if the user had walked away.
constexpr int kLoopStepsBeforeClosing = 40;
constexpr int kMaxLoopSteps = 60;
constexpr int kMaxMenuDepth = 2;
constexpr int kMaxResizes = 6;
// What a loop left on its own may add to the clock: ten virtual minutes mean a
// loop that would not end.
constexpr std::uint32_t kIdleClockSlackMs = 60'000;

constexpr std::array<unsigned, 16> kKeys = {winsys::VK_TAB,
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
                                            'K',
                                            'N',
                                            'Y'};

// Control slots: the group box first, its children after it.
enum Slot : int {
  kGroup,
  kLabel,
  kInnerButton,
  kInnerSkin,
  kPicture,
  kEdit,
  kMenuButton,
  kBoxButton,
  kSkin,
  kSecondSkin,
  kSlotCount
};

class HostInputSession {
 public:
  explicit HostInputSession(FuzzInput& in)
      : in_(in),
        session_({.background_colour = 0xE0E0E0,
                  .caption_flags = razezazo::kCaptionIcon | razezazo::kCaptionTitle | razezazo::kCaptionClose |
                                   razezazo::kCaptionMaximize | razezazo::kCaptionMinimize,
                  .resizable = true}) {
    BuildControls();
    BuildMenus();
    session_.host().hooks().right_up = [this](WindowId, ControlBase*, winsys::WParam, winsys::LParam, int) {
      ShowMenu();
    };
    session_.OnLoopWaiting([this] { return LoopStep(); });
  }

  void Run() {
    for (int done = 0; done < kMaxOperations && !in_.Empty(); ++done) {
      Operate(Window());
      CheckHost();
      Check(!session_.host().busy(), "the host stayed busy after the message");
    }
    Check(System().Now() <= fuzzing::HeadlessHost::kClockBudgetMs + kIdleClockSlackMs,
          "a modal loop went on after its input had run dry");
  }

 private:
  winsys::HeadlessSystem& System() { return session_.system(); }
  WindowId Window() const { return session_.window(); }

  void BuildControls() {
    const WindowId w = Window();
    auto group = std::make_unique<razezazo::GroupBoxControl>();
    group->Create(w, {10, 40, 200, 150}, runtime::Gbk("分组"));
    auto label = std::make_unique<razezazo::LabelControl>();
    label->Create(*group, {20, 60, 120, 20}, runtime::Gbk("标签"));
    auto inner = std::make_unique<razezazo::PushButton>();
    inner->Create(*group, {20, 90, 80, 24}, runtime::Gbk("里面(&I)"));
    auto inner_skin = std::make_unique<razezazo::SkinButton>();
    inner_skin->Create(*group, {110, 90, 80, 26}, "Skin");
    auto picture = std::make_unique<razezazo::PictureControl>();
    picture->Create(w, {220, 40, 48, 48}, assets::ProgramIcon(48));
    auto edit = std::make_unique<razezazo::EditBox>();
    edit->Create(w, {220, 100, 140, 60}, runtime::Gbk("文字\r\ntext"), {.multi_line = true});
    auto menu_button = std::make_unique<razezazo::PushButton>();
    menu_button->Create(w, {10, 200, 80, 24}, "Menu");
    auto box_button = std::make_unique<razezazo::PushButton>();
    box_button->Create(w, {100, 200, 80, 24}, runtime::Gbk("提示(&K)"));
    session_.host().SetAccelerator(box_button.get(), 'K');
    auto skin = std::make_unique<razezazo::SkinButton>();
    skin->Create(w, {190, 200, 80, 26}, "One");
    auto second_skin = std::make_unique<razezazo::SkinButton>();
    second_skin->Create(w, {280, 200, 80, 26}, "Two");
    controls_ = {};
    controls_[kGroup] = std::move(group);
    controls_[kLabel] = std::move(label);
    controls_[kInnerButton] = std::move(inner);
    controls_[kInnerSkin] = std::move(inner_skin);
    controls_[kPicture] = std::move(picture);
    controls_[kEdit] = std::move(edit);
    controls_[kMenuButton] = std::move(menu_button);
    controls_[kBoxButton] = std::move(box_button);
    controls_[kSkin] = std::move(skin);
    controls_[kSecondSkin] = std::move(second_skin);
    for (int slot = 0; slot < kSlotCount; ++slot)
      controls_[slot]->AddEventHandler(razezazo::event::kClick,
                                       [this, slot](const razezazo::Event&) { Clicked(slot); });
    System().RunPending();
  }

  void BuildMenus() {
    razezazo::MenuItem acting{.send_command = false};
    acting.handler = [this] { Act(kMenuButton); };
    sub_menu_.AddItem("Sub &one", {.id = 301});
    sub_menu_.AddItem("&Act", acting);
    menu_.AddItem("&Copy", {.id = 67});
    menu_.AddItem("&Paste", {.id = 86});
    menu_.AddItem("", {.kind = razezazo::kMenuSeparator});
    menu_.AddItem("&More", {.kind = razezazo::kMenuSubMenu, .sub_menu = sub_menu_.identity()});
    menu_.AddItem("&Act", acting);
    menu_.AddItem("Off", {.state = razezazo::kMenuItemDisabled, .id = 5});
  }

  // --- operations -----------------------------------------------------------------

  // One message (or the few a gesture makes) to `window`: the host's window, or
  // the window of the loop that is running.
  void Operate(WindowId window) {
    using fuzzing::Gesture;
    static constexpr Gesture kPlain[] = {Gesture::kMove,        Gesture::kMove,        Gesture::kPressLeft,
                                         Gesture::kReleaseLeft, Gesture::kPressRight,  Gesture::kReleaseRight,
                                         Gesture::kClick,       Gesture::kDoubleClick, Gesture::kKey,
                                         Gesture::kTypeBytes,   Gesture::kWheel};
    const std::uint8_t choice = in_.TakeByte() % 16;
    switch (choice) {
      case 11: Focus(); break;
      case 12: Resize(); break;
      case 13: session_.Advance(in_.TakeBelow(2000)); break;
      case 14: Act(static_cast<int>(in_.TakeBelow(kSlotCount))); break;
      case 15: gestures_.Give(Gesture::kLeaveWindows, window); break;
      default: gestures_.Give(kPlain[choice], window); break;
    }
  }

  void Focus() {
    const std::uint8_t how = in_.TakeByte();
    switch (how % 4) {
      case 0: System().SetForeground(session_.other_window()); break;
      case 1: System().SetForeground(Window()); break;
      case 2: System().SetFocus(0); break;
      default:
        if (ControlBase* c = controls_[(how >> 2) % kSlotCount].get()) session_.host().SetFocus(c, how & 0x80);
        break;
    }
  }

  // Each resize rebuilds the window's buffers and repaints every control: a few
  // per input reach every path, more only slow the input down.
  void Resize() {
    const std::uint8_t how = in_.TakeByte();
    const int width = 1 + static_cast<int>(in_.TakeBelow(700)), height = 1 + static_cast<int>(in_.TakeBelow(560));
    if (++resizes_ > kMaxResizes) return;
    switch (how % 4) {
      case 0: System().Maximize(Window()); break;
      case 1: System().Restore(Window()); break;
      default: {
        const gfx::RectI rect = System().WindowRect(Window());
        System().SetWindowRect(Window(), {rect.x, rect.y, width, height});
        break;
      }
    }
  }

  // --- what clicks and menu items do ----------------------------------------------

  void Clicked(int slot) {
    if (slot == kMenuButton && !(in_.TakeByte() & 1)) {
      ShowMenu();
      return;
    }
    if (slot == kBoxButton) {
      ShowBox();
      return;
    }
    Act(slot);
  }

  // Application code at its most careless: the control that was clicked, or
  // another, is deleted, destroyed, hidden, disabled or moved elsewhere in the tree.
  void Act(int slot) {
    const std::uint8_t what = in_.TakeByte();
    const int other = static_cast<int>(in_.TakeBelow(kSlotCount));
    ControlBase* target = controls_[(what & 0x80) ? other : slot].get();
    if (!target) return;
    switch (what % 8) {
      case 0: break;
      case 1: controls_[(what & 0x80) ? other : slot].reset(); break;
      case 2: target->Destroy(); break;
      case 3: target->SetVisible(!target->visible()); break;
      case 4: target->SetDisabled(!target->disabled()); break;
      case 5: target->SetParent(controls_[other].get()); break;
      case 6: target->SetParent(nullptr); break;
      default:
        target->SetBounds({.x = static_cast<float>(in_.TakeBelow(380)), .y = static_cast<float>(in_.TakeBelow(338))});
    }
  }

  void ShowMenu() {
    if (menu_depth_ >= kMaxMenuDepth) return;
    ++menu_depth_;
    menu_.Show(Window());
    --menu_depth_;
  }

  void ShowBox() {
    if (in_box_) return;  // the box takes the input; its owner gets no clicks meanwhile
    in_box_ = true;
    const std::uint8_t how = in_.TakeByte();
    razezazo::ShowMessageBox({.parent = Window(),
                              .text = in_.TakeBytes(in_.TakeByte() % 64),
                              .type = razezazo::MessageBoxType{how % 6},
                              .icon = (how & 8) ? razezazo::kIconQuestion : razezazo::kIconNone,
                              .sound = false,
                              .skinned_buttons = (how & 16) != 0});
    in_box_ = false;
  }

  // --- the loops of menus and message boxes -----------------------------------------

  // A loop's steps are counted from the moment its window came up.
  bool LoopStep() {
    const WindowId window = session_.LoopWindow();
    if (window != loop_window_) loop_window_ = window, loop_steps_ = 0;
    if (!window || ++loop_steps_ > kMaxLoopSteps) return false;
    if (in_.Empty() || loop_steps_ > kLoopStepsBeforeClosing || ++all_loop_steps_ > kMaxOperations)
      session_.LeaveLoop(window, loop_steps_);
    else
      Operate(window);
    CheckHost();
    return true;
  }

  // --- the host's invariants ---------------------------------------------------------

  static void Walk(const ControlBase* c, std::vector<const ControlBase*>& seen) {
    for (; c; c = c->next_sibling()) {
      seen.push_back(c);
      Walk(c->first_child(), seen);
    }
  }

  // The controls that exist: those in the host's tree and those this session
  // still owns (linked or not), with their children.
  std::vector<const ControlBase*> LiveControls() {
    std::vector<const ControlBase*> live;
    Walk(session_.host().first_control(), live);
    for (const auto& c : controls_)
      if (c) {
        live.push_back(c.get());
        Walk(c->first_child(), live);
      }
    return live;
  }

  void CheckHost() {
    const razezazo::RazezaZOHost& host = session_.host();
    const std::vector<const ControlBase*> live = LiveControls();
    const std::pair<const char*, const ControlBase*> tracked[] = {{"hot", host.hot()},
                                                                  {"pressed", host.pressed()},
                                                                  {"focused", host.focused()},
                                                                  {"keyboard focus", host.keyboard_focus()}};
    for (const auto& [role, control] : tracked) {
      if (!control) continue;
      Check(std::find(live.begin(), live.end(), control) != live.end(),
            std::string("the ") + role + " control no longer exists");
      Check(control->self() && razezazo::Lookup<ControlBase>(control->self()) == control,
            std::string("the ") + role + " control cannot be reached through its handle");
    }
  }

  FuzzInput& in_;
  fuzzing::HeadlessHost session_;
  fuzzing::InputGestures<FuzzInput> gestures_{session_.system(), in_, kKeys};
  std::array<std::unique_ptr<ControlBase>, kSlotCount> controls_;
  razezazo::PopupMenu menu_;
  razezazo::PopupMenu sub_menu_;
  int menu_depth_ = 0;
  int resizes_ = 0;
  bool in_box_ = false;
  WindowId loop_window_ = 0;
  int loop_steps_ = 0;
  int all_loop_steps_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzInput in(data, size);
  HostInputSession session(in);
  session.Run();
  return 0;
}
