#include "app/media/flv_reader.h"

#include <cstdint>

namespace app::media {
namespace {

constexpr std::string_view kSignature = "FLV";
constexpr size_t kFileHeaderBytes = 9;
constexpr size_t kTagHeaderBytes = 11;
constexpr size_t kTagSizeBytes = 4;
constexpr uint8_t kAudioTag = 8;
constexpr uint8_t kEncryptedTag = 0x20;  // the filter bit of a tag's type byte
constexpr uint8_t kTagTypeMask = 0x1F;
// An audio tag's first byte holds the codec in its top four bits.
constexpr uint8_t kSoundFormatAac = 10;
constexpr uint8_t kSoundFormatMp3 = 2;
constexpr uint8_t kSoundFormatMp3At8kHz = 14;
constexpr uint8_t kAacSequenceHeader = 0;
constexpr uint8_t kAacRawFrame = 1;

uint32_t BigEndian(std::string_view bytes) {
  uint32_t value = 0;
  for (char c : bytes) value = value << 8 | static_cast<uint8_t>(c);
  return value;
}

AudioCodec CodecOf(uint8_t sound_format) {
  if (sound_format == kSoundFormatAac) return AudioCodec::kAac;
  if (sound_format == kSoundFormatMp3 || sound_format == kSoundFormatMp3At8kHz) return AudioCodec::kMp3;
  return AudioCodec::kOther;
}

// Takes one audio tag's data into `audio`; false when it breaks the stream.
bool TakeAudioTag(std::string_view data, std::optional<AudioCodec>& codec, FlvAudio& audio) {
  if (data.empty()) return true;  // a tag without a sound header carries nothing
  const AudioCodec tag_codec = CodecOf(static_cast<uint8_t>(data[0]) >> 4);
  if (codec && *codec != tag_codec) return false;
  codec = tag_codec;
  if (tag_codec == AudioCodec::kMp3) {
    if (data.size() > 1) audio.frames.push_back(data.substr(1));
    return true;
  }
  if (tag_codec != AudioCodec::kAac) return true;
  if (data.size() < 2) return false;
  const uint8_t packet = static_cast<uint8_t>(data[1]);
  const std::string_view payload = data.substr(2);
  if (packet == kAacSequenceHeader) {
    // A repeated header must say the same: the frames are written with one.
    if (!audio.aac_config.empty() && audio.aac_config != payload) return false;
    audio.aac_config = payload;
    return !payload.empty();
  }
  if (packet != kAacRawFrame || audio.aac_config.empty()) return false;
  if (!payload.empty()) audio.frames.push_back(payload);
  return true;
}

}  // namespace

std::optional<FlvAudio> ReadFlvAudio(std::string_view file) {
  if (file.size() < kFileHeaderBytes + kTagSizeBytes || file.substr(0, 3) != kSignature || file[3] != 1)
    return std::nullopt;
  const uint32_t data_offset = BigEndian(file.substr(5, 4));
  if (data_offset < kFileHeaderBytes || data_offset > file.size() - kTagSizeBytes) return std::nullopt;
  std::string_view rest = file.substr(data_offset + kTagSizeBytes);  // after the first tag size (0)

  FlvAudio audio;
  std::optional<AudioCodec> codec;
  while (!rest.empty()) {
    if (rest.size() < kTagHeaderBytes) return std::nullopt;
    const uint8_t type = static_cast<uint8_t>(rest[0]);
    const uint32_t data_size = BigEndian(rest.substr(1, 3));
    if (rest.size() - kTagHeaderBytes < data_size + size_t{kTagSizeBytes}) return std::nullopt;
    const std::string_view data = rest.substr(kTagHeaderBytes, data_size);
    if (BigEndian(rest.substr(kTagHeaderBytes + data_size, kTagSizeBytes)) != kTagHeaderBytes + data_size)
      return std::nullopt;
    if (type & kEncryptedTag) return std::nullopt;
    if ((type & kTagTypeMask) == kAudioTag && !TakeAudioTag(data, codec, audio)) return std::nullopt;
    rest.remove_prefix(kTagHeaderBytes + data_size + kTagSizeBytes);
  }
  if (!codec) return std::nullopt;
  audio.codec = *codec;
  if (audio.codec == AudioCodec::kAac && audio.aac_config.empty()) return std::nullopt;
  return audio;
}

}  // namespace app::media
