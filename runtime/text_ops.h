#pragma once
// Text operations with the double-byte rules: a search or replacement looks for
// matches only at character starts, never inside a two-byte character, and a lead
// byte at the very end of a text (without its second byte) ends the scan.
#include <optional>
#include <string_view>

#include "runtime/text.h"

namespace runtime {

inline bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Bytes making up the character that starts at `pos`: 1, or 2 for a double-byte
// character, or 0 when a lone lead byte ends the text.
size_t CharLength(std::string_view text, size_t pos);

inline size_t TextLength(std::string_view text) { return text.size(); }

template <typename... Parts>
Text Concat(std::string_view first, std::string_view second, const Parts&... rest) {
  Text out;
  out.reserve(first.size() + second.size() + (std::string_view(rest).size() + ... + 0));
  out.append(first).append(second);
  (out.append(std::string_view(rest)), ...);
  return out;
}

// The last `count` bytes; empty when count <= 0, the whole text when count >= length.
std::string_view RightView(std::string_view text, long long count);
inline Text RightPart(std::string_view text, long long count) { return Text(RightView(text, count)); }

struct FindOptions {
  std::optional<long long> start;  // only occurrences ending within the first start-1 bytes
  bool ignore_case = false;
};

// 1-based position of the last occurrence of `sought`, or -1.
long long FindLast(std::string_view text, std::string_view sought, const FindOptions& options = {});

struct ReplaceOptions {
  long long start = 1;             // bytes before it are copied unchanged
  std::optional<long long> count;  // replacements at most; all when absent
  bool case_sensitive = false;     // letters compared without regard to ASCII case
};

Text Replace(std::string_view text, std::string_view old_text, std::string_view new_text = {},
             const ReplaceOptions& options = {});

}  // namespace runtime
