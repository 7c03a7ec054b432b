#include "app/gui/main_window.h"

#include "razezazo/drawing/color.h"
#include "runtime/gbk.h"

namespace app::gui {

void MainWindow::Create(winsys::WindowId window) {
  using runtime::Gbk;
  const razezazo::Color black = razezazo::ToArgb(0);
  const razezazo::Color red = razezazo::ToArgb(255);
  address_group.Create(window, {20, 40, 340, 50}, Gbk("播放地址"), {.text_colour = razezazo::ToArgb(0, 254)});
  address_edit.Create(window, {30, 60, 240, 20}, {});
  parse_button.Create(window, {280, 58, 70, 25}, Gbk("解析&&下载"), {.rounded = false});
  result_group.Create(window, {20, 100, 340, 90}, Gbk("解析结果"), {.text_colour = black});
  result_edit.Create(window, {30, 120, 320, 60}, {},
                     {.text_colour = red,
                      .multi_line = true,
                      .input_mode = razezazo::InputMode::kReadOnly,
                      .scroll_bars = razezazo::scroll_bars::kVertical});
  path_label.Create(window, {30, 190, 100, 20}, Gbk("文件路径："), {.visible = false});
  path_edit.Create(window, {30, 210, 320, 20}, {}, {.text_colour = red, .visible = false});
  download_button.Create(window, {20, 205, 340, 40}, Gbk("下 载"), {.rounded = false});
}

}  // namespace app::gui
