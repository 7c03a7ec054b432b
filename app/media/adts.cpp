#include "app/media/adts.h"

namespace app::media {
namespace {

constexpr uint8_t kLastAdtsObjectType = 4;  // AAC LTP; ADTS's profile field has two bits
constexpr uint8_t kLastStandardRate = 12;
constexpr uint8_t kLastChannelConfiguration = 7;
constexpr unsigned kBufferFullnessUnknown = 0x7FF;  // a variable bit rate

}  // namespace

std::optional<AdtsFormat> AdtsFormatOf(std::string_view config) {
  if (config.size() < 2) return std::nullopt;
  const auto first = static_cast<uint8_t>(config[0]), second = static_cast<uint8_t>(config[1]);
  const uint8_t object_type = first >> 3;
  const uint8_t frequency_index = static_cast<uint8_t>((first & 0x07) << 1 | second >> 7);
  const uint8_t channels = (second >> 3) & 0x0F;
  if (object_type < 1 || object_type > kLastAdtsObjectType || frequency_index > kLastStandardRate || channels < 1 ||
      channels > kLastChannelConfiguration)
    return std::nullopt;
  return AdtsFormat{
      .profile = static_cast<uint8_t>(object_type - 1), .frequency_index = frequency_index, .channels = channels};
}

void AppendAdtsHeader(const AdtsFormat& format, size_t payload_size, std::string& out) {
  const size_t length = payload_size + kAdtsHeaderBytes;
  const unsigned char header[kAdtsHeaderBytes] = {
      0xFF,
      0xF1,  // sync word, MPEG-4, layer 0, no CRC
      static_cast<unsigned char>(format.profile << 6 | format.frequency_index << 2 | format.channels >> 2),
      static_cast<unsigned char>((format.channels & 0x03) << 6 | length >> 11),
      static_cast<unsigned char>(length >> 3),
      static_cast<unsigned char>((length & 0x07) << 5 | kBufferFullnessUnknown >> 6),
      static_cast<unsigned char>((kBufferFullnessUnknown & 0x3F) << 2),  // one raw data block
  };
  out.append(reinterpret_cast<const char*>(header), sizeof header);
}

}  // namespace app::media
