#include "app/download_progress.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace app {
namespace {

// Reads a plain non-negative decimal number at the front of `text` and drops it.
std::optional<double> TakeNumber(std::string_view& text) {
  if (text.empty() || !(text.front() >= '0' && text.front() <= '9')) return std::nullopt;
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
  text.remove_prefix(static_cast<size_t>(end - text.data()));
  return value;
}

bool Take(std::string_view& text, std::string_view expected) {
  if (!text.starts_with(expected)) return false;
  text.remove_prefix(expected.size());
  return true;
}

}  // namespace

std::optional<DownloadProgress> ParseToolProgress(std::string_view line) {
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  std::optional<double> kilobytes = TakeNumber(line);
  std::optional<double> seconds;
  if (!kilobytes || !Take(line, " kB / ") || !(seconds = TakeNumber(line)) || !Take(line, " sec")) return std::nullopt;
  DownloadProgress progress{.kilobytes = *kilobytes, .seconds = *seconds};
  if (line.empty()) return progress;
  std::optional<double> percent;
  if (!Take(line, " (") || !(percent = TakeNumber(line)) || !Take(line, "%)") || !line.empty()) return std::nullopt;
  // A resumed or slightly overlong stream can count past its announced length.
  progress.percent = std::min(*percent, 100.0);
  return progress;
}

std::string ProgressText(const DownloadProgress& progress) {
  char text[64];
  if (progress.percent)
    std::snprintf(text, sizeof text, "%.1f kB (%.1f%%)", progress.kilobytes, *progress.percent);
  else
    std::snprintf(text, sizeof text, "%.1f kB", progress.kilobytes);
  return text;
}

}  // namespace app
