#pragma once
// Text crossing between an edit box (GBK, lines ended by CR LF) and the
// desktop: typed characters arrive as UTF-16 code units, the input method's
// result and the clipboard as UTF-8 with LF line ends. Every text coming in
// goes through here once, so a character GBK cannot hold (an emoji, Hangul)
// is left out whole and never becomes a broken byte pair.
#include <string>
#include <string_view>

#include "runtime/text.h"

namespace razezazo::edit_exchange {

// Composed or pasted text: GBK, a lone LF made CR LF.
runtime::Text FromUtf8(std::string_view utf8);
// Typed characters: GBK; a surrogate half is left out (GBK holds nothing beyond
// the basic plane).
runtime::Text FromUtf16(std::u16string_view units);
// What goes on the clipboard: UTF-8, CR LF made LF as other programs expect.
std::string ToUtf8(std::string_view gbk);

}  // namespace razezazo::edit_exchange
