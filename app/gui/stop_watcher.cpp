#include "app/gui/stop_watcher.h"

namespace app::gui {

StopWatcher::StopWatcher(const runtime::StopSignal& stop, UiThread& ui, std::function<void()> on_stop)
    : thread_([this, &stop, &ui, on_stop = std::move(on_stop)] { Watch(stop, ui, on_stop); }) {}

StopWatcher::~StopWatcher() {
  done_.Request();
  thread_.join();
}

void StopWatcher::Watch(const runtime::StopSignal& stop, UiThread& ui, std::function<void()> on_stop) const {
  runtime::WaitForEither(stop, done_);
  if (stop.Requested() && !done_.Requested()) ui.Post(std::move(on_stop));
}

}  // namespace app::gui
