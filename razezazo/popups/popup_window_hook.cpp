#include "razezazo/popups/popup_window_hook.h"

#include "razezazo/core/framework.h"

namespace razezazo {
namespace {

constexpr winsys::LResult kGoOn = -1;

void OnDeactivate(winsys::WindowSystem& system, winsys::WindowId window, std::intptr_t kind,
                  winsys::WindowId activated) {
  if (kind == kPopupMenu) {
    // Moving within the menu chain keeps it open; another chain's menu takes
    // over, as any other window does.
    auto chain = static_cast<winsys::WindowId>(system.GetProp(window, property::kHost));
    if (activated && chain && static_cast<winsys::WindowId>(system.GetProp(activated, property::kHost)) == chain)
      return;
    if (chain) system.Post(chain, winsys::WM_CLOSE, 0, 0);
  } else if (kind == kPopupSelfClosing) {
    system.Post(window, winsys::WM_CLOSE, 0, 0);
  }
}

void OnDestroy(winsys::WindowSystem& system, winsys::WindowId window, std::intptr_t kind) {
  if (kind == kPopupMenu) {
    for (const char* name : {property::kHost, property::kSub, property::kAct, property::kEvent})
      system.RemoveProp(window, name);
  } else if (kind == kPopupMessageBox) {
    system.RemoveProp(window, property::kMessageBox);
  }
  system.RemoveProp(window, property::kFlags);
}

}  // namespace

winsys::LResult PopupWindowHook(winsys::WindowId window, unsigned message, winsys::WParam wparam,
                                winsys::LParam lparam) {
  winsys::WindowSystem& system = winsys::Current();
  std::intptr_t kind = system.GetProp(window, property::kFlags);
  switch (message) {
    case winsys::WM_ACTIVATE:
      if (winsys::LowWord(wparam) == winsys::WA_INACTIVE)
        OnDeactivate(system, window, kind, static_cast<winsys::WindowId>(lparam));
      break;
    case winsys::WM_DESTROY: OnDestroy(system, window, kind); break;
    case winsys::WM_CHAR:
      // A typed letter chooses the item it marks, as with Alt (which arrives as
      // WM_SYSCHAR itself). Key codes never do: F1's 0x70 is no 'p'.
      if (kind == kPopupMenu) system.Send(window, winsys::WM_SYSCHAR, wparam, lparam);
      break;
    case winsys::WM_KEYDOWN:
      if (wparam != winsys::VK_ESCAPE) break;
      // Escape in any menu of a chain closes the whole chain.
      if (auto chain = static_cast<winsys::WindowId>(system.GetProp(window, property::kHost));
          kind == kPopupMenu && chain)
        system.Post(chain, winsys::WM_CLOSE, 0, 0);
      else
        system.Post(window, winsys::WM_CLOSE, 0, 0);
      break;
  }
  return kGoOn;
}

}  // namespace razezazo
