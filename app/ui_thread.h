#pragma once
// Handing work to the UI thread, which owns every window object.
#include <functional>

namespace app {

class UiThread {
 public:
  virtual ~UiThread() = default;
  virtual bool IsCurrent() const = 0;
  // Queues `task` to run on the UI thread; safe from any thread.
  virtual void Post(std::function<void()> task) = 0;
  // Runs `task` on the UI thread and returns once it has run: at once when called
  // on the UI thread, else by posting it and waiting.
  void Send(const std::function<void()>& task);
};

}  // namespace app
