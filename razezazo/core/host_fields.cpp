// The host's numbered fields, for applications that address them by index.
#include "razezazo/core/host_fields.h"

#include "razezazo/core/host.h"

namespace razezazo {
namespace {

std::int64_t HandleOf(const ControlBase* c) { return c ? c->self() : 0; }

}  // namespace

std::int64_t RazezaZOHost::GetField(host_field::Index index) const {
  switch (index) {
    case host_field::kWindow: return window_;
    case host_field::kSelf: return window_ ? handle() : 0;
    case host_field::kFocused: return HandleOf(focused_);
    case host_field::kHot: return HandleOf(hot_);
    case host_field::kPressed: return HandleOf(pressed_);
    case host_field::kPressing: return pressing_;
    case host_field::kBusy: return busy_;
    case host_field::kBackgroundSource: return background_source_;
    case host_field::kBackgroundColour: return background_colour_;
    case host_field::kFirstControl: return HandleOf(first_control());
    case host_field::kLastControl: return HandleOf(last_control());
    case host_field::kCaptionFlags: return caption_flags_;
    case host_field::kFrameStyle: return frame_style_;
    case host_field::kLayerAlpha: return layer_alpha_;
    case host_field::kImagePlacement: return image_placement_;
    case host_field::kShadowColour: return shadow_colour_;
    case host_field::kResizable: return resizable_;
    case host_field::kDragAnywhere: return drag_anywhere_;
    case host_field::kImageEdges: return image_edges_;
    case host_field::kCloseAnimation: return close_animation_;
    case host_field::kKeyboardFocus: return HandleOf(keyboard_focus_);
    case host_field::kBlurBehind: return blur_behind_;
    case host_field::kInitialPaint: return initial_paint_;
    case host_field::kDefaultCursor: return static_cast<std::int64_t>(default_cursor_);
    case host_field::kLeaveTracking: return leave_tracking_;
    default: return 0;  // buffers, pictures, lists and records have no number to give
  }
}

void RazezaZOHost::SetField(host_field::Index index, std::int64_t value) {
  switch (index) {
    case host_field::kBackgroundColour: background_colour_ = static_cast<std::uint32_t>(value); break;
    case host_field::kCaptionFlags: caption_flags_ = static_cast<std::uint32_t>(value); break;
    case host_field::kFrameStyle: frame_style_ = static_cast<frame_style::Kind>(value); break;
    case host_field::kImagePlacement: image_placement_ = static_cast<int>(value); break;
    case host_field::kShadowColour: shadow_colour_ = value; break;
    case host_field::kResizable: resizable_ = value != 0; break;
    case host_field::kDragAnywhere: drag_anywhere_ = value != 0; break;
    case host_field::kImageEdges: image_edges_ = value != 0; break;
    case host_field::kCloseAnimation: close_animation_ = static_cast<close_animation::Kind>(value); break;
    case host_field::kBlurBehind: blur_behind_ = value != 0; break;
    case host_field::kInitialPaint: initial_paint_ = value != 0; break;
    case host_field::kDefaultCursor: default_cursor_ = static_cast<winsys::Cursor>(value); break;
    default: break;  // the others follow from the host's own state
  }
}

std::int64_t GetHostField(Handle host, host_field::Index index) {
  RazezaZOHost* h = Lookup<RazezaZOHost>(host);
  return h ? h->GetField(index) : 0;
}

void SetHostField(Handle host, host_field::Index index, std::int64_t value) {
  if (RazezaZOHost* h = Lookup<RazezaZOHost>(host)) h->SetField(index, value);
}

}  // namespace razezazo
