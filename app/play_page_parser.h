#pragma once
#include "app/app_context.h"

namespace app {

// Derives the script section, track name and play path from state.page_text.
void ReadPlayPage(const Config& config, AppState& state);

// Reads the play-page address from the address box, fetches the page and derives
// the track name (into the result box) and the play path (into the path box).
// False when the address box was empty: the warning was shown and nothing changed.
// Runs on the UI thread; the fetch blocks it.
bool ParsePlayPage(AppContext& context);

// The parse button's handler: ParsePlayPage, then the download job on a new
// worker thread.
void PlayPageParser(AppContext& context);

}  // namespace app
