// Saving a downloaded stream from any bytes: the FLV reader and the ADTS and
// MP3 writers never crash, and an .aac they write is a chain of whole ADTS
// frames that ends exactly at the file's end.
#include "app/media/adts.h"
#include "app/media/id3_tag.h"
#include "app/media/track_file.h"
#include "fuzz/fuzz_input.h"

namespace {

bool IsAdtsChain(std::string_view stream) {
  while (!stream.empty()) {
    if (stream.size() < app::media::kAdtsHeaderBytes || static_cast<unsigned char>(stream[0]) != 0xFF ||
        (static_cast<unsigned char>(stream[1]) & 0xF6) != 0xF0)
      return false;
    const size_t length = (static_cast<size_t>(static_cast<unsigned char>(stream[3]) & 0x03) << 11) |
                          (static_cast<size_t>(static_cast<unsigned char>(stream[4])) << 3) |
                          (static_cast<unsigned char>(stream[5]) >> 5);
    if (length <= app::media::kAdtsHeaderBytes || length > stream.size()) return false;
    stream.remove_prefix(length);
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const app::media::TrackTags tags{.title = "晨岚测试曲一", .page_address = "http://127.0.0.1/play/1.html"};
  static const std::string tag = app::media::Id3Tag(tags);
  const std::string_view flv(reinterpret_cast<const char*>(data), size);
  const std::optional<app::media::TrackFile> track = app::media::TrackFileFrom(flv, tags);
  if (!track || !track->bytes) return 0;
  const std::string& bytes = *track->bytes;
  fuzzing::Check(bytes.compare(0, tag.size(), tag) == 0, "a saved track that does not start with its tag");
  if (track->extension == ".aac")
    fuzzing::Check(IsAdtsChain(std::string_view(bytes).substr(tag.size())), "an .aac that is no chain of ADTS frames");
  else
    fuzzing::Check(track->extension == ".mp3" && bytes.size() <= tag.size() + size, "MP3 frames the stream never held");
  return 0;
}
