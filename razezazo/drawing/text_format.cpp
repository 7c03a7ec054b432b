#include "razezazo/drawing/text_format.h"

#include <algorithm>

namespace razezazo {

TextFormat::~TextFormat() {
  if (owns_handle_) Release();
}

bool TextFormat::Create(int flags, int /*language*/, bool owns_handle) {
  owns_handle_ = owns_handle;
  if (owns_handle_) Release();
  handle_ = std::make_shared<gfx::StringFormat>();
  handle_->flags = flags;
  return true;
}

void TextFormat::Release() { handle_.reset(); }

alignment::Kind TextFormat::Alignment() const {
  return handle_ ? static_cast<alignment::Kind>(handle_->alignment) : alignment::kNear;
}
void TextFormat::SetAlignment(alignment::Kind alignment) {
  if (handle_) handle_->alignment = static_cast<gfx::StringAlignment>(std::clamp<int>(alignment, 0, 2));
}

int TextFormat::Trimming() const { return handle_ ? static_cast<int>(handle_->trimming) : 0; }
void TextFormat::SetTrimming(int trimming) {
  if (handle_) handle_->trimming = static_cast<gfx::Trimming>(std::clamp(trimming, 0, 5));
}

int TextFormat::HotkeyPrefix() const { return handle_ ? static_cast<int>(handle_->hotkey_prefix) : 0; }
void TextFormat::SetHotkeyPrefix(int prefix) {
  if (handle_) handle_->hotkey_prefix = static_cast<gfx::HotkeyPrefix>(std::clamp(prefix, 0, 2));
}

int TextFormat::Flags() const { return handle_ ? handle_->flags : 0; }
void TextFormat::SetFlags(int flags) {
  if (handle_) handle_->flags = flags;
}

}  // namespace razezazo
