// Mouse and keyboard input through a host to its controls.
#include "tests/support/headless_host.h"
#include "tests/ui/host_fixture.h"

namespace razezazo {
namespace {

using testing_support::TestControl;
using winsys::PackPoint;

std::string Ev(int code, std::intptr_t a1, std::intptr_t a2) {
  return std::to_string(code) + ":" + std::to_string(a1) + ":" + std::to_string(a2);
}

class DispatchTest : public testing_support::HostFixture {
 protected:
  // Records hook calls as "name:control handle".
  void RecordHooks() {
    auto record = [this](const char* name) {
      return [this, name](winsys::WindowId, ControlBase* c, winsys::WParam, winsys::LParam, int) {
        hooks_.push_back(std::string(name) + ":" + std::to_string(c ? c->self() : 0));
      };
    };
    HostHooks& h = host_->hooks();
    h.left_down = record("down"), h.left_up = record("up"), h.click = record("click");
    h.double_click = record("double"), h.mouse_enter = record("enter"), h.mouse_leave = record("leave");
    h.focus_gained = record("gained"), h.focus_lost = record("lost");
  }
  std::vector<std::string> hooks_;
};

TEST_F(DispatchTest, HitTestingSkipsDisabledAndHiddenControlsAndPrefersChildren) {
  auto under = Add({10, 10, 100, 100});
  auto over = Add({10, 10, 100, 100});
  auto child = Add({20, 20, 30, 30}, 0xFF00FF00, over.get());
  for (TestControl* c : {under.get(), over.get(), child.get()}) c->watched = {event::kClick};
  Click(25, 25);
  EXPECT_EQ(child->Take().size(), 1u);
  Click(80, 80);
  EXPECT_EQ(over->Take().size(), 1u);
  over->SetDisabled(true);
  headless_->RunPending();
  headless_->Advance(1000);
  Click(25, 25);  // the disabled control and its child are transparent
  EXPECT_TRUE(child->Take().empty());
  EXPECT_EQ(under->Take().size(), 1u);
  under->SetVisible(false);
  headless_->RunPending();
  headless_->Advance(1000);
  Click(80, 80);
  EXPECT_TRUE(under->Take().empty());
  EXPECT_EQ(host_->pressed(), nullptr);
}

TEST_F(DispatchTest, PressAndReleaseOnOneControlIsOneClick) {
  RecordHooks();
  auto button = Add({10, 10, 80, 30});
  button->watched = {event::kClick, event::kMouseEnter, event::kMouseLeave};
  headless_->MoveMouse(window_, 20, 20);
  headless_->PressLeft();
  headless_->MoveMouse(window_, 30, 25);
  headless_->ReleaseLeft();
  auto h = std::to_string(button->self());
  EXPECT_EQ(button->Take(), (std::vector<std::string>{Ev(event::kMouseEnter, 0, 0),
                                                      Ev(event::kClick, button->self(), PackPoint(30, 25))}));
  EXPECT_EQ(hooks_, (std::vector<std::string>{"enter:" + h, "down:" + h, "gained:" + h, "up:0", "click:" + h}));
}

TEST_F(DispatchTest, ReleasingElsewhereIsNoClickButLeaveAndEnter) {
  RecordHooks();
  auto a = Add({10, 10, 80, 30});
  auto b = Add({200, 10, 80, 30});
  a->watched = b->watched = {event::kClick, event::kMouseEnter, event::kMouseLeave};
  headless_->MoveMouse(window_, 20, 20);
  headless_->PressLeft();
  a->Take();
  headless_->MoveMouse(window_, 210, 20);  // captured: b hears nothing yet
  EXPECT_TRUE(b->Take().empty());
  headless_->ReleaseLeft();
  EXPECT_EQ(a->Take(), (std::vector<std::string>{Ev(event::kMouseLeave, 0, b->self())}));
  EXPECT_EQ(b->Take(), (std::vector<std::string>{Ev(event::kMouseEnter, 0, a->self())}));
  EXPECT_EQ(std::count(hooks_.begin(), hooks_.end(), "click:" + std::to_string(a->self())), 0);
}

TEST_F(DispatchTest, WhilePressingTheControlGetsItsOwnHandleAsFirstArgument) {
  auto a = Add({10, 10, 80, 30});
  a->watched = {winsys::WM_MOUSEMOVE};
  headless_->MoveMouse(window_, 20, 20);
  a->Take();
  headless_->PressLeft();
  headless_->MoveMouse(window_, 150, 150);
  EXPECT_EQ(a->Take(), (std::vector<std::string>{Ev(winsys::WM_MOUSEMOVE, a->self(), PackPoint(150, 150))}));
  headless_->ReleaseLeft();
}

TEST_F(DispatchTest, DoubleClicksReachHandlersBoundTo513And515) {
  auto only513 = Add({10, 10, 80, 30});
  auto only515 = Add({100, 10, 80, 30});
  auto both = Add({200, 10, 80, 30});
  std::vector<std::string> calls;
  auto bind = [&calls](TestControl& c, int code, const char* name) {
    c.AddEventHandler(code, [&calls, name](const Event& e) {
      calls.push_back(std::string(name) + ":" + std::to_string(e.argument1));
    });
  };
  bind(*only513, winsys::WM_LBUTTONDOWN, "513");
  bind(*only515, winsys::WM_LBUTTONDBLCLK, "515");
  bind(*both, winsys::WM_LBUTTONDBLCLK, "both515");
  bind(*both, winsys::WM_LBUTTONDOWN, "both513");
  headless_->DoubleClick(window_, 20, 20);
  headless_->Advance(1000);
  headless_->DoubleClick(window_, 110, 20);
  headless_->Advance(1000);
  headless_->DoubleClick(window_, 210, 20);
  EXPECT_EQ(calls, (std::vector<std::string>{"513:1", "513:10086", "515:10086", "both513:1", "both515:10086"}));
}

TEST_F(DispatchTest, TabWalksTopLevelControlsAndWraps) {
  auto a = Add({10, 10, 50, 20});
  auto hidden = Add({70, 10, 50, 20});
  auto b = Add({130, 10, 50, 20});
  auto disabled = Add({190, 10, 50, 20});
  auto caption = Add({250, 10, 50, 20}, 0xFF000000, nullptr, kKindCaptionButton);
  hidden->SetVisible(false);
  disabled->SetDisabled(true);
  headless_->RunPending();
  headless_->KeyPress(winsys::VK_TAB);  // no focus yet: from the first control onwards
  EXPECT_EQ(host_->focused(), b.get());
  EXPECT_EQ(host_->keyboard_focus(), b.get());
  headless_->KeyPress(winsys::VK_TAB);
  EXPECT_EQ(host_->focused(), a.get());
  headless_->KeyPress(winsys::VK_TAB);
  EXPECT_EQ(host_->focused(), b.get());
}

TEST_F(DispatchTest, EnterAndSpaceClickTheFocusedControl) {
  RecordHooks();
  auto a = Add({10, 10, 50, 20});
  a->watched = {event::kClick};
  host_->SetFocus(a.get(), true);
  headless_->KeyPress(winsys::VK_RETURN);
  headless_->KeyPress(winsys::VK_SPACE);
  EXPECT_EQ(a->Take(), (std::vector<std::string>{Ev(event::kClick, 0, 0), Ev(event::kClick, 0, 0)}));
  EXPECT_EQ(std::count(hooks_.begin(), hooks_.end(), "click:" + std::to_string(a->self())), 2);
  // A control that handles the key itself keeps it.
  a->key_answer = 0;
  headless_->KeyPress(winsys::VK_RETURN);
  EXPECT_TRUE(a->Take().empty());
}

TEST_F(DispatchTest, AcceleratorsAreCaseInsensitiveAndNeedAVisibleEnabledControl) {
  auto hidden = Add({10, 10, 50, 20});
  auto shown = Add({70, 10, 50, 20});
  hidden->watched = shown->watched = {event::kClick};
  headless_->Send(window_, host_message::kSetAccelerator, hidden->self(), 'Y');
  headless_->Send(window_, host_message::kSetAccelerator, shown->self(), 'y');
  hidden->SetVisible(false);
  headless_->RunPending();
  headless_->SysChar('Y');
  EXPECT_TRUE(hidden->Take().empty());
  EXPECT_EQ(shown->Take(), (std::vector<std::string>{Ev(event::kClick, 0, 0)}));
  shown->SetDisabled(true);
  headless_->RunPending();
  headless_->SysChar('y');
  EXPECT_TRUE(shown->Take().empty());
  headless_->Send(window_, host_message::kSetAccelerator, hidden->self(), 0);  // removed
  hidden->SetVisible(true);
  headless_->RunPending();
  headless_->SysChar('y');
  EXPECT_TRUE(hidden->Take().empty());
}

TEST_F(DispatchTest, FocusMovesByMouseWithEventsInOrder) {
  RecordHooks();
  auto a = Add({10, 10, 50, 20});
  auto b = Add({70, 10, 50, 20});
  a->watched = b->watched = {event::kFocusGained, event::kFocusLost};
  Click(20, 20);
  headless_->Advance(1000);
  Click(80, 20);
  EXPECT_EQ(a->Take(), (std::vector<std::string>{Ev(event::kFocusGained, winsys::MK_LBUTTON, 0),
                                                 Ev(event::kFocusLost, winsys::MK_LBUTTON, b->self())}));
  EXPECT_EQ(b->Take(), (std::vector<std::string>{Ev(event::kFocusGained, winsys::MK_LBUTTON, a->self())}));
  std::string ha = std::to_string(a->self()), hb = std::to_string(b->self());
  std::vector<std::string> focus_hooks;
  for (const std::string& call : hooks_)
    if (call.rfind("gained", 0) == 0 || call.rfind("lost", 0) == 0) focus_hooks.push_back(call);
  EXPECT_EQ(focus_hooks, (std::vector<std::string>{"gained:" + ha, "lost:" + ha, "gained:" + hb}));
  // By keyboard: 0 as first argument, through the host's synchronous delivery.
  host_->SetFocus(a.get(), true);
  EXPECT_EQ(b->Take(), (std::vector<std::string>{Ev(event::kFocusLost, 0, a->self())}));
  EXPECT_EQ(a->Take(), (std::vector<std::string>{Ev(event::kFocusGained, 0, b->self())}));
}

TEST_F(DispatchTest, TheMessageHookCanEndTheDispatch) {
  auto a = Add({10, 10, 50, 20});
  a->watched = {event::kClick, winsys::WM_LBUTTONDOWN};
  host_->hooks().message = [](winsys::WindowId, unsigned message, winsys::WParam, winsys::LParam) {
    return message == winsys::WM_LBUTTONDOWN || message == winsys::WM_LBUTTONUP ? 0 : -1;
  };
  Click(20, 20);
  EXPECT_TRUE(a->Take().empty());
  host_->hooks().message = nullptr;
  headless_->Advance(1000);
  Click(20, 20);
  EXPECT_EQ(a->Take().size(), 2u);
}

TEST_F(DispatchTest, AMessageNamingADestroyedControlIsDropped) {
  auto a = Add({10, 10, 50, 20});
  int delivered = 0;
  a->AddEventHandler(20001, [&delivered](const Event&) { ++delivered; });
  Handle old_handle = a->self();
  a->PostEvent(20001, 0, 0);
  a->Destroy();
  headless_->RunPending();
  EXPECT_EQ(delivered, 0);
  EXPECT_EQ(Lookup<ControlBase>(old_handle), nullptr);
  EXPECT_EQ(GetControlField(old_handle, razezazo::control_field::kSelf), 0);
  // A new control never gets the dead handle back.
  auto b = Add({10, 10, 50, 20});
  EXPECT_NE(b->self(), old_handle);
}

TEST_F(DispatchTest, HandlersMayDeleteTheirOwnControl) {
  RecordHooks();
  // Deleted by its click event: the click hook still runs, naming no control.
  auto a = Add({10, 10, 80, 30});
  a->AddEventHandler(event::kClick, [&a](const Event&) { a.reset(); });
  Click(20, 20);
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(hooks_.back(), "click:0");
  EXPECT_EQ(host_->pressed(), nullptr);
  // Deleted when the mouse enters it, and when it gains the focus by a press.
  auto b = Add({10, 100, 80, 30});
  b->AddEventHandler(event::kMouseEnter, [&b](const Event&) { b.reset(); });
  headless_->MoveMouse(window_, 20, 110);
  EXPECT_EQ(b, nullptr);
  auto c = Add({200, 10, 80, 30});
  c->AddEventHandler(event::kFocusGained, [&c](const Event&) { c.reset(); });
  Click(210, 20);
  EXPECT_EQ(c, nullptr);
  // Deleted by its left-down hook, and by leaving it for another control.
  auto d = Add({200, 100, 80, 30});
  host_->hooks().left_down = [&d](winsys::WindowId, ControlBase*, winsys::WParam, winsys::LParam, int) { d.reset(); };
  Click(210, 110);
  EXPECT_EQ(d, nullptr);
  host_->hooks().left_down = nullptr;
  auto e = Add({10, 200, 80, 30});
  auto f = Add({100, 200, 80, 30});
  f->watched = {event::kMouseEnter};
  e->AddEventHandler(event::kMouseLeave, [&e](const Event&) { e.reset(); });
  headless_->MoveMouse(window_, 20, 210);
  headless_->MoveMouse(window_, 110, 210);
  EXPECT_EQ(e, nullptr);
  EXPECT_EQ(f->Take().size(), 1u);  // the control the mouse went to still hears of it
  EXPECT_EQ(host_->hot(), f.get());
}

TEST_F(DispatchTest, DestroyingTheWindowDetachesAndTheHostCanBeAttachedAgain) {
  auto a = Add({10, 10, 50, 20});
  Handle host_handle = host_->handle();
  EXPECT_EQ(GetHostField(host_handle, razezazo::host_field::kWindow), window_);
  headless_->DestroyWindow(window_);
  EXPECT_FALSE(host_->attached());
  EXPECT_EQ(a->self(), 0u);
  EXPECT_EQ(GetHostField(host_handle, razezazo::host_field::kWindow), 0);
  window_ = CreateFrameworkWindow({.width = 200, .height = 100});
  ASSERT_TRUE(host_->Create(window_, {.caption_flags = 0}));
  EXPECT_EQ(host_->first_control(), nullptr);
  EXPECT_EQ(HostOfWindow(window_), host_.get());
  EXPECT_EQ(GetHostField(0, razezazo::host_field::kWindow), 0);
}

TEST(FrameworkWindow, DefaultsTo380By250CentredInTheWorkArea) {
  winsys::HeadlessSystem& headless = testing_support::StartHeadless();
  headless.SetWorkArea({100, 50, 1000, 700});
  winsys::WindowId window = CreateFrameworkWindow();
  EXPECT_EQ(headless.WindowRect(window), (gfx::RectI{100 + 310, 50 + 225, 380, 250}));
  EXPECT_EQ(HostOfWindow(window), nullptr);
  headless.DestroyWindow(window);
}

}  // namespace
}  // namespace razezazo
