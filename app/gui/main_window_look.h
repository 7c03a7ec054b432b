#pragma once
// How brivo's windows look, in one place: the main window's frame window and
// host, how it opens and closes, and the look of the message boxes.
#include <cstdint>

#include "razezazo/core/framework.h"
#include "razezazo/core/host_options.h"

namespace app::gui {

// 380 x 338, centred; minimise and close, no maximise.
razezazo::FrameworkWindowOptions MainWindowOptions();

// The built-in picture on white, the standard caption plus the feedback
// button (1024 + 128), an ordinary window, square, dragged from anywhere.
razezazo::HostOptions MainHostOptions();

inline constexpr razezazo::show_animation::Kind kMainShowAnimation = razezazo::show_animation::kZoomIn;
inline constexpr razezazo::close_animation::Kind kMainCloseAnimation = razezazo::close_animation::kSwellAndFade;

// Every box, whether or not the main window has its host yet: white, an
// ordinary window, square, no blur; the title and the close button.
razezazo::HostOptions MessageBoxLook();
inline constexpr std::uint32_t kMessageBoxCaption = razezazo::kCaptionTitle | razezazo::kCaptionClose;

}  // namespace app::gui
