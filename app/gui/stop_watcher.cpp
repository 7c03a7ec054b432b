#include "app/gui/stop_watcher.h"

#include <poll.h>

namespace app::gui {

StopWatcher::StopWatcher(const runtime::StopSignal& stop, UiThread& ui, std::function<void()> on_stop)
    : thread_([this, &stop, &ui, on_stop = std::move(on_stop)] { Watch(stop, ui, on_stop); }) {}

StopWatcher::~StopWatcher() {
  done_.Request();
  thread_.join();
}

// Without wake descriptors (none could be made) the flags are looked at every
// tenth of a second instead.
void StopWatcher::Watch(const runtime::StopSignal& stop, UiThread& ui, std::function<void()> on_stop) const {
  pollfd waits[2] = {{.fd = stop.WakeDescriptor(), .events = POLLIN, .revents = 0},
                     {.fd = done_.WakeDescriptor(), .events = POLLIN, .revents = 0}};
  const int timeout_ms = waits[0].fd < 0 || waits[1].fd < 0 ? 100 : -1;
  while (!stop.Requested() && !done_.Requested()) poll(waits, 2, timeout_ms);
  if (stop.Requested() && !done_.Requested()) ui.Post(std::move(on_stop));
}

}  // namespace app::gui
