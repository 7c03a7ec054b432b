#pragma once
// The application's message boxes as the framework's modal box over a parent
// window. The update question uses it before any control exists.
#include "app/main_view.h"
#include "platform/window/window_system.h"

namespace app::gui {

class FrameworkMessageBoxes : public MessageBoxes {
 public:
  explicit FrameworkMessageBoxes(winsys::WindowId parent) : parent_(parent) {}

  int ShowMessageBox(const MessageBoxRequest& request) override;

 private:
  winsys::WindowId parent_;
};

}  // namespace app::gui
