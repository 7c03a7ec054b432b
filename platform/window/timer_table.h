#pragma once
// The timers of one window system, per (window, id). The backend decides how a
// timer falls due: a virtual clock or a GLib timeout.
#include <cstdint>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/window/window_system.h"

namespace winsys {

struct Timer {
  WindowId window = 0;
  std::uintptr_t id = 0;
  std::uint32_t interval = 0;
  std::shared_ptr<const TimerProc> proc;  // null: WM_TIMER to the window procedure
  std::uint64_t due = 0;                  // virtual clocks: when it fires next
  bool queued = false;                    // a WM_TIMER for it waits in the queue
  unsigned native_source = 0;             // GLib clocks: the timeout source
};

class TimerTable {
 public:
  // Windows never runs a timer faster than this.
  static constexpr std::uint32_t kMinimumInterval = 10;

  // Adds the timer; the caller has removed an existing one with the same key.
  Timer& Add(WindowId window, std::uintptr_t id, std::uint32_t interval, TimerProc proc);
  std::unique_ptr<Timer> Take(WindowId window, std::uintptr_t id);
  std::vector<std::unique_ptr<Timer>> TakeAll();
  Timer* Find(WindowId window, std::uintptr_t id);
  std::vector<Timer*> OfWindow(WindowId window);
  // The timer that falls due first (ties: the one set first); null when none.
  Timer* EarliestDue();
  bool Empty() const { return timers_.empty(); }

 private:
  using Key = std::pair<WindowId, std::uintptr_t>;
  std::map<Key, std::unique_ptr<Timer>> timers_;
  std::map<Key, std::uint64_t> order_;  // creation sequence, for stable ties
  std::uint64_t sequence_ = 0;
};

}  // namespace winsys
