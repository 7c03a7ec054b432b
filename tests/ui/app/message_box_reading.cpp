#include "tests/ui/app/message_box_reading.h"

#include "razezazo/controls/label_control.h"
#include "razezazo/core/framework.h"
#include "razezazo/core/host.h"
#include "razezazo/popups/message_box_buttons.h"
#include "razezazo/popups/popup_window_hook.h"
#include "runtime/gbk.h"

namespace brivo_window_test {
namespace {

// The box's text label: the label that is not the caption's title.
std::string BoxText(razezazo::RazezaZOHost& host) {
  for (razezazo::ControlBase* c = host.first_control(); c; c = c->next_sibling())
    if (c->kind() == razezazo::kKindLabel && c != static_cast<razezazo::ControlBase*>(host.title()))
      return runtime::GbkToUtf8(static_cast<razezazo::LabelControl*>(c)->text());
  return {};
}

}  // namespace

std::optional<BoxContent> ReadMessageBox(winsys::HeadlessSystem& system, winsys::WindowId window) {
  if (system.GetProp(window, razezazo::property::kFlags) != razezazo::kPopupMessageBox) return std::nullopt;
  razezazo::RazezaZOHost* host = razezazo::HostOfWindow(window);
  if (!host) return std::nullopt;
  return BoxContent{system.WindowText(window), BoxText(*host)};
}

bool ClickBoxButton(winsys::HeadlessSystem& system, winsys::WindowId box, std::optional<int> code) {
  razezazo::RazezaZOHost* host = razezazo::HostOfWindow(box);
  for (razezazo::ControlBase* c = host ? host->first_control() : nullptr; c; c = c->next_sibling()) {
    std::optional<razezazo::ButtonTag> tag = razezazo::ParseButtonTag(c->tag());
    if (!tag || (code ? tag->code != *code : tag->position != 1)) continue;
    system.Click(box, static_cast<int>(c->x() + c->width() / 2), static_cast<int>(c->y() + c->height() / 2));
    return true;
  }
  return false;
}

}  // namespace brivo_window_test
