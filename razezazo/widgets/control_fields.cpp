// The control's numbered fields, for applications that address them by index.
#include "razezazo/widgets/control_fields.h"

#include "razezazo/widgets/control_base.h"

namespace razezazo {
namespace {

std::int64_t HandleOf(const ControlBase* c) { return c ? c->self() : 0; }

}  // namespace

std::int64_t ControlBase::GetField(control_field::Index index) const {
  switch (index) {
    case control_field::kHostWindow: return host_window_;
    case control_field::kSelf: return self();
    case control_field::kParent: return HandleOf(parent());
    case control_field::kVisible: return visible_;
    case control_field::kDisabled: return disabled_;
    case control_field::kInteractive: return interactive_;
    case control_field::kRedrawEnabled: return redraw_enabled_;
    case control_field::kCursor: return cursor_ ? static_cast<std::int64_t>(*cursor_) : 0;
    case control_field::kKind: return kind_;
    case control_field::kFirstChild: return HandleOf(first_child());
    case control_field::kLastChild: return HandleOf(last_child());
    case control_field::kPreviousSibling: return HandleOf(previous_sibling());
    case control_field::kNextSibling: return HandleOf(next_sibling());
    case control_field::kTransitionStep: return transition_.step;
    case control_field::kHost: return host_handle_;
    case control_field::kOpacity: return opacity_;
    case control_field::kTransitionInterval: return transition_.interval_ms;
    case control_field::kTransitionSteps: return transition_.steps;
    case control_field::kTransitionKind: return static_cast<std::int64_t>(transition_.kind);
    default: return 0;  // pictures, texts, rectangles and lists have no number to give
  }
}

void ControlBase::SetField(control_field::Index index, std::int64_t value) {
  switch (index) {
    case control_field::kVisible: visible_ = value != 0; break;
    case control_field::kDisabled: disabled_ = value != 0; break;
    case control_field::kInteractive: interactive_ = value != 0; break;
    case control_field::kRedrawEnabled: redraw_enabled_ = value != 0; break;
    case control_field::kCursor:
      cursor_ = value ? std::optional(static_cast<winsys::Cursor>(value)) : std::nullopt;
      break;
    case control_field::kKind: kind_ = static_cast<ControlKind>(value); break;
    case control_field::kTransitionStep: transition_.step = static_cast<int>(value); break;
    case control_field::kOpacity: opacity_ = static_cast<int>(value); break;
    case control_field::kTransitionInterval: transition_.interval_ms = static_cast<int>(value); break;
    case control_field::kTransitionSteps: transition_.steps = static_cast<int>(value); break;
    case control_field::kTransitionKind: transition_.kind = static_cast<TransitionKind>(value); break;
    default: break;  // links and the handle follow from the tree itself
  }
}

std::int64_t GetControlField(Handle control, control_field::Index index) {
  ControlBase* c = Lookup<ControlBase>(control);
  return c ? c->GetField(index) : 0;
}

void SetControlField(Handle control, control_field::Index index, std::int64_t value) {
  if (ControlBase* c = Lookup<ControlBase>(control)) c->SetField(index, value);
}

}  // namespace razezazo
