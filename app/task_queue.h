#pragma once
// A UI thread without a window system: the thread that creates the queue is the
// UI thread and runs posted tasks in order. brivo-cli and the tests use it.
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "app/ui_thread.h"

namespace app {

class TaskQueue final : public UiThread {
 public:
  TaskQueue() : owner_(std::this_thread::get_id()) {}

  bool IsCurrent() const override { return std::this_thread::get_id() == owner_; }
  void Post(std::function<void()> task) override;

  // Runs posted tasks, waiting for more, until `done` returns true (it is checked
  // before waiting and after every task). Call on the UI thread.
  void RunUntil(const std::function<bool()>& done);

 private:
  std::thread::id owner_;
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace app
