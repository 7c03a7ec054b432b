#pragma once
// The main window's eight controls, in creation order, with their rectangles,
// texts and colours. The hidden label and path box lie under the download
// button: the path box only carries the play path from the parser to the job.
#include "platform/window/window_system.h"
#include "razezazo/controls/edit_box.h"
#include "razezazo/controls/group_box_control.h"
#include "razezazo/controls/label_control.h"
#include "razezazo/controls/push_button.h"

namespace app::gui {

struct MainWindow {
  // Creates the controls over the host of `window`, in this order.
  void Create(winsys::WindowId window);

  razezazo::GroupBoxControl address_group;
  razezazo::EditBox address_edit;
  razezazo::PushButton parse_button;
  razezazo::GroupBoxControl result_group;
  razezazo::EditBox result_edit;
  razezazo::LabelControl path_label;
  razezazo::EditBox path_edit;
  razezazo::PushButton download_button;
};

}  // namespace app::gui
