#include "runtime/gbk.h"

#include "runtime/gbk_codec.h"

namespace runtime {
namespace {

bool IsLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool IsTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFE && b != 0x7F; }

}  // namespace

Text GbkWholeCharacters(std::string_view gbk) {
  Text whole;
  whole.reserve(gbk.size());
  for (std::size_t i = 0; i < gbk.size(); ++i) {
    const auto byte = static_cast<unsigned char>(gbk[i]);
    if (byte < 0x80) {
      whole.push_back(gbk[i]);
    } else if (IsLeadByte(byte) && i + 1 < gbk.size() && IsTrailByte(static_cast<unsigned char>(gbk[i + 1]))) {
      whole.append(gbk.substr(i, 2));
      ++i;
    }
  }
  return whole;
}

Text Utf8ToGbk(std::string_view utf8) { return Utf8ToGbkReplacing(utf8, "?"); }

Text Utf8ToGbkOmitting(std::string_view utf8) { return GbkWholeCharacters(Utf8ToGbkReplacing(utf8, "")); }

Text Utf16ToGbk(std::u16string_view utf16) { return Utf16ToGbkReplacing(utf16, "?"); }

Text Utf16ToGbkOmitting(std::u16string_view utf16) { return GbkWholeCharacters(Utf16ToGbkReplacing(utf16, "")); }

}  // namespace runtime
