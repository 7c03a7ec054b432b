// Word bounds by a small part of Unicode's word rules (UAX #29): letters and
// digits make words, joined across an apostrophe or a point between them;
// each ideograph or kana is a word of its own; the rest separates words.
#include <windows.h>

#include "platform/gfx/word_bounds.h"

namespace gfx {

namespace {

enum class Kind { kOther, kLetter, kIdeograph, kJoiner, kTrail };

std::vector<Kind> Kinds(std::u16string_view text) {
  std::vector<WORD> type1(text.size()), type3(text.size());
  const auto* wide = reinterpret_cast<const WCHAR*>(text.data());
  GetStringTypeW(CT_CTYPE1, wide, static_cast<int>(text.size()), type1.data());
  GetStringTypeW(CT_CTYPE3, wide, static_cast<int>(text.size()), type3.data());
  std::vector<Kind> kinds(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if ((c & 0xFC00) == 0xDC00) kinds[i] = Kind::kTrail;  // the second half of a pair belongs to the first
    else if (type3[i] & (C3_IDEOGRAPH | C3_KATAKANA | C3_HIRAGANA)) kinds[i] = Kind::kIdeograph;
    else if ((type1[i] & (C1_ALPHA | C1_DIGIT)) || (c & 0xFC00) == 0xD800) kinds[i] = Kind::kLetter;
    else if (c == u'\'' || c == u'.' || c == u'\u2019') kinds[i] = Kind::kJoiner;
    else kinds[i] = Kind::kOther;
  }
  // A joiner stays inside a word only with letters on both sides.
  for (size_t i = 0; i < kinds.size(); ++i)
    if (kinds[i] == Kind::kJoiner &&
        !(i > 0 && kinds[i - 1] == Kind::kLetter && i + 1 < kinds.size() && kinds[i + 1] == Kind::kLetter))
      kinds[i] = Kind::kOther;
  return kinds;
}

}  // namespace

WordBounds FindWordBounds(std::u16string_view text) {
  WordBounds bounds{std::vector<bool>(text.size() + 1), std::vector<bool>(text.size() + 1)};
  const std::vector<Kind> kinds = Kinds(text);
  // The kind of the character unit i belongs to.
  auto kind = [&](size_t i) {
    while (i > 0 && kinds[i] == Kind::kTrail) --i;
    return kinds[i] == Kind::kJoiner ? Kind::kLetter : kinds[i];
  };
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && kinds[i] == Kind::kTrail) continue;
    const Kind before = i > 0 ? kind(i - 1) : Kind::kOther;
    const Kind after = i < text.size() ? kind(i) : Kind::kOther;
    const bool same_word = before == Kind::kLetter && after == Kind::kLetter;
    bounds.starts[i] = after != Kind::kOther && !same_word;
    bounds.ends[i] = before != Kind::kOther && !same_word;
  }
  return bounds;
}

}  // namespace gfx
