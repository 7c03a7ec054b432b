#pragma once
#include "app/app_state.h"
#include "app/config.h"
#include "app/main_view.h"

namespace app {

// Fetches the version file (within a few seconds); when its first line is a
// short version text other than this program's, asks whether to update, and on
// yes opens the update page and ends the program. Any other outcome (no answer,
// an error page, a text that is no version) returns and start-up goes on.
void UpdateCheck(const Config& config, AppState& state, MessageBoxes& boxes);

}  // namespace app
