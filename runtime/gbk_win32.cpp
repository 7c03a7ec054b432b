// GBK through Windows' code page 936, with the rules of the iconv converter
// used on Linux: a byte that starts no GBK character becomes U+FFFD on its own,
// and a character that GBK cannot hold becomes the replacement whole (from
// UTF-8) or one per UTF-16 code unit. Whole texts are converted in one call;
// only a text with a bad character is gone through character by character.
#include <windows.h>

#include "runtime/gbk.h"
#include "runtime/gbk_codec.h"

namespace runtime {
namespace {

constexpr UINT kGbkCodePage = 936;
constexpr char16_t kReplacement = u'\uFFFD';

// The UTF-16 of `gbk`, or nothing when some byte starts no character.
bool StrictGbkToUtf16(std::string_view gbk, std::u16string& out) {
  const int size = static_cast<int>(gbk.size());
  const int length = MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk.data(), size, nullptr, 0);
  if (length <= 0) return false;
  const size_t start = out.size();
  out.resize(start + static_cast<size_t>(length));
  MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, gbk.data(), size,
                      reinterpret_cast<wchar_t*>(out.data() + start), length);
  return true;
}

// The GBK of `utf16`, or nothing when some unit has no GBK code.
bool StrictUtf16ToGbk(std::u16string_view utf16, Text& out) {
  const auto* wide = reinterpret_cast<const wchar_t*>(utf16.data());
  const int size = static_cast<int>(utf16.size());
  BOOL defaulted = FALSE;
  const int length =
      WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide, size, nullptr, 0, nullptr, &defaulted);
  if (length <= 0 || defaulted) return false;
  const size_t start = out.size();
  out.resize(start + static_cast<size_t>(length));
  WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide, size, out.data() + start, length, nullptr, nullptr);
  return true;
}

bool IsLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

std::u16string Utf16Of(std::string_view gbk) {
  std::u16string out;
  out.reserve(gbk.size());
  if (gbk.empty() || StrictGbkToUtf16(gbk, out)) return out;
  out.clear();
  for (size_t i = 0; i < gbk.size();) {
    const bool pair = IsLeadByte(static_cast<unsigned char>(gbk[i])) && i + 1 < gbk.size();
    if (pair && StrictGbkToUtf16(gbk.substr(i, 2), out)) {
      i += 2;
    } else if (StrictGbkToUtf16(gbk.substr(i, 1), out)) {
      ++i;
    } else {
      out.push_back(kReplacement);
      ++i;
    }
  }
  return out;
}

std::u16string ToUtf16(std::string_view utf8) {
  const int size = static_cast<int>(utf8.size());
  std::u16string out(static_cast<size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0)), u'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, reinterpret_cast<wchar_t*>(out.data()),
                      static_cast<int>(out.size()));
  return out;
}

std::string ToUtf8(std::u16string_view utf16) {
  const auto* wide = reinterpret_cast<const wchar_t*>(utf16.data());
  const int size = static_cast<int>(utf16.size());
  std::string out(static_cast<size_t>(WideCharToMultiByte(CP_UTF8, 0, wide, size, nullptr, 0, nullptr, nullptr)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide, size, out.data(), static_cast<int>(out.size()), nullptr, nullptr);
  return out;
}

// The length of the UTF-8 character at the start of `s` as iconv skips it:
// its lead byte's length, cut short at the first byte that does not continue it.
size_t Utf8CharLength(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  const size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  for (size_t i = 1; i < n && i < s.size(); ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return i;
  return std::min(n, s.size());
}

bool IsWellFormedUtf8(std::string_view utf8) {
  return utf8.empty() ||
         MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0) > 0;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) { return ToUtf8(Utf16Of(gbk)); }

std::u16string GbkToUtf16(std::string_view gbk) { return Utf16Of(gbk); }

Text Utf8ToGbkReplacing(std::string_view utf8, std::string_view replacement) {
  Text out;
  out.reserve(utf8.size());
  if (IsWellFormedUtf8(utf8) && StrictUtf16ToGbk(ToUtf16(utf8), out)) return out;
  out.clear();
  for (size_t i = 0; i < utf8.size();) {
    const size_t n = Utf8CharLength(utf8.substr(i));
    const std::string_view character = utf8.substr(i, n);
    if (!IsWellFormedUtf8(character) || !StrictUtf16ToGbk(ToUtf16(character), out)) out.append(replacement);
    i += n;
  }
  return out;
}

Text Utf16ToGbkReplacing(std::u16string_view utf16, std::string_view replacement) {
  Text out;
  out.reserve(utf16.size() * 2);
  if (StrictUtf16ToGbk(utf16, out)) return out;
  out.clear();
  for (size_t i = 0; i < utf16.size(); ++i)
    if (!StrictUtf16ToGbk(utf16.substr(i, 1), out)) out.append(replacement);
  return out;
}

}  // namespace runtime
