#pragma once
// ADTS, the self-describing AAC stream of .aac files: each frame gets a 7-byte
// header that repeats what FLV says once, in the AudioSpecificConfig.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace app::media {

struct AdtsFormat {
  uint8_t profile = 0;          // the audio object type less one: 0 Main, 1 LC, 2 SSR, 3 LTP
  uint8_t frequency_index = 0;  // the standard sampling rates' table, 0 (96 kHz) to 12 (7.35 kHz)
  uint8_t channels = 0;         // the channel configuration, 1 to 7
};

// An ADTS frame's length field has 13 bits and counts the header.
inline constexpr size_t kAdtsHeaderBytes = 7;
inline constexpr size_t kMaxAdtsPayload = (1u << 13) - 1 - kAdtsHeaderBytes;

// The ADTS form of an AudioSpecificConfig; nothing for what ADTS cannot carry
// (other object types, a rate outside the table, a layout given by a program
// config element) or for a config cut short.
std::optional<AdtsFormat> AdtsFormatOf(std::string_view audio_specific_config);

// Appends the header of a frame with `payload_size` bytes (at most kMaxAdtsPayload).
void AppendAdtsHeader(const AdtsFormat& format, size_t payload_size, std::string& out);

}  // namespace app::media
