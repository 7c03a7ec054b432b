#pragma once
// The downloader tool's progress, read from the lines it writes while it works.
#include <optional>
#include <string>
#include <string_view>

namespace app {

struct DownloadProgress {
  double kilobytes = 0;
  double seconds = 0;             // of the stream, as far as it came
  std::optional<double> percent;  // only when the server told the stream's length; 0–100
};

// Reads one progress line of rtmpdump: "<kB> kB / <seconds> sec", followed by
// " (<percent>%)" when the stream's length is known. Anything else (its banner,
// metadata, messages) gives nothing.
std::optional<DownloadProgress> ParseToolProgress(std::string_view line);

// The progress for people, plain ASCII (so the same in GBK and UTF-8):
// "1234.5 kB (45.6%)", or "1234.5 kB" when the length is unknown.
std::string ProgressText(const DownloadProgress& progress);

}  // namespace app
