// GBK through glibc's iconv.
#include "runtime/gbk.h"
#include "runtime/gbk_codec.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace runtime {
namespace {

// One iconv descriptor per direction and thread: descriptors keep shift state and
// must not be shared between threads.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("iconv_open failed");
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts `in`; where the input cannot be converted, appends `replacement` and
  // skips the bytes that `skip` says make up the bad character.
  template <typename SkipFn>
  std::string Run(std::string_view in, std::string_view replacement, SkipFn skip) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);  // reset shift state
    std::string out;
    out.reserve(in.size() * 2 + 4);
    char buffer[4096];
    auto* src = const_cast<char*>(in.data());
    size_t src_left = in.size();
    while (src_left > 0) {
      char* dst = buffer;
      size_t dst_left = sizeof buffer;
      size_t rc = iconv(cd_, &src, &src_left, &dst, &dst_left);
      int err = errno;
      out.append(buffer, dst - buffer);
      if (rc != static_cast<size_t>(-1) || err == E2BIG) continue;
      out.append(replacement);  // EILSEQ or EINVAL: one bad character
      size_t n = std::min(src_left, skip(std::string_view(src, src_left)));
      src += n;
      src_left -= n;
    }
    return out;
  }

 private:
  iconv_t cd_;
};

// A bad GBK byte is dropped on its own, so the next byte gets a fresh chance.
size_t SkipOneByte(std::string_view) { return 1; }

// A character that GBK cannot hold is skipped whole (all of its UTF-8 bytes).
size_t SkipUtf8Char(std::string_view s) {
  auto lead = static_cast<unsigned char>(s[0]);
  size_t n = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
  for (size_t i = 1; i < n && i < s.size(); ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return i;
  return n;
}

size_t SkipUtf16Unit(std::string_view) { return 2; }

constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr std::string_view kReplacementUtf16 = std::string_view("\xFD\xFF", 2);

std::string Utf16LeBytes(std::u16string_view utf16) {
  std::string bytes;
  bytes.reserve(utf16.size() * 2);
  for (char16_t u : utf16) {
    bytes.push_back(static_cast<char>(u & 0xFF));
    bytes.push_back(static_cast<char>(u >> 8));
  }
  return bytes;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  thread_local Converter c("UTF-8", "GBK");
  return c.Run(gbk, kReplacementUtf8, SkipOneByte);
}

Text Utf8ToGbkReplacing(std::string_view utf8, std::string_view replacement) {
  thread_local Converter c("GBK", "UTF-8");
  return c.Run(utf8, replacement, SkipUtf8Char);
}

std::u16string GbkToUtf16(std::string_view gbk) {
  thread_local Converter c("UTF-16LE", "GBK");
  std::string bytes = c.Run(gbk, kReplacementUtf16, SkipOneByte);
  std::u16string out(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                   static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
  return out;
}

Text Utf16ToGbkReplacing(std::u16string_view utf16, std::string_view replacement) {
  thread_local Converter c("GBK", "UTF-16LE");
  return c.Run(Utf16LeBytes(utf16), replacement, SkipUtf16Unit);
}

}  // namespace runtime
