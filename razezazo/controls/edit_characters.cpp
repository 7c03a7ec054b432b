#include "razezazo/controls/edit_characters.h"

#include <array>
#include <memory>

#include "runtime/gbk.h"

namespace razezazo::edit_chars {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Two-byte characters converted on first sight and kept: a text of 10,000
// lines holds a few thousand distinct characters at most, and one iconv call
// per byte pair would cost more than measuring the line.
class PairTable {
 public:
  char16_t Convert(unsigned char lead, unsigned char trail) {
    char16_t& unit = (*units_)[static_cast<std::size_t>(lead & 0x7F) << 8 | trail];
    if (unit == 0) unit = ConvertOnce(lead, trail);
    return unit;
  }

 private:
  static char16_t ConvertOnce(unsigned char lead, unsigned char trail) {
    const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
    const std::u16string wide = runtime::GbkToUtf16(std::string_view(pair, 2));
    return wide.size() == 1 ? wide[0] : kReplacement;
  }

  std::unique_ptr<std::array<char16_t, 128 * 256>> units_ = std::make_unique<std::array<char16_t, 128 * 256>>();
};

char16_t SingleByteUnit(unsigned char byte) {
  if (byte >= 0x80 || (byte < 0x20 && byte != '\t') || byte == 0x7F) return kReplacement;
  return byte;
}

}  // namespace

int CountChars(std::string_view text) {
  int count = 0;
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) ++count;
  return count;
}

std::size_t BytesOfColumns(std::string_view text, int columns) {
  std::size_t i = 0;
  for (int c = 0; c < columns && i < text.size(); ++c) i += CharLength(text, i);
  return i;
}

std::size_t WholeCharacterBytes(std::string_view text, int limit) {
  std::size_t i = 0;
  while (i < text.size() && static_cast<long long>(i + CharLength(text, i)) <= limit) i += CharLength(text, i);
  return i;
}

std::u16string DisplayUnits(std::string_view text) {
  thread_local PairTable table;
  std::u16string units;
  units.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (CharLength(text, i) == 2) {
      units.push_back(table.Convert(byte, static_cast<unsigned char>(text[i + 1])));
      i += 2;
    } else {
      units.push_back(SingleByteUnit(byte));
      ++i;
    }
  }
  return units;
}

}  // namespace razezazo::edit_chars
