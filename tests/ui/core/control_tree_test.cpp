// The control tree's rules: one parent per control, no cycles, no parent from
// another host, z-order among siblings, and Tab over whatever the tree holds.
#include <chrono>
#include <future>

#include "tests/ui/host_fixture.h"

namespace razezazo {
namespace {

using testing_support::TestControl;

class ControlTreeTest : public testing_support::HostFixture {
 protected:
  static std::vector<ControlBase*> Children(const ControlBase& parent) {
    std::vector<ControlBase*> list;
    for (ControlBase* c = parent.first_child(); c; c = c->next_sibling()) list.push_back(c);
    return list;
  }
  std::vector<ControlBase*> TopLevel() const {
    std::vector<ControlBase*> list;
    for (ControlBase* c = host_->first_control(); c; c = c->next_sibling()) list.push_back(c);
    return list;
  }
};

TEST_F(ControlTreeTest, ACycleIsRefusedAndTheTreeStaysAsItWas) {
  auto a = Add({10, 10, 200, 200});
  auto b = Add({20, 20, 100, 100}, 0xFF00FF00, a.get());
  auto c = Add({30, 30, 50, 50}, 0xFF0000FF, b.get());
  EXPECT_FALSE(a->SetParent(c.get()));  // a grandchild cannot become the parent
  EXPECT_FALSE(a->SetParent(b.get()));
  EXPECT_FALSE(a->SetParent(a.get()));
  EXPECT_EQ(a->parent(), nullptr);
  EXPECT_EQ(Children(*a), std::vector<ControlBase*>{b.get()});
  EXPECT_EQ(Children(*b), std::vector<ControlBase*>{c.get()});
  a->SetX(50);  // moving walks the descendants: it must end
  EXPECT_EQ(c->x(), 70);
}

TEST_F(ControlTreeTest, AParentOfAnotherHostIsRefused) {
  RazezaZOHost other_host;
  const winsys::WindowId other_window =
      testing_support::OpenHostWindow(*headless_, other_host, {.caption_flags = 0}, {.width = 200, .height = 200});
  ASSERT_NE(other_window, 0u);
  auto foreign = std::make_unique<TestControl>();
  ASSERT_TRUE(foreign->Create(other_window, {10, 10, 50, 50}, kKindPushButton));
  auto mine = Add({10, 10, 80, 30});
  EXPECT_FALSE(mine->SetParent(foreign.get()));
  EXPECT_FALSE(foreign->SetParent(mine.get()));
  EXPECT_EQ(mine->parent(), nullptr);
  // The other host still hovers its own control and forgets it when it goes.
  headless_->MoveMouse(other_window, 20, 20);
  EXPECT_EQ(other_host.hot(), foreign.get());
  foreign.reset();
  EXPECT_EQ(other_host.hot(), nullptr);
  headless_->MoveMouse(other_window, 30, 30);
  headless_->DestroyWindow(other_window);
}

TEST_F(ControlTreeTest, ReParentingMovesToTheEndOfTheNewParentsChildren) {
  auto a = Add({10, 10, 200, 200});
  auto b = Add({220, 10, 100, 100});
  auto c = Add({20, 20, 10, 10}, 0xFF00FF00, a.get());
  auto d = Add({30, 30, 10, 10}, 0xFF00FF00, a.get());
  EXPECT_TRUE(c->SetParent(b.get()));
  EXPECT_EQ(c->parent(), b.get());
  EXPECT_EQ(Children(*a), std::vector<ControlBase*>{d.get()});
  EXPECT_EQ(Children(*b), std::vector<ControlBase*>{c.get()});
  EXPECT_TRUE(d->SetParent(nullptr));  // to the top level
  EXPECT_EQ(TopLevel(), (std::vector<ControlBase*>{a.get(), b.get(), d.get()}));
  EXPECT_EQ(d->parent(), nullptr);
}

TEST_F(ControlTreeTest, ZOrderMovesAControlToEitherEndOfItsSiblings) {
  auto a = Add({10, 10, 20, 20});
  auto b = Add({10, 10, 20, 20});
  auto c = Add({10, 10, 20, 20});
  a->ChangeZOrder(true);
  EXPECT_EQ(TopLevel(), (std::vector<ControlBase*>{b.get(), c.get(), a.get()}));
  c->ChangeZOrder(false);
  EXPECT_EQ(TopLevel(), (std::vector<ControlBase*>{c.get(), b.get(), a.get()}));
  auto x = Add({1, 1, 5, 5}, 0xFF00FF00, b.get());
  auto y = Add({1, 1, 5, 5}, 0xFF00FF00, b.get());
  y->ChangeZOrder(false);
  EXPECT_EQ(Children(*b), (std::vector<ControlBase*>{y.get(), x.get()}));
  EXPECT_EQ(y->parent(), b.get());
  // Inserting puts a control just below a sibling, in that sibling's list.
  EXPECT_TRUE(host_->controls().InsertBefore(*a, *x));
  EXPECT_EQ(Children(*b), (std::vector<ControlBase*>{y.get(), a.get(), x.get()}));
  EXPECT_FALSE(host_->controls().InsertBefore(*b, *x));  // under its own child: a cycle
  EXPECT_TRUE(host_->controls().Append(*a, nullptr));
  // The previous links run backwards over the same order.
  EXPECT_EQ(host_->last_control(), a.get());
  EXPECT_EQ(a->previous_sibling(), b.get());
  EXPECT_EQ(b->previous_sibling(), c.get());
  EXPECT_EQ(c->previous_sibling(), nullptr);
}

TEST_F(ControlTreeTest, AnUnlinkedControlLeavesTheTreeAndCanBeLinkedAgain) {
  auto a = Add({10, 10, 20, 20});
  auto b = Add({40, 10, 20, 20});
  auto child = Add({1, 1, 5, 5}, 0xFF00FF00, b.get());
  child->Unlink();
  a->Unlink();
  EXPECT_EQ(TopLevel(), std::vector<ControlBase*>{b.get()});
  EXPECT_TRUE(Children(*b).empty());
  EXPECT_EQ(child->parent(), nullptr);
  a->Unlink();  // twice is harmless
  EXPECT_TRUE(a->SetParent(nullptr));
  EXPECT_EQ(TopLevel(), (std::vector<ControlBase*>{b.get(), a.get()}));
}

// Runs `action` on this thread and fails instead of hanging when it never returns.
void ExpectReturns(const std::function<void()>& action) {
  std::packaged_task<void()> task(action);
  std::future<void> done = task.get_future();
  std::thread watchdog([&done] {
    if (done.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
      ADD_FAILURE() << "did not return";
      std::abort();
    }
  });
  task();
  watchdog.join();
}

TEST_F(ControlTreeTest, TabReturnsWhenTheFocusedControlWasUnlinkedAndNothingElseQualifies) {
  auto a = Add({10, 10, 50, 20});
  auto disabled = Add({70, 10, 50, 20});
  disabled->SetDisabled(true);
  host_->SetFocus(a.get(), true);
  a->Unlink();
  ExpectReturns([this] { headless_->KeyPress(winsys::VK_TAB); });
  // With a control that qualifies, Tab moves there.
  auto b = Add({130, 10, 50, 20});
  headless_->KeyPress(winsys::VK_TAB);
  EXPECT_EQ(host_->focused(), b.get());
}

}  // namespace
}  // namespace razezazo
