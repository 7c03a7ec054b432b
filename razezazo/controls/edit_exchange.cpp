#include "razezazo/controls/edit_exchange.h"

#include "runtime/gbk.h"

namespace razezazo::edit_exchange {
namespace {

// GBK's trail bytes are 0x40 and above, so CR and LF bytes are always characters.
runtime::Text WithCrLf(runtime::Text text) {
  runtime::Text out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out.push_back('\r');
    out.push_back(text[i]);
  }
  return out;
}

std::string WithLf(std::string text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out.push_back(text[i]);
  return out;
}

}  // namespace

runtime::Text FromUtf8(std::string_view utf8) { return WithCrLf(runtime::Utf8ToGbkOmitting(utf8)); }

runtime::Text FromUtf16(std::u16string_view units) { return WithCrLf(runtime::Utf16ToGbkOmitting(units)); }

std::string ToUtf8(std::string_view gbk) { return WithLf(runtime::GbkToUtf8(gbk)); }

}  // namespace razezazo::edit_exchange
