#include "app/cli/console_view.h"

#include <gtest/gtest.h>

#include <sstream>

#include "runtime/gbk.h"

namespace app {
namespace {

TEST(ConsoleView, RedrawsOneProgressLineAndWipesItBeforeTheResult) {
  std::ostringstream out, progress;
  ConsoleView view(out, &progress);
  view.ShowProgress({.kilobytes = 12.25, .percent = 40});
  view.ShowProgress({.kilobytes = 30.5, .percent = 99.9});
  EXPECT_EQ(progress.str(), "\r\x1b[Kdownloading: 12.2 kB (40.0%)\r\x1b[Kdownloading: 30.5 kB (99.9%)");
  view.ShowMessageBox({.content = runtime::Gbk("曲"), .title = runtime::Gbk("下载完成")});
  EXPECT_EQ(progress.str().substr(progress.str().size() - 4), "\r\x1b[K");
  EXPECT_EQ(out.str(), "下载完成: 曲\n");
  // Once wiped, nothing more is written to the progress stream.
  const size_t written = progress.str().size();
  view.EndProgress();
  view.ShowSavedFile("/tmp/x.aac");
  EXPECT_EQ(progress.str().size(), written);
}

TEST(ConsoleView, WithoutAProgressStreamPrintsOnlyResults) {
  std::ostringstream out;
  ConsoleView view(out);
  view.ShowProgress({.kilobytes = 1});
  view.EndProgress();
  view.ShowSavedFile("/tmp/x.aac");
  EXPECT_EQ(out.str(), "saved: /tmp/x.aac\n");
}

}  // namespace
}  // namespace app
