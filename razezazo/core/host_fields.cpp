// The host's numbered fields, for applications that address them by index.
#include "razezazo/core/host.h"

namespace razezazo {
namespace {

std::int64_t HandleOf(const ControlBase* c) { return c ? c->self() : 0; }

}  // namespace

std::int64_t RazezaZOHost::GetField(int index) const {
  switch (index) {
    case 1: return window_;
    case 2: return window_ ? handle() : 0;
    case 5: return HandleOf(focused_);
    case 6: return HandleOf(hot_);
    case 7: return HandleOf(pressed_);
    case 8: return pressing_;
    case 9: return busy_;
    case 16: return background_source_;
    case 21: return background_colour_;
    case 22: return HandleOf(first_control());
    case 23: return HandleOf(last_control());
    case 24: return caption_flags_;
    case 26: return frame_style_;
    case 27: return layer_alpha_;
    case 28: return image_placement_;
    case 29: return shadow_colour_;
    case 30: return resizable_;
    case 31: return drag_anywhere_;
    case 32: return image_edges_;
    case 33: return close_animation_;
    case 36: return HandleOf(keyboard_focus_);
    case 37: return blur_behind_;
    case 38: return initial_paint_;
    case 39: return static_cast<std::int64_t>(default_cursor_);
    case 45: return leave_tracking_;
    default: return 0;  // buffers, pictures, lists and records have no number to give
  }
}

void RazezaZOHost::SetField(int index, std::int64_t value) {
  switch (index) {
    case 21: background_colour_ = static_cast<std::uint32_t>(value); break;
    case 24: caption_flags_ = static_cast<std::uint32_t>(value); break;
    case 26: frame_style_ = static_cast<int>(value); break;
    case 28: image_placement_ = static_cast<int>(value); break;
    case 29: shadow_colour_ = value; break;
    case 30: resizable_ = value != 0; break;
    case 31: drag_anywhere_ = value != 0; break;
    case 32: image_edges_ = value != 0; break;
    case 33: close_animation_ = static_cast<int>(value); break;
    case 37: blur_behind_ = value != 0; break;
    case 38: initial_paint_ = value != 0; break;
    case 39: default_cursor_ = static_cast<winsys::Cursor>(value); break;
    default: break;  // the others follow from the host's own state
  }
}

std::int64_t GetHostField(Handle host, int index) {
  RazezaZOHost* h = Lookup<RazezaZOHost>(host);
  return h ? h->GetField(index) : 0;
}

void SetHostField(Handle host, int index, std::int64_t value) {
  if (RazezaZOHost* h = Lookup<RazezaZOHost>(host)) h->SetField(index, value);
}

}  // namespace razezazo
