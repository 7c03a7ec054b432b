#pragma once
// An ID3v2.4 tag, which players and music libraries read at the start of both
// .aac (ADTS) and .mp3 files: the track's name, where it came from and when.
#include <string>

namespace app::media {

struct TrackTags {
  std::string title;         // UTF-8
  std::string page_address;  // the play page's address
  std::string date;          // the download's day, "YYYY-MM-DD"
};

// The tag's bytes: TIT2 (title), WXXX (the page) and TDRC (the date), texts in
// UTF-8; empty values are left out.
std::string Id3Tag(const TrackTags& tags);

}  // namespace app::media
