// The start-up routine, in its documented order: nothing of the main window
// exists before the update check has answered, and the window shows only
// once the version file has been fetched.
#include "app/downloader_tool.h"
#include "app/gui/brivo_window.h"
#include "app/gui/framework_message_boxes.h"
#include "app/texts.h"
#include "app/update_check.h"
#include "assets/assets.h"
#include "runtime/gbk.h"
#include "runtime/text_ops.h"

namespace app::gui {
namespace {

// The main host's creation values: the built-in picture on white, the
// standard caption plus the feedback button (1024 + 128), an ordinary
// window, square, dragged from anywhere.
razezazo::HostOptions MainHostOptions() {
  return {.background_image = assets::MainBackground(),
          .background_image_2x = assets::MainBackground(2),
          .background_colour = 0xFFFFFF,
          .caption_flags = razezazo::kCaptionFromStyles | razezazo::kCaptionFree128,
          .layer_alpha = -1,
          .frame_style = razezazo::frame_style::kSquare,
          .initial_paint = false,
          .resizable = false,
          .drag_anywhere = true,
          .image_edges = false,
          .blur_behind = false,
          .creation_rect = razezazo::FloatRect{}};
}

}  // namespace

void BrivoWindow::Start() {
  winsys::Current().SetWindowText(window_, runtime::GbkToUtf8(runtime::Concat(texts::kTitleBase, texts::kVersion)));
  FrameworkMessageBoxes question(window_);
  UpdateCheck(context_.config, context_.state, question);
  if (!winsys::Current().IsWindow(window_)) return;  // a signal ended the program during the question
  InstallDownloaderTool(context_.state);
  host_.Create(window_, MainHostOptions());
  controls_.Create(window_);
  BindHandlers();
  host_.LayOutCaption();
  host_.Show(razezazo::show_animation::kZoomIn);
  host_.SetCloseAnimation(razezazo::close_animation::kSwellAndFade);
}

}  // namespace app::gui
