#pragma once
// Media files for tests: FLV files made tag by tag, as rtmpdump writes them,
// and the audio of a saved track behind its ID3v2 tag.
#include <cstdint>
#include <string>

namespace testing_support {

inline constexpr uint8_t kFlvAudio = 8, kFlvVideo = 9, kFlvScript = 18;
// AAC LC, 44.1 kHz, mono (what the demo site's tracks carry).
inline const std::string kAacLcConfig = "\x12\x08";

inline std::string BigEndian(uint32_t value, int bytes) {
  std::string out;
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>(value >> (8 * i));
  return out;
}

class FlvBuilder {
 public:
  FlvBuilder() : bytes_(std::string("FLV\x01\x05", 5) + BigEndian(9, 4) + BigEndian(0, 4)) {}
  FlvBuilder& Tag(uint8_t type, const std::string& data, uint32_t time = 0) {
    bytes_ += static_cast<char>(type) + BigEndian(static_cast<uint32_t>(data.size()), 3) + BigEndian(time, 3) +
              std::string(4, '\0') + data + BigEndian(static_cast<uint32_t>(data.size() + 11), 4);
    return *this;
  }
  FlvBuilder& AacConfig(const std::string& config = kAacLcConfig) {
    return Tag(kFlvAudio, std::string("\xAF\x00", 2) + config);
  }
  FlvBuilder& AacFrame(const std::string& frame) { return Tag(kFlvAudio, std::string("\xAF\x01", 2) + frame); }
  FlvBuilder& Mp3Frame(const std::string& frame) { return Tag(kFlvAudio, "\x2F" + frame); }
  const std::string& bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

// What follows a file's ID3v2 tag (whose size is synchsafe); the file when it has none.
inline std::string WithoutId3Tag(const std::string& file) {
  if (file.size() < 10 || file.compare(0, 3, "ID3") != 0) return file;
  size_t size = 0;
  for (int i = 6; i < 10; ++i) size = size << 7 | (static_cast<unsigned char>(file[i]) & 0x7F);
  return file.substr(std::min(file.size(), 10 + size));
}

}  // namespace testing_support
