#include "app/media/track_file.h"

#include "app/media/adts.h"
#include "app/media/flv_reader.h"

namespace app::media {
namespace {

size_t PayloadBytes(const FlvAudio& audio) {
  size_t total = 0;
  for (std::string_view frame : audio.frames) total += frame.size();
  return total;
}

std::optional<std::string> AdtsStream(const FlvAudio& audio, const AdtsFormat& format, const TrackTags& tags) {
  std::string out = Id3Tag(tags);
  out.reserve(out.size() + PayloadBytes(audio) + audio.frames.size() * kAdtsHeaderBytes);
  for (std::string_view frame : audio.frames) {
    if (frame.size() > kMaxAdtsPayload) return std::nullopt;
    AppendAdtsHeader(format, frame.size(), out);
    out += frame;
  }
  return out;
}

std::string Mp3Stream(const FlvAudio& audio, const TrackTags& tags) {
  std::string out = Id3Tag(tags);
  out.reserve(out.size() + PayloadBytes(audio));
  for (std::string_view frame : audio.frames) out += frame;
  return out;
}

}  // namespace

std::optional<TrackFile> TrackFileFrom(std::string_view flv, const TrackTags& tags) {
  const std::optional<FlvAudio> audio = ReadFlvAudio(flv);
  if (!audio) return std::nullopt;
  if (audio->codec == AudioCodec::kMp3) return TrackFile{".mp3", Mp3Stream(*audio, tags)};
  const std::optional<AdtsFormat> format =
      audio->codec == AudioCodec::kAac ? AdtsFormatOf(audio->aac_config) : std::nullopt;
  // AAC that ADTS cannot describe (HE-AAC's explicit form, say) stays in its container.
  if (!format) return TrackFile{kFlvExtension, std::nullopt};
  std::optional<std::string> adts = AdtsStream(*audio, *format, tags);
  if (!adts) return std::nullopt;
  return TrackFile{".aac", std::move(adts)};
}

}  // namespace app::media
