#pragma once
// What the partial file's system-specific half and its shared half give each other.
#include <string>

#include "runtime/files.h"

namespace app {

// How often a fresh name is drawn when another run's file has the one drawn.
inline constexpr int kMostPartialNameAttempts = 16;

// A fresh partial file name for `result_name` in `folder`, with a random tag.
runtime::Path NewPartialFilePath(const runtime::Path& folder, const std::string& result_name);

// Removes the partial file `path` when no living run holds it and it is ours.
void RemoveIfAbandoned(const runtime::Path& path);

}  // namespace app
