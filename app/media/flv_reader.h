#pragma once
// The audio in an FLV file, the container rtmpdump writes whatever the stream
// carries: a 9-byte header, then tags (audio, video, script data), each with
// an 11-byte header and followed by its own size. Only what saving a track
// needs is read: the audio codec, AAC's decoder configuration and the frames.
#include <optional>
#include <string_view>
#include <vector>

namespace app::media {

enum class AudioCodec { kAac, kMp3, kOther };

struct FlvAudio {
  AudioCodec codec = AudioCodec::kOther;
  std::string_view aac_config;           // AAC's AudioSpecificConfig (its sequence header)
  std::vector<std::string_view> frames;  // AAC or MP3 frames in stream order, views into the file
};

// The audio of `file`; nothing when the bytes are no well-formed FLV: a wrong
// header, a tag cut short or larger than the file, a tag size that disagrees
// with the size written after it, an encrypted tag, audio that changes codec
// midway, AAC frames before their sequence header, or no audio at all. Video
// and script tags are passed over.
std::optional<FlvAudio> ReadFlvAudio(std::string_view file);

}  // namespace app::media
