#include "razezazo/controls/edit_context_menu_slot.h"

#include <utility>

namespace razezazo {
namespace {

EditContextMenuShow& Registered() {
  static EditContextMenuShow show;
  return show;
}

}  // namespace

void SetEditContextMenu(EditContextMenuShow show) { Registered() = std::move(show); }

void ShowEditContextMenu(const EditMenuOffer& offer, winsys::WindowId owner, int x, int y) {
  if (Registered()) Registered()(offer, owner, x, y);
}

}  // namespace razezazo
