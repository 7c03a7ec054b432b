#include "razezazo/popups/menu_item_element.h"

#include <cctype>

#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/drawing/font.h"
#include "razezazo/drawing/shapes.h"
#include "razezazo/drawing/text.h"
#include "razezazo/popups/menu_chain.h"
#include "razezazo/popups/popup_menu.h"
#include "razezazo/widgets/paint_cycle.h"

namespace razezazo {
namespace {

winsys::WindowSystem& System() { return winsys::Current(); }

constexpr Color kSeparatorColour = 0xFEB7C3CC;  // ToArgb(0xCCC3B7)
constexpr Color kLitTextColour = 0xF0FFFFFF;
// A fitted menu is 50 px wider than its widest text (65 with sub-menus), so the
// text's room ends close to the element's right edge, or before the arrow.
constexpr float kTextLeft = 30;
constexpr float kTextRight = 2;
constexpr float kSubMenuTextRight = 14;
constexpr float kIconStripWidth = 24;
constexpr int kLitCorner = 4;

// The character after the first single "&", upper-cased; 0 without one.
unsigned AccessKey(const std::u16string& text) {
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&') continue;
    if (text[i + 1] != u'&') {
      const unsigned key = text[i + 1];
      return key < 128 ? static_cast<unsigned>(std::toupper(static_cast<int>(key))) : key;
    }
    ++i;  // "&&" is a literal ampersand
  }
  return 0;
}

Color OutlineOf(Color hover) {
  const auto alpha = static_cast<std::uint32_t>(static_cast<float>(hover >> 24) * 0.82f);
  return (hover & 0x00FFFFFF) | alpha << 24;
}

// A small right-pointing triangle of vertical strokes.
void DrawArrow(gfx::Graphics& g, const FloatRect& area, Color colour) {
  const float x = area.Right() - 12, middle = area.y + area.height / 2;
  for (int i = 0; i < 4; ++i) {
    const float f = static_cast<float>(i);
    Line(g, colour, x + f, middle - 4 + f, x + f, middle + 4 - f);
  }
}

}  // namespace

bool MenuItemElement::Create(winsys::WindowId menu_window, const FloatRect& bounds, MenuItem item) {
  item_ = std::move(item);
  hot_ = false;
  icon_ = item_.icon.empty() ? nullptr : LoadImage(item_.icon);
  TextFormat format;
  format.Create(text_flags::kNoWrap, 0, false);
  format.SetHotkeyPrefix(1);
  format_ = format.Handle();
  ControlOptions options;
  options.interactive = item_.kind != kMenuSeparator;
  if (!ControlBase::Create(menu_window, bounds, kKindMenuItem, options)) return false;
  if (item_.disabled()) SetDisabled(true);
  if (RazezaZOHost* h = HostOfWindow(host_window()); h && item_.kind != kMenuSeparator)
    if (unsigned key = AccessKey(item_.text)) h->SetAccelerator(this, key);
  return true;
}

bool MenuItemElement::ShowsHot() const {
  if (item_.kind == kMenuSeparator || !self()) return false;
  return hot_ || ActiveElement(host_window()) == self();
}

void MenuItemElement::SetHot(bool hot) {
  if (hot) OthersLeave();
  if (hot_ == hot) return;
  hot_ = hot;
  Paint();
}

void MenuItemElement::OthersLeave() {
  RazezaZOHost* h = HostOfWindow(host_window());
  for (ControlBase* c = h ? h->first_control() : nullptr; c; c = c->next_sibling()) {
    auto* other = dynamic_cast<MenuItemElement*>(c);
    if (other && other != this && other->hot_) other->Deliver(event::kMouseLeave, 0, 0);
  }
}

std::intptr_t MenuItemElement::OnEvent(int code, std::intptr_t argument1, std::intptr_t) {
  switch (code) {
    case event::kRepaint: Paint(); return 0;
    case event::kMouseEnter: Enter(); return 0;
    case event::kMouseLeave:
      if (hot_) {
        hot_ = false;
        Paint();
      }
      return 0;
    case event::kTimer:
      if (static_cast<Handle>(argument1) != self()) return kNotHandled;
      System().KillTimer(host_window(), self());
      HoverTimerFired();
      return 0;
    case event::kClick: Click(); return 0;
    case event::kDestroyed:
      System().KillTimer(host_window(), self());
      icon_.reset();
      format_.reset();
      return 0;
    default: return kNotHandled;
  }
}

// --- drawing -----------------------------------------------------------------------

