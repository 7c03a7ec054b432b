// Handlers may delete the control they were handed, in every event the host or a
// setter raises; the framework must not touch the control afterwards. Under the
// address sanitizer a late touch is a heap-use-after-free; without it the checks
// below still see that the host goes on working.
#include <functional>

#include "tests/ui/host_fixture.h"

namespace razezazo {
namespace {

using testing_support::TestControl;

class DeletionSafetyTest : public testing_support::HostFixture {
 protected:
  // A control that deletes itself when it hears `code`, and a witness beside it
  // that must still work afterwards.
  void ArmVictim(int code, FloatRect bounds = {10, 10, 80, 30}) {
    victim_ = Add(bounds);
    victim_->AddEventHandler(code, [this](const Event&) { victim_.reset(); });
  }

  // Runs `trigger`, which must make the victim hear its code, and checks that it
  // was deleted and that the host still delivers clicks to the witness.
  void ExpectDeletedBy(const char* what, const std::function<void()>& trigger) {
    SCOPED_TRACE(what);
    ASSERT_NE(victim_, nullptr);
    trigger();
    headless_->RunPending();
    headless_->Advance(1000);
    EXPECT_EQ(victim_, nullptr);
    if (!witness_) witness_ = Add({300, 300, 40, 20});
    witness_->watched = {event::kClick};
    witness_->Take();
    Click(310, 310);
    headless_->Advance(1000);
    EXPECT_EQ(witness_->Take().size(), 1u);
  }

  void WithVictim(int code, const char* what, const std::function<void()>& trigger) {
    ArmVictim(code);
    ExpectDeletedBy(what, trigger);
  }

