#pragma once
// The UI thread's one FIFO: posted messages, input, timer messages and tasks in
// the order they arrived. Pushing is safe from any thread; taking is for the UI
// thread.
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/window/window_system.h"

namespace winsys {

class MessageQueue {
 public:
  void PushMessage(const Message& message);
  void PushTask(std::function<void()> task);

  // The front entry: a task is always taken out (to be run by the caller); a
  // message is copied, and taken out only when `remove` is set.
  enum class Front { kEmpty, kTask, kMessage };
  Front Take(bool remove, Message& message, std::function<void()>& task);

  void RemoveIf(const std::function<bool(const Message&)>& matches);
  bool Empty() const;
  // Blocks until something was pushed or the time is up; true when not empty.
  bool WaitNotEmpty(std::chrono::milliseconds timeout);

 private:
  struct Entry {
    Message message;
    std::function<void()> task;  // set: a task, not a message
  };
  void Push(Entry entry);

  mutable std::mutex mutex_;
  std::condition_variable pushed_;
  std::deque<Entry> entries_;
};

}  // namespace winsys
