#include "platform/window/message_queue.h"

#include <algorithm>

namespace winsys {

void MessageQueue::PushMessage(const Message& message) { Push({message, nullptr}); }

void MessageQueue::PushTask(std::function<void()> task) {
  if (task) Push({{}, std::move(task)});
}

void MessageQueue::Push(Entry entry) {
  {
    std::lock_guard lock(mutex_);
    entries_.push_back(std::move(entry));
  }
  pushed_.notify_all();
}

MessageQueue::Front MessageQueue::Take(bool remove, Message& message, std::function<void()>& task) {
  std::lock_guard lock(mutex_);
  if (entries_.empty()) return Front::kEmpty;
  Entry& front = entries_.front();
  if (front.task) {
    task = std::move(front.task);
    entries_.pop_front();
    return Front::kTask;
  }
  message = front.message;
  if (remove) entries_.pop_front();
  return Front::kMessage;
}

void MessageQueue::RemoveIf(const std::function<bool(const Message&)>& matches) {
  std::lock_guard lock(mutex_);
  std::erase_if(entries_, [&](const Entry& e) { return !e.task && matches(e.message); });
}

bool MessageQueue::Empty() const {
  std::lock_guard lock(mutex_);
  return entries_.empty();
}

bool MessageQueue::WaitNotEmpty(std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  return pushed_.wait_for(lock, timeout, [this] { return !entries_.empty(); });
}

}  // namespace winsys
