#include "app/ui_thread.h"

#include <future>

namespace app {

void UiThread::Send(const std::function<void()>& task) {
  if (IsCurrent()) {
    task();
    return;
  }
  std::promise<void> done;
  std::future<void> finished = done.get_future();
  Post([&task, &done] {
    task();
    done.set_value();
  });
  finished.wait();
}

}  // namespace app
