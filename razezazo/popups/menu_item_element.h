#pragma once
// MenuItemElement: the control that shows one MenuItem in a menu window and
// acts for it. Hovering lights it and starts its 500 ms timer, which opens its
// sub-menu or closes another item's; a click chooses a command or opens a
// sub-menu at once. Its item is a copy, taken when the menu was shown.
#include <cstdint>

#include "razezazo/drawing/image.h"
#include "razezazo/drawing/text_format.h"
#include "razezazo/popups/menu_item.h"
#include "razezazo/widgets/control_base.h"

namespace razezazo {

inline constexpr std::uint32_t kMenuHoverDelayMs = 500;
inline constexpr std::uint32_t kMenuHoverRestartMs = 300;

class MenuItemElement : public ControlBase {
 public:
  MenuItemElement() = default;
  ~MenuItemElement() override { Destroy(); }

  // A top-level control of the menu window's host. A disabled item's element
  // is disabled: drawn at half opacity and out of the mouse's reach.
  bool Create(winsys::WindowId menu_window, const FloatRect& bounds, MenuItem item);

  const MenuItem& item() const { return item_; }
  // The keyboard's hold on the menu: the lit element, lighting one (the
  // others go dark), and choosing it as a click would.
  bool lit() const { return hot_; }
  void Light() { SetHot(true); }
  void Activate() { Click(); }

 protected:
  std::intptr_t OnEvent(int code, std::intptr_t argument1, std::intptr_t argument2) override;

 private:
  // Lit: under the mouse, or the owner of the open sub-menu.
  bool ShowsHot() const;
  // Makes this the menu's one lit element again, or takes the light away.
  void SetHot(bool hot);
  void Paint();
  void PaintItem(gfx::Graphics& g, const FloatRect& area);
  void Enter();
  void HoverTimerFired();
  void Click();
  void Choose();
  void OpenSubMenu();
  // Every other element of the menu that is lit by the mouse goes dark.
  void OthersLeave();

  MenuItem item_;
  ImageHandle icon_;
  FormatHandle format_;
  bool hot_ = false;
};

}  // namespace razezazo
