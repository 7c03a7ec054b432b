#include "razezazo/popups/menu_window.h"

#include "razezazo/core/framework.h"
#include "razezazo/popups/menu_chain.h"
#include "razezazo/popups/menu_layout.h"
#include "razezazo/popups/popup_window_hook.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

constexpr int kSlideMs = 100;
// A sub-menu slides out of its parent: rightwards, or leftwards when flipped.
constexpr show_animation::Kind kSlideRight = show_animation::kWipeFromLeft;
constexpr show_animation::Kind kSlideLeft = show_animation::kWipeFromRight;

// The owner's control under a screen point (its handle), 0 over its background.
Handle OwnerControlAt(winsys::WindowId owner, int x, int y) {
  RazezaZOHost* host = HostOfWindow(owner);
  if (!host) return 0;
  const gfx::RectI rect = System().WindowRect(owner);
  ControlBase* control = host->ControlAt(x - rect.x, y - rect.y);
  return control ? control->self() : 0;
}

}  // namespace

MenuWindow::MenuWindow(std::vector<MenuItem> items, int width, MenuBackgroundPainter painter)
    : items_(std::move(items)), given_width_(width), painter_(std::move(painter)) {}

// A loop that ended without the window going (the program is quitting) leaves
// no menu behind.
MenuWindow::~MenuWindow() {
  if (window_ && System().IsWindow(window_)) System().DestroyWindow(window_);
}

bool MenuWindow::Open(winsys::WindowId owner, int x, int y, bool popup) {
  popup_ = popup;
  owner_ = owner;
  if (x != 0 || y != 0) given_point_ = std::pair{x, y};
  const gfx::RectI rect = Place(owner, x, y, popup);
  window_ = CreateFrameworkWindow({.parent = owner,
                                   .title = kMenuWindowText,
                                   .x = rect.x,
                                   .y = rect.y,
                                   .width = rect.width,
                                   .height = rect.height,
                                   .style = winsys::WS_POPUP,
                                   .ex_style = winsys::WS_EX_TOPMOST | winsys::WS_EX_TOOLWINDOW});
  if (!window_) return false;
  SetChainProperties(owner, popup);
  if (!System().IsWindow(window_)) return false;  // the owner's focus handlers ran
  CreateHost();
  CreateElements();
  return true;
}

gfx::RectI MenuWindow::Place(winsys::WindowId owner, int x, int y, bool popup) {
  winsys::WindowSystem& system = System();
  const int width = MenuWidth(items_, given_width_);
  const int height = MenuHeight(items_);
  const gfx::RectI work = system.WorkArea();
  if (popup) {
    if (x == 0 && y == 0) {
      const gfx::PointF cursor = system.CursorPos();
      x = static_cast<int>(cursor.x);
      y = static_cast<int>(cursor.y);
    }
    return PopupMenuRect(x, y, width, height, work);
  }
  const ControlBase* item = Lookup<ControlBase>(ActiveElement(owner));
  const FloatRect item_bounds = item ? item->bounds() : FloatRect{kMenuMargin, kMenuMargin, 0, kMenuItemHeight};
  const SubMenuPlacement placement = PlaceSubMenu(system.WindowRect(owner), item_bounds, width, height, work);
  flipped_ = placement.flipped;
  return placement.rect;
}

void MenuWindow::SetChainProperties(winsys::WindowId owner, bool popup) {
  winsys::WindowSystem& system = System();
  system.SetProp(window_, property::kFlags, kPopupMenu);
  if (!popup) {
    system.SetProp(window_, property::kHost, ChainRoot(owner));
    system.SetProp(owner, property::kSub, window_);
    return;
  }
  system.SetProp(window_, property::kHost, window_);
  if (!owner) return;
  // A menu opened at a place (at a box's caret, from the keyboard) is for the
  // control there; one opened at the pointer for the control under it.
  const gfx::PointF cursor = system.CursorPos();
  const auto [x, y] = given_point_.value_or(std::pair{static_cast<int>(cursor.x), static_cast<int>(cursor.y)});
  const Handle control = OwnerControlAt(owner, x, y);
  system.SetProp(window_, property::kEvent, control);
  system.Send(owner, host_message::kSetFocus, 0, static_cast<winsys::LParam>(control));
}

