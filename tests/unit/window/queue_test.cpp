// The message queue: order, tasks, cross-thread send, quit, nested loops.
#include <atomic>
#include <thread>

#include "headless_fixture.h"

namespace winsys::testing {
namespace {

class QueueTest : public HeadlessTest {};

TEST_F(QueueTest, PostedMessagesAndTasksComeInPostingOrder) {
  const WindowId w = Make({0, 0, 50, 50});
  sys.RunPending();
  log.clear();
  std::vector<int> order;
  sys.Post(w, WM_USER + 1, 0, 0);
  sys.PostTask([&] { order.push_back(static_cast<int>(log.size())); });
  sys.Post(w, WM_USER + 2, 7, 8);
  EXPECT_TRUE(log.empty()) << "posting must not dispatch";
  sys.RunPending();
  ASSERT_EQ(Numbers(w, {WM_USER + 1, WM_USER + 2}), (std::vector<unsigned>{WM_USER + 1, WM_USER + 2}));
  EXPECT_EQ(order, std::vector<int>{1}) << "the task runs between the two messages";
  EXPECT_EQ(Of(w, {WM_USER + 2})[0].wparam, 7u);
  EXPECT_EQ(Of(w, {WM_USER + 2})[0].lparam, 8);
}

TEST_F(QueueTest, PostToMissingWindowFailsAndQueuedMessagesDieWithTheirWindow) {
  const WindowId w = Make({0, 0, 50, 50});
  EXPECT_FALSE(sys.Post(w + 100, WM_USER, 0, 0));
  EXPECT_TRUE(sys.Post(w, WM_USER, 0, 0));
  sys.DestroyWindow(w);
  log.clear();
  sys.RunPending();
  EXPECT_TRUE(log.empty());
  EXPECT_FALSE(sys.IsWindow(w));
  EXPECT_EQ(sys.Send(w, WM_USER, 0, 0), 0);
}

TEST_F(QueueTest, PeekWithoutRemoveLeavesTheMessage) {
  const WindowId w = Make({0, 0, 50, 50});
  sys.RunPending();
  sys.Post(w, WM_USER, 1, 2);
  Message m;
  ASSERT_TRUE(sys.PeekMessage(m, false));
  EXPECT_EQ(m.message, WM_USER);
  ASSERT_TRUE(sys.PeekMessage(m, true));
  EXPECT_EQ(m.message, WM_USER);
  EXPECT_FALSE(sys.PeekMessage(m, true));
}

TEST_F(QueueTest, SendFromWorkerBlocksUntilTheUiThreadHandledIt) {
  std::atomic<bool> handled{false};
  CreateParams params;
  params.rect = {0, 0, 10, 10};
  params.proc = [&](WindowId w, unsigned m, WParam wp, LParam lp) -> LResult {
    if (m == WM_USER) {
      handled = true;
      return static_cast<LResult>(wp * 2);
    }
    return sys.DefWindowProc(w, m, wp, lp);
  };
  const WindowId w = sys.CreateWindow(params);
  std::atomic<LResult> answer{-1};
  std::atomic<bool> returned{false};
  std::thread worker([&] {
    answer = sys.Send(w, WM_USER, 21, 0);
    returned = true;
  });
  ASSERT_TRUE(sys.WaitForPost(5000));
  EXPECT_FALSE(returned) << "Send returned before the UI thread ran the procedure";
  EXPECT_FALSE(handled);
  sys.RunPending();
  worker.join();
  EXPECT_TRUE(handled);
  EXPECT_EQ(answer, 42);
}

TEST_F(QueueTest, PostFromWorkerArrives) {
  const WindowId w = Make({0, 0, 10, 10});
  std::thread worker([&] { sys.Post(w, WM_USER + 5, 1, 0); });
  worker.join();
  sys.RunPending();
  EXPECT_EQ(Of(w, {WM_USER + 5}).size(), 1u);
}

TEST_F(QueueTest, SendFromWorkerToAGoneSystemReturnsZero) {
  auto doomed = std::make_unique<HeadlessSystem>();
  CreateParams params;
  params.rect = {0, 0, 10, 10};
  const WindowId w = doomed->CreateWindow(params);
  std::atomic<LResult> answer{-1};
  std::thread worker([&] { answer = doomed->Send(w, WM_USER, 0, 0); });
  ASSERT_TRUE(doomed->WaitForPost(5000));
  doomed.reset();
  worker.join();
  EXPECT_EQ(answer, 0);
}

TEST_F(QueueTest, QuitComesAfterEverythingQueuedAndEndsTheLoop) {
  const WindowId w = Make({0, 0, 10, 10});
  sys.Post(w, WM_USER, 0, 0);
  sys.PostQuitMessage(3);
  sys.Post(w, WM_USER + 1, 0, 0);
  Message m;
  std::vector<unsigned> got;
  while (sys.GetMessage(m)) {
    got.push_back(m.message);
    sys.DispatchMessage(m);
  }
  EXPECT_EQ(m.message, WM_QUIT);
  EXPECT_EQ(m.wparam, 3u);
  EXPECT_NE(std::find(got.begin(), got.end(), WM_USER + 1), got.end());
  EXPECT_FALSE(sys.PendingQuit());
}

TEST_F(QueueTest, RunPendingLeavesAQuitForTheLoop) {
  sys.PostQuitMessage(9);
  sys.RunPending();
  ASSERT_TRUE(sys.PendingQuit());
  EXPECT_EQ(*sys.PendingQuit(), 9);
}

TEST_F(QueueTest, GetMessageReturnsFalseWhenNothingCanEverHappen) {
  Make({0, 0, 10, 10});
  sys.RunPending();
  Message m;
  EXPECT_FALSE(sys.GetMessage(m));
  EXPECT_EQ(m.message, WM_QUIT);
}

TEST_F(QueueTest, GetMessageGivesUpOnALoopThatOnlyTimersKeepAlive) {
  const WindowId w = Make({0, 0, 10, 10});
  sys.SetTimer(w, 1, 500);
  Message m;
  int timers = 0;
  while (sys.GetMessage(m)) {
    timers += m.message == WM_TIMER;
    sys.DispatchMessage(m);
  }
  EXPECT_GT(timers, 100);
  EXPECT_GE(sys.Now(), 10u * 60 * 1000);
}

// A modal loop as a message box runs it: until its window is gone. The idle
// handler plays the user who answers it.
TEST_F(QueueTest, IdleHandlerDrivesANestedLoop) {
  const WindowId owner = Make({0, 0, 300, 200});
  const WindowId box = Make({50, 50, 100, 60}, WS_POPUP | WS_VISIBLE, 0, owner);
  int steps = 0;
  sys.SetIdleHandler([&] {
    ++steps;
    if (steps == 1) {
      sys.Click(box, 10, 10);
      return true;
    }
    if (steps == 2) {
      sys.Post(box, WM_CLOSE, 0, 0);
      return true;
    }
    return false;
  });
  Message m;
  std::vector<unsigned> seen;
  while (sys.IsWindow(box) && sys.GetMessage(m)) {
    seen.push_back(m.message);
    sys.DispatchMessage(m);
  }
  EXPECT_FALSE(sys.IsWindow(box));
  EXPECT_TRUE(sys.IsWindow(owner));
  EXPECT_EQ(steps, 2);
  EXPECT_NE(std::find(seen.begin(), seen.end(), WM_LBUTTONDOWN), seen.end())
      << "input injected from the idle handler goes through the loop";
  EXPECT_EQ(Of(box, {WM_DESTROY}).size(), 1u);
}

TEST_F(QueueTest, IdleHandlerCanWaitForAWorker) {
  const WindowId w = Make({0, 0, 10, 10});
  std::thread worker;
  bool started = false;
  sys.SetIdleHandler([&] {
    if (!sys.IsWindow(w)) return false;
    if (!started) {
      started = true;
      worker = std::thread([&] { sys.Send(w, WM_CLOSE, 0, 0); });
    }
    return sys.WaitForPost(5000);
  });
  Message m;
  while (sys.IsWindow(w) && sys.GetMessage(m)) sys.DispatchMessage(m);
  worker.join();
  EXPECT_FALSE(sys.IsWindow(w));
}

}  // namespace
}  // namespace winsys::testing