void MenuItemElement::Paint() {
  PaintContext context = BeginPaint(*this);
  if (gfx::Graphics* g = context.graphics) {
    if (item_.kind == kMenuSeparator)
      Line(*g, kSeparatorColour, 0, 1, context.rect.width, 1);
    else
      PaintItem(*g, context.rect);
  }
  EndPaint(*this, context);
}

void MenuItemElement::PaintItem(gfx::Graphics& g, const FloatRect& area) {
  Color text_colour = item_.text_colour;
  if (ShowsHot()) {
    FillRoundRect(g, area, kLitCorner, item_.hover_colour);
    OutlineRoundRect(g, area, kLitCorner, OutlineOf(item_.hover_colour));
    text_colour = kLitTextColour;
  }
  if (icon_) DrawCentred(g, icon_->Current(), {area.x, area.y, kIconStripWidth, area.height});
  const FontHandle& font = DefaultFont();
  const float font_height = FontHeight(font);
  const float right = item_.kind == kMenuSubMenu ? kSubMenuTextRight : kTextRight;
  const FloatRect text{area.x + kTextLeft, area.y + (area.height - font_height) / 2, area.width - kTextLeft - right,
                       font_height};
  DrawText(g, text, item_.text, font, text_colour, format_);
  if (item_.kind == kMenuSubMenu) DrawArrow(g, area, text_colour);
}

// --- behaviour ---------------------------------------------------------------------

void MenuItemElement::Enter() {
  if (item_.kind == kMenuSeparator) return;
  OthersLeave();
  hot_ = true;
  Paint();
  System().SetTimer(host_window(), self(), kMenuHoverDelayMs);
}

// The hover delay is up: open this item's sub-menu, or close another item's
// once the pointer has settled elsewhere than on it or its sub-menu.
void MenuItemElement::HoverTimerFired() {
  const winsys::WindowId menu = host_window();
  RazezaZOHost* h = HostOfWindow(host_window());
  if (!OpenSubMenuWindow(menu)) {
    if (item_.kind == kMenuSubMenu && h && h->hot() == this) OpenSubMenu();
    return;
  }
  if (PointerOverSubMenu(menu)) {
    if (auto* active = Lookup<MenuItemElement>(ActiveElement(menu))) active->SetHot(true);
    return;
  }
  const ControlBase* under = h ? h->hot() : nullptr;
  if (under && under->self() == ActiveElement(menu)) return;
  const Handle timer = self();
  CloseSubMenu(menu);
  System().SetTimer(menu, timer, kMenuHoverRestartMs);
}

void MenuItemElement::Click() {
  if (disabled()) return;
  if (item_.kind == kMenuSubMenu)
    OpenSubMenu();
  else if (item_.kind == kMenuCommand)
    Choose();
}

// The whole chain closes first; then the command goes to the control that was
// under the mouse when the chain opened, or the handler runs.
void MenuItemElement::Choose() {
  winsys::WindowSystem& system = System();
  const winsys::WindowId menu = host_window();
  const bool send_command = item_.send_command;
  const int id = item_.id;
  const std::function<void()> handler = item_.handler;
  system.ShowWindow(menu, winsys::SW_HIDE);
  const winsys::WindowId root = ChainRoot(menu);
  const winsys::WindowId owner = system.Owner(root);
  const winsys::LParam event_control = system.GetProp(root, property::kEvent);
  if (owner) system.SetForeground(owner);
  system.Post(root, winsys::WM_CLOSE, 0, 0);
  if (send_command) {
    if (owner) system.Send(owner, winsys::WM_COMMAND, static_cast<winsys::WParam>(id), event_control);
  } else if (handler) {
    handler();
  }
}

void MenuItemElement::OpenSubMenu() {
  winsys::WindowSystem& system = System();
  const winsys::WindowId menu = host_window();
  const Handle element = self();
  if (OpenSubMenuWindow(menu)) {
    if (ActiveElement(menu) == element) return;
    CloseSubMenu(menu);
  }
  PopupMenu* sub_menu = Lookup<PopupMenu>(item_.sub_menu);
  if (!sub_menu) return;
  system.SetProp(menu, property::kAct, element);
  Paint();
  sub_menu->ShowAttached(menu);  // returns when the sub-menu is gone
  // Anything may have happened meanwhile, to this element too.
  if (!system.IsWindow(menu) || ActiveElement(menu) != element || OpenSubMenuWindow(menu)) return;
  system.SetProp(menu, property::kAct, 0);
  if (auto* again = Lookup<MenuItemElement>(element)) again->Paint();
}

}  // namespace razezazo
