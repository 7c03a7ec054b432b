#pragma once
// The UI thread of a window program: the thread that started the window
// system. Posted tasks run in its message loop, also inside the nested loops
// of message boxes and menus, so a worker's Send is answered while a box is open.
#include <thread>

#include "app/ui_thread.h"

namespace app::gui {

class WindowUiThread final : public UiThread {
 public:
  WindowUiThread() : owner_(std::this_thread::get_id()) {}

  bool IsCurrent() const override { return std::this_thread::get_id() == owner_; }
  void Post(std::function<void()> task) override;

 private:
  std::thread::id owner_;
};

}  // namespace app::gui
