#pragma once
// The main window's two small handlers: the address box's click empties the
// boxes, and the host's click hook opens the feedback mail page for the extra
// caption button.
#include "app/config.h"
#include "app/main_view.h"
#include "razezazo/core/host_options.h"

namespace app::gui {

// "http://<mail host>/cgi-bin/qm_share?t=qm_mailme&email=<address>&subject=brivo_report"
runtime::Text FeedbackLink(const Config& config);

// Empties the address, result and path boxes, in this order.
void ClearFields(MainView& view);

// The host's click hook: only a click on the caption button of kind 128 opens
// the feedback link in the browser; every other click passes through.
razezazo::MouseHook FeedbackHook(const Config& config);

}  // namespace app::gui