void MenuWindow::CreateHost() {
  host_.hooks().message = [this](winsys::WindowId window, unsigned message, winsys::WParam wparam,
                                 winsys::LParam lparam) -> winsys::LResult {
    if (message == winsys::WM_KEYDOWN && NavigationKey(static_cast<unsigned>(wparam))) return 0;
    return PopupWindowHook(window, message, wparam, lparam);
  };
  host_.hooks().paint_background = [painter = painter_](winsys::WindowId, gfx::Graphics& g, int width, int height) {
    if (painter)
      painter(g, width, height);
    else
      DrawDefaultMenuBackground(g, width, height);
  };
  host_.Create(window_, {.caption_flags = 0,
                         .layer_alpha = 255,
                         .frame_style = frame_style::kSkinned,
                         .resizable = false,
                         .drag_anywhere = false,
                         .image_edges = false,
                         .blur_behind = false});
}

void MenuWindow::CreateElements() {
  const std::vector<FloatRect> bounds = MenuElementBounds(items_, System().WindowRect(window_).width);
  for (size_t i = 0; i < items_.size(); ++i) {
    if (bounds[i].IsEmpty()) continue;
    auto element = std::make_unique<MenuItemElement>();
    if (element->Create(window_, bounds[i], items_[i])) elements_.push_back(std::move(element));
  }
}

void MenuWindow::ShowAndRun() {
  if (!System().IsWindow(window_) || !host_.attached()) return;
  if (popup_)
    host_.Show(show_animation::kNone);
  else
    host_.Show(flipped_ ? kSlideLeft : kSlideRight, kSlideMs);
  RunLoop();
}

void MenuWindow::RunLoop() {
  winsys::WindowSystem& system = System();
  if (system.IsWindow(window_)) system.SetForeground(window_);
  winsys::Message message;
  while (system.IsWindow(window_)) {
    if (!system.GetMessage(message)) {
      system.DestroyWindow(window_);
      system.PostQuitMessage(static_cast<int>(message.wparam));  // the outer loop must end too
      return;
    }
    system.TranslateMessage(message);
    system.DispatchMessage(message);
  }
}

bool MenuWindow::NavigationKey(unsigned key) {
  MenuItemElement* lit = nullptr;
  for (const auto& e : elements_)
    if (e->lit()) lit = e.get();
  switch (key) {
    case winsys::VK_UP: LightNext(-1); return true;
    case winsys::VK_DOWN: LightNext(1); return true;
    case winsys::VK_RETURN:
      if (lit) lit->Activate();  // may close the whole chain: the last thing done here
      return true;
    case winsys::VK_RIGHT:
      if (lit && lit->item().kind == kMenuSubMenu) lit->Activate();
      return true;
    case winsys::VK_LEFT:
    case winsys::VK_ESCAPE:
      if (popup_) return key == winsys::VK_LEFT;  // Escape in the first menu closes the chain
      CloseSubMenu(owner_);
      return true;
    default: return false;
  }
}

// From the lit item (or from before the first or after the last) to the next
// that can be chosen, round the end.
void MenuWindow::LightNext(int direction) {
  const int count = static_cast<int>(elements_.size());
  int at = direction > 0 ? -1 : count;
  for (int i = 0; i < count; ++i)
    if (elements_[static_cast<std::size_t>(i)]->lit()) at = i;
  for (int step = 1; step <= count; ++step) {
    const int i = ((at + direction * step) % count + count) % count;
    MenuItemElement& e = *elements_[static_cast<std::size_t>(i)];
    if (e.item().kind != kMenuSeparator && !e.disabled()) return e.Light();
  }
}

}  // namespace razezazo
