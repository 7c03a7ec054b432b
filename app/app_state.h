#pragma once
// The application's process-wide values. Each parse overwrites its fields in the
// order it computes them; nothing here is read back by a later parse.
#include <vector>

#include "runtime/files.h"
#include "runtime/pattern.h"
#include "runtime/text.h"

namespace app {

struct AppState {
  // Update check.
  runtime::Text version_text;
  // The downloader tool that download jobs run (the file system's bytes).
  runtime::Path tool_path;
  // Play-page parser.
  runtime::Text page_url;
  runtime::Text page_text;
  runtime::Text script_section;
  runtime::Text track_name;
  runtime::Text path_variable;
  runtime::Text path_expression;
  runtime::Pattern assignment_pattern;
  std::vector<runtime::MatchResult> assignments;
  runtime::Text stream_path;
};

}  // namespace app
