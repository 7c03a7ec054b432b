#pragma once
// TextFormat: the framework's wrapper of a string format. Controls configure
// one, keep only its handle and let the wrapper go; the handle stays valid for
// as long as someone holds it.
#include <memory>

#include "platform/gfx/string_format.h"

namespace razezazo {

// Format flags, alignments and prefixes use GDI+'s numbers.
namespace text_flags {
constexpr int kNoFontFallback = gfx::format_flags::kNoFontFallback;
constexpr int kMeasureTrailingSpaces = gfx::format_flags::kMeasureTrailingSpaces;
constexpr int kNoWrap = gfx::format_flags::kNoWrap;
constexpr int kLineLimit = gfx::format_flags::kLineLimit;
constexpr int kNoClip = gfx::format_flags::kNoClip;
constexpr int kMultiLineLabel = kNoFontFallback | kMeasureTrailingSpaces | kLineLimit | kNoClip;  // 0x6C00
}  // namespace text_flags

// Where a text stands across its box: near (left), centre or far (right).
namespace alignment {
enum Kind : int { kNear = 0, kCentre = 1, kFar = 2 };
}  // namespace alignment

using FormatHandle = std::shared_ptr<gfx::StringFormat>;

class TextFormat {
 public:
  TextFormat() = default;
  TextFormat(const TextFormat&) = default;  // copies handle and owns flag
  TextFormat& operator=(const TextFormat&) = default;
  ~TextFormat();

  // Makes a new format; a wrapper that owns its handle drops the old one first.
  bool Create(int flags = 0, int language = 0, bool owns_handle = true);
  void Release();

  alignment::Kind Alignment() const;
  void SetAlignment(alignment::Kind alignment);
  int Trimming() const;
  void SetTrimming(int trimming);
  int HotkeyPrefix() const;
  void SetHotkeyPrefix(int prefix);
  int Flags() const;
  void SetFlags(int flags);

  const FormatHandle& Handle() const { return handle_; }

 private:
  FormatHandle handle_;
  bool owns_handle_ = true;
};

}  // namespace razezazo
