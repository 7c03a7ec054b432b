#pragma once
#include <string_view>

#include "runtime/text.h"

namespace app {

// The text after the last occurrence of `start` up to the last occurrence of `end`
// after it. An absent start marker or an absent end marker gives the empty text.
// When `end` closes the text, every occurrence of it after `start` is dropped.
runtime::Text ExtractBetween(std::string_view text, std::string_view start, std::string_view end);

}  // namespace app
