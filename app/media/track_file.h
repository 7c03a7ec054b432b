#pragma once
// What a finished download is saved as: a file its extension truthfully
// describes. rtmpdump always writes FLV; its AAC audio becomes an ADTS stream
// (.aac), MP3 audio the MP3 frames (.mp3), both behind an ID3v2.4 tag with the
// track's name; audio of any other codec keeps the FLV as it came (.flv).
#include <optional>
#include <string>
#include <string_view>

#include "app/media/id3_tag.h"

namespace app::media {

struct TrackFile {
  std::string extension;             // ".aac", ".mp3" or ".flv"
  std::optional<std::string> bytes;  // the file's bytes; none: the FLV's own
};

inline constexpr char kFlvExtension[] = ".flv";

// The file `flv` is saved as; nothing when it is no well-formed FLV (see
// ReadFlvAudio) or holds an ADTS frame larger than ADTS can describe.
std::optional<TrackFile> TrackFileFrom(std::string_view flv, const TrackTags& tags);

}  // namespace app::media
