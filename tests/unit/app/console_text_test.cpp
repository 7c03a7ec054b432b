#include "app/cli/console_text.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/cli/console_view.h"
#include "runtime/gbk.h"

namespace app {
namespace {

TEST(EscapeControls, ShowsControlCharactersInsteadOfSendingThem) {
  EXPECT_EQ(EscapeControls("\x1b[31mred\x1b]0;title\x07\x1b[2J"), "\\x1b[31mred\\x1b]0;title\\x07\\x1b[2J");
  EXPECT_EQ(EscapeControls("a\tb\r\nc\x7f"), "a\\x09b\\x0d\\x0ac\\x7f");
  EXPECT_EQ(EscapeControls("\xc2\x9b"
                           "2J"),
            "\\u009b2J");  // the one-character CSI
  EXPECT_EQ(EscapeControls("晨岚 (mix) ü \\ é"), "晨岚 (mix) ü \\ é");
}

TEST(ConsoleView, EveryLineItPrintsIsEscaped) {
  std::ostringstream out;
  ConsoleView view(out);
  view.ShowMessageBox({.content = runtime::Gbk("曲\x1b[2J"), .title = runtime::Gbk("下载完成")});
  view.ShowSavedFile("/music/a\x1b]0;x\x07.aac");
  EXPECT_EQ(out.str(), "下载完成: 曲\\x1b[2J\nsaved: /music/a\\x1b]0;x\\x07.aac\n");
}

}  // namespace
}  // namespace app
