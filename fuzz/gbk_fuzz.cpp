// GBK conversion at the edges: any bytes convert without fault either way, and
// what GBK holds comes back unchanged through UTF-8 and through UTF-16.
#include "fuzz/fuzz_input.h"
#include "runtime/gbk.h"

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);

  std::string utf8 = runtime::GbkToUtf8(bytes);
  std::u16string utf16 = runtime::GbkToUtf16(bytes);
  if (utf8.find(kReplacement) == std::string::npos) {
    fuzzing::Check(runtime::Utf8ToGbk(utf8) == bytes, "GBK -> UTF-8 -> GBK changed the text");
    fuzzing::Check(runtime::Utf16ToGbk(utf16) == bytes, "GBK -> UTF-16 -> GBK changed the text");
  }

  // The same bytes taken as UTF-8 and as UTF-16 units: never a fault, and the GBK
  // result always converts back without a replacement character.
  std::string from_utf8 = runtime::Utf8ToGbk(bytes);
  std::u16string units(size / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  std::string from_utf16 = runtime::Utf16ToGbk(units);
  fuzzing::Check(runtime::GbkToUtf8(from_utf8).find(kReplacement) == std::string::npos ||
                     bytes.find(kReplacement) != std::string::npos,
                 "UTF-8 -> GBK produced bytes that are not GBK");
  fuzzing::Check(runtime::GbkToUtf8(from_utf16).find(kReplacement) == std::string::npos ||
                     units.find(u'\uFFFD') != std::u16string::npos,
                 "UTF-16 -> GBK produced bytes that are not GBK");
  return 0;
}
