#include "razezazo/popups/framework_startup.h"

#include "razezazo/core/framework.h"
#include "razezazo/drawing/font.h"
#include "razezazo/popups/edit_context_menu.h"

namespace razezazo {

void FrameworkStartup() {
  static bool started = false;
  if (started) return;
  started = true;
  DefaultFont();
  RegisterWindowClass(kFrameworkClass, {});
  RegisterEditContextMenu();
}

}  // namespace razezazo
