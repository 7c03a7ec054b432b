#include "app/gui/coalesced_progress.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "app/task_queue.h"

namespace {

using app::DownloadProgress;

TEST(CoalescedProgressTest, ABurstOfReportsIsShownOnceWithTheLatestAndLaterReportsAgain) {
  app::TaskQueue ui;
  std::vector<double> shown;
  app::gui::CoalescedProgress progress(ui, [&](const DownloadProgress& p) { shown.push_back(p.kilobytes); });
  std::thread tool([&] {
    for (int i = 1; i <= 1000; ++i) progress.Report({.kilobytes = double(i), .percent = i / 10.0});
  });
  tool.join();
  bool done = false;
  ui.Post([&] { done = true; });
  ui.RunUntil([&] { return done; });
  EXPECT_EQ(shown, std::vector<double>{1000});

  progress.Report({.kilobytes = 1001});
  done = false;
  ui.Post([&] { done = true; });
  ui.RunUntil([&] { return done; });
  EXPECT_EQ(shown, (std::vector<double>{1000, 1001}));
}

}  // namespace
