#include "razezazo/popups/popup_menu.h"

#include "razezazo/popups/menu_window.h"
#include "runtime/gbk.h"

namespace razezazo {

void PopupMenu::ShowAttached(winsys::WindowId owner) { ShowMenu(owner, 0, 0, false); }

void PopupMenu::Show(winsys::WindowId owner, int x, int y) { ShowMenu(owner, x, y, true); }

// Only copies are used once the window exists: the opened handler and the
// items' handlers may change or delete this menu.
void PopupMenu::ShowMenu(winsys::WindowId owner, int x, int y, bool popup) {
  MenuWindow menu(items_, popup ? width_ : 0, painter_);
  const MenuOpenedHandler opened = opened_;
  if (!menu.Open(owner, x, y, popup)) return;
  if (opened) opened(menu.window(), popup);
  menu.ShowAndRun();
}

void PopupMenu::AddItem(const runtime::Text& text, MenuItem item) {
  item.text = runtime::GbkToUtf16(text);
  items_.push_back(std::move(item));
}

bool PopupMenu::RemoveItem(int index) {
  if (!ValidIndex(index)) return false;
  items_.erase(items_.begin() + (index - 1));
  return true;
}

MenuItemState PopupMenu::ItemState(int index, std::optional<MenuItemState> state) {
  MenuItem* item = At(index);
  if (!item) return kMenuItemEnabled;
  if (state) item->state = *state;
  return item->state;
}

runtime::Text PopupMenu::ItemText(int index, const std::optional<runtime::Text>& text) {
  return runtime::Utf16ToGbk(ItemWideText(index, text ? std::optional(runtime::GbkToUtf16(*text)) : std::nullopt));
}

std::u16string PopupMenu::ItemWideText(int index, const std::optional<std::u16string>& text) {
  MenuItem* item = At(index);
  if (!item) return {};
  if (text) item->text = *text;
  return item->text;
}

std::vector<std::uint8_t> PopupMenu::ItemIcon(int index, const std::optional<std::vector<std::uint8_t>>& icon) {
  MenuItem* item = At(index);
  if (!item) return {};
  if (icon) item->icon = *icon;
  return item->icon;
}

}  // namespace razezazo
