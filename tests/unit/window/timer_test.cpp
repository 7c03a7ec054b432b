// Timers on the virtual clock.
#include "headless_fixture.h"

namespace winsys::testing {
namespace {

class TimerTest : public HeadlessTest {
 protected:
  void SetUp() override {
    w = Make({0, 0, 10, 10});
    sys.RunPending();
    log.clear();
  }
  // (timer id, Now() when it arrived) for every WM_TIMER so far.
  std::vector<std::pair<std::uintptr_t, std::uint32_t>> Fired() {
    std::vector<std::pair<std::uintptr_t, std::uint32_t>> fired;
    for (std::size_t i = 0; i < log.size(); ++i)
      if (log[i].message == WM_TIMER) fired.emplace_back(log[i].wparam, times[i]);
    return fired;
  }
  WindowId w = 0;
  std::vector<std::uint32_t> times;
};

TEST_F(TimerTest, TimersFireInDueOrderAtTheirDueTimeAndRepeat) {
  // Record the clock as each message arrives.
  sys.SetWindowProc(w, [&](WindowId win, unsigned m, WParam wp, LParam lp) {
    log.push_back({win, m, wp, lp});
    times.push_back(sys.Now());
    return sys.DefWindowProc(win, m, wp, lp);
  });
  sys.SetTimer(w, 1, 300);
  sys.SetTimer(w, 2, 200);
  sys.Advance(650);
  using Fire = std::pair<std::uintptr_t, std::uint32_t>;
  EXPECT_EQ(Fired(), (std::vector<Fire>{{2, 200}, {1, 300}, {2, 400}, {1, 600}, {2, 600}}));
  EXPECT_EQ(sys.Now(), 650u);
}

TEST_F(TimerTest, NothingFiresBeforeItsTime) {
  sys.SetTimer(w, 1, 100);
  sys.Advance(99);
  EXPECT_TRUE(Of(w, {WM_TIMER}).empty());
  sys.Advance(1);
  EXPECT_EQ(Of(w, {WM_TIMER}).size(), 1u);
}

TEST_F(TimerTest, KillStopsATimerEvenWhenItIsAlreadyDue) {
  sys.SetTimer(w, 1, 100);
  sys.Advance(100);
  sys.Sleep(150);  // due again, not yet delivered
  sys.KillTimer(w, 1);
  sys.Advance(1000);
  EXPECT_EQ(Of(w, {WM_TIMER}).size(), 1u);
}

TEST_F(TimerTest, SettingTheSameIdAgainReplacesTheTimer) {
  sys.SetTimer(w, 7, 100);
  sys.Advance(50);
  sys.SetTimer(w, 7, 300);  // restarts from now with the new period
  sys.Advance(299);
  EXPECT_TRUE(Of(w, {WM_TIMER}).empty());
  sys.Advance(1);
  EXPECT_EQ(Of(w, {WM_TIMER}).size(), 1u);
}

TEST_F(TimerTest, SameIdOnDifferentWindowsAreDifferentTimers) {
  const WindowId other = Make({20, 0, 10, 10});
  sys.SetTimer(w, 1, 100);
  sys.SetTimer(other, 1, 100);
  sys.KillTimer(other, 1);
  sys.Advance(100);
  EXPECT_EQ(Of(w, {WM_TIMER}).size(), 1u);
  EXPECT_TRUE(Of(other, {WM_TIMER}).empty());
}

TEST_F(TimerTest, TimerProcIsCalledInsteadOfTheWindowProcedure) {
  std::vector<std::pair<WindowId, std::uint32_t>> calls;
  sys.SetTimer(w, 3, 50, [&](WindowId win, unsigned message, std::uintptr_t id, std::uint32_t time) {
    EXPECT_EQ(message, WM_TIMER);
    EXPECT_EQ(id, 3u);
    calls.emplace_back(win, time);
  });
  sys.SetTimer(0, 4, 70,
               [&](WindowId win, unsigned, std::uintptr_t, std::uint32_t time) { calls.emplace_back(win, time); });
  sys.Advance(100);
  EXPECT_EQ(calls, (std::vector<std::pair<WindowId, std::uint32_t>>{{w, 50}, {0, 70}, {w, 100}}));
  EXPECT_TRUE(Of(w, {WM_TIMER}).empty());
}

TEST_F(TimerTest, DestroyingTheWindowKillsItsTimers) {
  int calls = 0;
  sys.SetTimer(w, 1, 10, [&](WindowId, unsigned, std::uintptr_t, std::uint32_t) { ++calls; });
  sys.DestroyWindow(w);
  sys.Advance(100);
  EXPECT_EQ(calls, 0);
}

TEST_F(TimerTest, SleepMovesTheVirtualClockButDispatchesNothing) {
  sys.SetTimer(w, 1, 100);
  sys.Post(w, WM_USER + 1, 0, 0);
  sys.Sleep(250);
  EXPECT_EQ(sys.Now(), 250u);
  EXPECT_TRUE(Of(w, {WM_TIMER, WM_USER + 1}).empty());  // as a real sleep: the thread does nothing
  sys.RunPending();
  EXPECT_EQ(Of(w, {WM_TIMER}).size(), 1u) << "a late timer fires once";
  EXPECT_EQ(Of(w, {WM_USER + 1}).size(), 1u);
}

TEST_F(TimerTest, GetMessageWaitsForTheNextTimerByMovingTheClock) {
  sys.SetTimer(w, 1, 400);
  Message m;
  ASSERT_TRUE(sys.GetMessage(m));
  EXPECT_EQ(m.message, WM_TIMER);
  EXPECT_EQ(sys.Now(), 400u);
  EXPECT_EQ(m.time, 400u);
}

}  // namespace
}  // namespace winsys::testing
