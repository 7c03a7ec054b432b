#include "platform/window/timer_table.h"

#include <algorithm>

namespace winsys {

Timer& TimerTable::Add(WindowId window, std::uintptr_t id, std::uint32_t interval, TimerProc proc) {
  auto timer = std::make_unique<Timer>();
  timer->window = window;
  timer->id = id;
  timer->interval = std::max(interval, kMinimumInterval);
  if (proc) timer->proc = std::make_shared<const TimerProc>(std::move(proc));
  Timer& added = *timer;
  timers_[{window, id}] = std::move(timer);
  order_[{window, id}] = sequence_++;
  return added;
}

std::unique_ptr<Timer> TimerTable::Take(WindowId window, std::uintptr_t id) {
  auto it = timers_.find({window, id});
  if (it == timers_.end()) return nullptr;
  auto timer = std::move(it->second);
  timers_.erase(it);
  order_.erase({window, id});
  return timer;
}

std::vector<std::unique_ptr<Timer>> TimerTable::TakeAll() {
  std::vector<std::unique_ptr<Timer>> all;
  for (auto& [key, timer] : timers_) all.push_back(std::move(timer));
  timers_.clear();
  order_.clear();
  return all;
}

Timer* TimerTable::Find(WindowId window, std::uintptr_t id) {
  auto it = timers_.find({window, id});
  return it == timers_.end() ? nullptr : it->second.get();
}

std::vector<Timer*> TimerTable::OfWindow(WindowId window) {
  std::vector<Timer*> found;
  for (auto& [key, timer] : timers_)
    if (key.first == window) found.push_back(timer.get());
  return found;
}

Timer* TimerTable::EarliestDue() {
  Timer* best = nullptr;
  std::uint64_t best_order = 0;
  for (auto& [key, timer] : timers_) {
    const std::uint64_t order = order_[key];
    if (!best || timer->due < best->due || (timer->due == best->due && order < best_order)) {
      best = timer.get();
      best_order = order;
    }
  }
  return best;
}

}  // namespace winsys