  std::unique_ptr<TestControl> victim_;
  std::unique_ptr<TestControl> witness_;
};

TEST_F(DeletionSafetyTest, InTheEventsOfThePropertySetters) {
  WithVictim(event::kHidden, "hidden", [this] { victim_->SetVisible(false); });
  ArmVictim(event::kShown);
  victim_->SetVisible(false);
  ExpectDeletedBy("shown", [this] { victim_->SetVisible(true); });
  WithVictim(event::kBoundsChanged, "bounds changed", [this] { victim_->SetWidth(120); });
  WithVictim(event::kRepaint, "repaint after a resize", [this] { victim_->SetHeight(50); });
  WithVictim(event::kPlacementChanged, "placement report", [this] { victim_->SetX(40); });
  WithVictim(event::kOpacityChanged, "opacity", [this] { victim_->SetOpacity(100); });
  WithVictim(event::kFocusQuery, "focus query", [this] { EXPECT_FALSE(victim_->HasFocus()); });
}

TEST_F(DeletionSafetyTest, InTheEventsOfCreation) {
  auto parent = Add({100, 100, 100, 100});
  for (int code : {event::kCreated, event::kRepaint}) {
    for (TestControl* under : {static_cast<TestControl*>(nullptr), parent.get()}) {
      victim_ = std::make_unique<TestControl>();
      victim_->AddEventHandler(code, [this](const Event&) { victim_.reset(); });
      ExpectDeletedBy(code == event::kCreated ? "created" : "first repaint", [&] {
        if (under)
          victim_->Create(*under, {110, 110, 20, 20}, kKindPushButton);
        else
          victim_->Create(window_, {10, 10, 80, 30}, kKindPushButton);
      });
    }
  }
}

TEST_F(DeletionSafetyTest, InTheEventsOfAPaintWithATransition) {
  ArmVictim(event::kTransitionStarts);
  victim_->SetTransitionSteps(3, 20);
  ExpectDeletedBy("transition starts", [this] { victim_->SetColour(0xFF00FF00); });
  ArmVictim(event::kTransitionFrame);
  victim_->SetTransitionSteps(3, 20);
  ExpectDeletedBy("transition frame", [this] {
    victim_->SetColour(0xFF00FF00);
    headless_->Advance(20);
  });
  ArmVictim(event::kTransitionFinished);
  victim_->SetTransitionSteps(2, 20);
  ExpectDeletedBy("transition finished", [this] {
    victim_->SetColour(0xFF00FF00);
    headless_->Advance(100);
  });
  ArmVictim(event::kDisabledLookQuery);
  ExpectDeletedBy("disabled look while composing", [this] { victim_->SetDisabled(true); });
}

TEST_F(DeletionSafetyTest, InTheBackgroundBroadcastWhileSiblingsAndChildrenFollow) {
  ArmVictim(event::kRepaintBroadcast);
  auto child = Add({5, 5, 10, 10}, 0xFF00FF00, victim_.get());
  auto sibling = Add({100, 10, 40, 20});
  sibling->watched = {event::kRepaintBroadcast};
  sibling->Take();
  ExpectDeletedBy("background broadcast",
                  [this] { host_->SetBackground(std::nullopt, 0x00FFFFFF, razezazo::background_mode::kPresent); });
  EXPECT_EQ(sibling->Take().size(), 1u);  // the walk went on past the deleted control
}

TEST_F(DeletionSafetyTest, InTheEventsTheMouseRaises) {
  WithVictim(event::kMouseEnter, "enter", [this] { headless_->MoveMouse(window_, 20, 20); });
  WithVictim(winsys::WM_MOUSEMOVE, "move", [this] { headless_->MoveMouse(window_, 25, 20); });
  ArmVictim(event::kMouseLeave);
  headless_->MoveMouse(window_, 20, 20);
  ExpectDeletedBy("leave", [this] { headless_->MoveMouse(window_, 200, 200); });
  WithVictim(event::kPressQuery, "press query", [this] { Click(20, 20); });
  WithVictim(winsys::WM_LBUTTONDOWN, "left down", [this] { Click(20, 20); });
  WithVictim(winsys::WM_LBUTTONUP, "left up", [this] { Click(20, 20); });
  WithVictim(event::kClick, "click", [this] { Click(20, 20); });
  WithVictim(event::kFocusGained, "focus by mouse", [this] { Click(20, 20); });
  ArmVictim(event::kFocusLost);
  Click(20, 20);
  headless_->Advance(1000);
  ExpectDeletedBy("focus lost", [this] { Click(310, 310); });  // the witness takes the focus
  ArmVictim(event::kMouseLeave);
  headless_->MoveMouse(window_, 20, 20);
  ExpectDeletedBy("leaving the window", [this] { headless_->Send(window_, winsys::WM_MOUSELEAVE, 0, 0); });
  ArmVictim(event::kMouseLeave);
  headless_->MoveMouse(window_, 20, 20);
  ExpectDeletedBy("deactivation", [this] { headless_->Send(window_, winsys::WM_ACTIVATE, winsys::WA_INACTIVE, 0); });
}

TEST_F(DeletionSafetyTest, InTheEventsTheKeyboardAndTimersRaise) {
  ArmVictim(winsys::WM_KEYDOWN);
  host_->SetFocus(victim_.get(), true);
  ExpectDeletedBy("key down", [this] { headless_->KeyPress(winsys::VK_RETURN); });
  ArmVictim(event::kClick);
  host_->SetFocus(victim_.get(), true);
  ExpectDeletedBy("enter clicks", [this] { headless_->KeyPress(winsys::VK_RETURN); });
  ArmVictim(event::kClick);
  headless_->Send(window_, host_message::kSetAccelerator, victim_->self(), 'k');
  ExpectDeletedBy("accelerator", [this] { headless_->SysChar('k'); });
  ArmVictim(event::kFocusGained);
  ExpectDeletedBy("focus by Tab", [this] { headless_->KeyPress(winsys::VK_TAB); });
  ArmVictim(event::kTimer);
  ExpectDeletedBy("timer", [this] {
    headless_->SetTimer(window_, victim_->self(), 10);
    headless_->Advance(10);
  });
}

// A class handler (the control's own OnEvent) that deletes the control: the
// bound handlers are not looked for in freed memory.
class SelfDeletingControl : public TestControl {
 public:
  explicit SelfDeletingControl(std::unique_ptr<SelfDeletingControl>& owner) : owner_(owner) {}

 protected:
  std::intptr_t OnEvent(int code, std::intptr_t a1, std::intptr_t a2) override {
    if (code == event::kClick) {
      owner_.reset();
      return 0;
    }
    return TestControl::OnEvent(code, a1, a2);
  }

 private:
  std::unique_ptr<SelfDeletingControl>& owner_;
};

TEST_F(DeletionSafetyTest, InItsOwnClassHandler) {
  std::unique_ptr<SelfDeletingControl> control;
  control = std::make_unique<SelfDeletingControl>(control);
  ASSERT_TRUE(control->Create(window_, {10, 10, 80, 30}, kKindPushButton));
  int bound_calls = 0;
  control->AddEventHandler(event::kClick, [&bound_calls](const Event&) { ++bound_calls; });
  headless_->RunPending();
  Click(20, 20);
  EXPECT_EQ(control, nullptr);
  EXPECT_EQ(bound_calls, 0);
}

}  // namespace
}  // namespace razezazo
