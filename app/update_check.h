#pragma once
#include "app/app_state.h"
#include "app/config.h"
#include "app/main_view.h"

namespace app {

// Fetches the version file; when it holds a text other than this program's
// version, asks whether to update, and on yes opens the update page and ends the
// program. Any other outcome returns and start-up goes on.
void UpdateCheck(const Config& config, AppState& state, MessageBoxes& boxes);

}  // namespace app
