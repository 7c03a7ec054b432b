// What other controls and windows ask of a host: the control under a point,
// events for a control by handle from any thread, the host's look; and the
// host's own housekeeping (empty windows, messages that are never delivered).
#include <thread>

#include "razezazo/widgets/control_events.h"
#include "razezazo/widgets/message_payload.h"
#include "tests/ui/host_fixture.h"

namespace razezazo {
namespace {

using testing_support::TestControl;

class HostServicesTest : public testing_support::HostFixture {};

TEST_F(HostServicesTest, ControlAtFindsTheTopmostUsableControlChildrenFirst) {
  auto under = Add({10, 10, 100, 100});
  auto over = Add({50, 50, 100, 100});
  auto child = Add({60, 60, 20, 20}, 0xFF00FF00, over.get());
  EXPECT_EQ(host_->ControlAt(20, 20), under.get());
  EXPECT_EQ(host_->ControlAt(55, 55), over.get());
  EXPECT_EQ(host_->ControlAt(65, 65), child.get());
  EXPECT_EQ(host_->ControlAt(300, 300), nullptr);
  EXPECT_EQ(host_->ControlAt(110, 110), over.get());  // right and bottom edges are outside `under`
  over->SetVisible(false);
  EXPECT_EQ(host_->ControlAt(65, 65), under.get());
  under->SetDisabled(true);
  EXPECT_EQ(host_->ControlAt(20, 20), nullptr);
}

TEST_F(HostServicesTest, EventsPostedOrSentByHandleFromAWorkerReachTheControlOnTheUiThread) {
  auto a = Add({10, 10, 50, 20});
  std::vector<std::string> heard;
  const std::thread::id ui_thread = std::this_thread::get_id();
  a->AddEventHandler(20000, [&heard, ui_thread](const Event& e) {
    EXPECT_EQ(std::this_thread::get_id(), ui_thread);
    heard.push_back(std::to_string(e.argument1) + ":" + std::to_string(e.argument2));
  });
  const Handle target = a->self();
  bool posted = false;
  std::thread poster([&] { posted = PostControlEvent(target, 20000, 1, 2); });
  poster.join();
  EXPECT_TRUE(posted);
  EXPECT_TRUE(heard.empty());  // queued, not run on the worker
  headless_->RunPending();
  EXPECT_EQ(heard, std::vector<std::string>{"1:2"});

  // A send blocks the worker until the UI thread has delivered the event.
  std::intptr_t answer = -5;
  std::thread sender([&] { answer = SendControlEvent(target, 20000, 3, 4); });
  while (heard.size() < 2) headless_->WaitForPost(10), headless_->RunPending();
  sender.join();
  EXPECT_EQ(heard.back(), "3:4");
  EXPECT_EQ(answer, kNotHandled);  // the test control's class handler does not know 20000
}

TEST_F(HostServicesTest, AnEventForADeadOrUnknownHandleIsRefused) {
  auto a = Add({10, 10, 50, 20});
  const Handle dead = a->self();
  a.reset();
  EXPECT_FALSE(PostControlEvent(dead, 20000, 0, 0));
  EXPECT_EQ(SendControlEvent(dead, 20000, 0, 0), 0);
  EXPECT_FALSE(PostControlEvent(0, 20000, 0, 0));
  EXPECT_FALSE(PostControlEvent(host_->handle(), 20000, 0, 0));  // a host is not a control
}

TEST_F(HostServicesTest, TheLookOfAHostCanBeCopied) {
  Recreate({.caption_flags = 0,
            .layer_alpha = 200,
            .image_placement = 2,
            .frame_style = razezazo::frame_style::kSkinned,
            .initial_paint = false,
            .creation_rect = FloatRect{4, 5, 6, 7}},
           300, 200);
  auto same = [](const FloatRect& r) { return r.x == 4 && r.y == 5 && r.width == 6 && r.height == 7; };
  EXPECT_TRUE(same(host_->creation_rect()));
  HostOptions look = host_->Look();
  EXPECT_EQ(look.layer_alpha, 200);
  EXPECT_EQ(look.image_placement, 2);
  EXPECT_EQ(look.frame_style, razezazo::frame_style::kSkinned);
  EXPECT_EQ(look.initial_paint, false);
  EXPECT_EQ(look.blur_behind, false);
  ASSERT_TRUE(look.creation_rect);
  EXPECT_TRUE(same(*look.creation_rect));
}

TEST_F(HostServicesTest, AFadeOnAnEmptyWindowEndsAndFreesTheHost) {
  Recreate({.caption_flags = 0}, 0, 0);
  host_->SetBackground(std::nullopt, 0x00FFFFFF, razezazo::background_mode::kFadeIn);
  headless_->Advance(1000);
  EXPECT_FALSE(host_->busy());
}

TEST_F(HostServicesTest, PayloadsOfMessagesThatAreNeverDeliveredAreFreed) {
  const std::size_t before = PendingPayloadCount();
  auto a = Add({10, 10, 50, 20});
  a->Invalidate();
  a->PostEvent(20000, 1, 2);
  EXPECT_EQ(PendingPayloadCount(), before + 2);
  headless_->DestroyWindow(window_);  // the queued messages die with the window
  EXPECT_EQ(PendingPayloadCount(), before);

  window_ = CreateFrameworkWindow({.width = 200, .height = 100});
  ASSERT_TRUE(host_->Create(window_, {.caption_flags = 0}));
  auto b = Add({10, 10, 50, 20});
  b->PostEvent(20000, 1, 2);
  winsys::WindowId second = CreateFrameworkWindow({.width = 200, .height = 100});
  ASSERT_TRUE(host_->Create(second, {.caption_flags = 0}));  // re-attached: the first window is let go
  headless_->RunPending();
  EXPECT_EQ(PendingPayloadCount(), before);
  EXPECT_EQ(HostOfWindow(window_), nullptr);
  headless_->DestroyWindow(window_);
  window_ = second;
}

}  // namespace
}  // namespace razezazo
