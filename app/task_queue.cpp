#include "app/task_queue.h"

namespace app {

// Notified under the lock: the UI thread may run the task, finish and destroy
// the queue as soon as the lock is free, and the poster must not touch it then.
void TaskQueue::Post(std::function<void()> task) {
  std::lock_guard lock(mutex_);
  tasks_.push_back(std::move(task));
  posted_.notify_one();
}

void TaskQueue::RunUntil(const std::function<bool()>& done) {
  while (!done()) {
    std::function<void()> task;
    {
      std::unique_lock lock(mutex_);
      posted_.wait(lock, [this] { return !tasks_.empty(); });
      task = std::move(tasks_.front());
      tasks_.pop_front();
    }
    task();
  }
}

}  // namespace app
