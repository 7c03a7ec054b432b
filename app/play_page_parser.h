#pragma once
#include "app/app_context.h"

namespace app {

// The parser runs on the UI thread, so a hostile page must not be able to hold
// it for long: a page is read up to kMaxPageBytes (real play pages are a few
// tens of KB) and at most kMaxAssignments of its name='value'; assignments are
// applied. Within these caps the worst page takes a fraction of a second.
inline constexpr size_t kMaxPageBytes = 4u << 20;
inline constexpr size_t kMaxAssignments = 1000;

// Derives the script section, track name and play path from the first
// kMaxPageBytes of state.page_text.
void ReadPlayPage(const Config& config, AppState& state);

// Reads the play-page address from the address box, fetches the page and derives
// the track name (into the result box) and the play path (into the path box).
// The address is taken without the white space around it and as http:// when
// it has no scheme. False when what remains is no http or https address: the
// warning was shown and nothing changed. Runs on the UI thread; the fetch blocks it.
bool ParsePlayPage(AppContext& context);

// The parse button's handler: ParsePlayPage, then the download job on a new
// worker thread.
void PlayPageParser(AppContext& context);

}  // namespace app
