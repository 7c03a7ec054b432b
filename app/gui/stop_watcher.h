#pragma once
// Hands a stop to the UI thread: a signal handler may only raise the flag, and
// a UI thread that waits in its message loop would not look at it before the
// next message comes. A thread of its own waits for the flag and posts
// `on_stop` once.
#include <functional>
#include <thread>

#include "app/ui_thread.h"
#include "runtime/stop_signal.h"

namespace app::gui {

class StopWatcher {
 public:
  StopWatcher(const runtime::StopSignal& stop, UiThread& ui, std::function<void()> on_stop);
  ~StopWatcher();  // the thread ends with the object; a posted task stays posted
  StopWatcher(const StopWatcher&) = delete;
  StopWatcher& operator=(const StopWatcher&) = delete;

 private:
  void Watch(const runtime::StopSignal& stop, UiThread& ui, std::function<void()> on_stop) const;

  runtime::StopSignal done_;
  std::thread thread_;
};

}  // namespace app::gui
