// The control's numbered fields, for applications that address them by index.
#include "razezazo/widgets/control_base.h"

namespace razezazo {
namespace {

std::int64_t HandleOf(const ControlBase* c) { return c ? c->self() : 0; }

}  // namespace

std::int64_t ControlBase::GetField(int index) const {
  switch (index) {
    case 1: return host_window_;
    case 2: return self();
    case 3: return HandleOf(parent());
    case 4: return visible_;
    case 5: return disabled_;
    case 6: return interactive_;
    case 7: return redraw_enabled_;
    case 8: return cursor_ ? static_cast<std::int64_t>(*cursor_) : 0;
    case 13: return kind_;
    case 14: return HandleOf(first_child());
    case 15: return HandleOf(last_child());
    case 16: return HandleOf(previous_sibling());
    case 17: return HandleOf(next_sibling());
    case 18: return transition_.step;
    case 21: return host_handle_;
    case 22: return opacity_;
    case 24: return transition_.interval_ms;
    case 27: return transition_.steps;
    case 28: return static_cast<std::int64_t>(transition_.kind);
    default: return 0;  // pictures, texts, rectangles and lists have no number to give
  }
}

void ControlBase::SetField(int index, std::int64_t value) {
  switch (index) {
    case 4: visible_ = value != 0; break;
    case 5: disabled_ = value != 0; break;
    case 6: interactive_ = value != 0; break;
    case 7: redraw_enabled_ = value != 0; break;
    case 8: cursor_ = value ? std::optional(static_cast<winsys::Cursor>(value)) : std::nullopt; break;
    case 13: kind_ = static_cast<int>(value); break;
    case 18: transition_.step = static_cast<int>(value); break;
    case 22: opacity_ = static_cast<int>(value); break;
    case 24: transition_.interval_ms = static_cast<int>(value); break;
    case 27: transition_.steps = static_cast<int>(value); break;
    case 28: transition_.kind = static_cast<TransitionKind>(value); break;
    default: break;  // links and the handle follow from the tree itself
  }
}

std::int64_t GetControlField(Handle control, int index) {
  ControlBase* c = Lookup<ControlBase>(control);
  return c ? c->GetField(index) : 0;
}

void SetControlField(Handle control, int index, std::int64_t value) {
  if (ControlBase* c = Lookup<ControlBase>(control)) c->SetField(index, value);
}

}  // namespace razezazo
