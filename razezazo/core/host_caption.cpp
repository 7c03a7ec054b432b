// The caption of a host window: the icon, the title and the caption buttons are
// controls of their own, made when the host attaches.
#include "assets/assets.h"
#include "razezazo/controls/caption_button.h"
#include "razezazo/controls/caption_button_strip.h"
#include "razezazo/controls/label_control.h"
#include "razezazo/controls/picture_control.h"
#include "razezazo/core/host.h"
#include "razezazo/drawing/color.h"
#include "runtime/gbk.h"

namespace razezazo {
namespace {

// Buttons in the order they are laid out from the right edge leftwards.
constexpr std::uint32_t kButtonKinds[] = {kCaptionClose,  kCaptionMaximize, kCaptionMinimize, kCaptionFree32,
                                          kCaptionFree64, kCaptionFree128,  kCaptionFree256};

// A title longer than its place (a download's progress before the program's
// name) ends with "…" after its last whole character.
constexpr int kEllipsisAfterCharacter = static_cast<int>(gfx::Trimming::EllipsisCharacter);

}  // namespace

void RazezaZOHost::CreateCaption() {
  winsys::WindowSystem& system = winsys::Current();
  if (caption_flags_ & kCaptionIcon) {
    icon_ = std::make_unique<PictureControl>();
    icon_->Create(window_, {11, 11, 16, 16}, assets::ProgramIcon(16), {.interactive = false});
  }
  if (caption_flags_ & kCaptionTitle) {
    title_ = std::make_unique<LabelControl>();
    title_->Create(window_, {0, 9, 0, 18}, runtime::Utf8ToGbk(system.WindowText(window_)),
                   {.text_colour = ToArgb(0xFFFFFF, 250), .trimming = kEllipsisAfterCharacter});
    title_->SetWidth(title_->text_width() + 2);
  }
  float x = static_cast<float>(width_ - 12);
  for (std::uint32_t kind : kButtonKinds) {
    if (!(caption_flags_ & kind)) continue;
    int button_width = CaptionButtonWidth(static_cast<int>(kind));
    x -= static_cast<float>(button_width);
    auto button = std::make_unique<CaptionButton>();
    button->Create(window_, static_cast<int>(kind), {x, 7, static_cast<float>(button_width), 19});
    caption_buttons_.push_back(std::move(button));
  }
}

void RazezaZOHost::ReleaseCaption() {
  caption_buttons_.clear();
  icon_.reset();
  title_.reset();
}

void RazezaZOHost::LayOutCaption() {
  if (!caption_flags_) return;
  float x = static_cast<float>(width_ - 5 - ((caption_flags_ & kCaptionClose) ? 12 : 0));
  for (auto& button : caption_buttons_) {
    x -= 28;
    button->SetBounds({.x = x, .y = 7});
  }
  if ((caption_flags_ & kCaptionTitle) && title_) {
    float title_x = (caption_flags_ & kCaptionIcon) ? 28 : 11;
    title_->SetBounds({.x = title_x, .y = 10, .width = x - title_x, .height = 20});
  }
}

void RazezaZOHost::ShowWindowTitle(const char* utf8) {
  if ((caption_flags_ & kCaptionTitle) && title_ && utf8) title_->SetText(runtime::Utf8ToGbk(utf8));
}

// The maximise button shows maximise or restore by the window's state, which
// changes without any mouse move over it.
void RazezaZOHost::RefreshMaximizeFace() {
  for (auto& button : caption_buttons_) button->Deliver(event::kPlacementChanged, 0, 0);
}

bool RazezaZOHost::IsTitle(const ControlBase* control) const { return control && control == title_.get(); }

}  // namespace razezazo
