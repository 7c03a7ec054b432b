#include "app/update_check.h"

#include <filesystem>
#include <thread>

#include "runtime/gbk.h"
#include "tests/unit/app/app_fixture.h"

namespace app {
namespace {

using testing_support::ReadWholeFile;
using testing_support::ScopedEnv;

class UpdateCheckTest : public testing_support::AppFixture {
 protected:
  void ServeVersion(const std::string& body) {
    context_.config.update_version_url = Serve("/brivo.txt", body);
    context_.config.update_page_url = "http://127.0.0.1/update.html";
  }
  void Check() { UpdateCheck(context_.config, context_.state, view_); }
};

TEST_F(UpdateCheckTest, TheSameVersionAsksNothing) {
  ServeVersion("[2015.11.02]");
  Check();
  EXPECT_TRUE(view_.boxes.empty());
  EXPECT_EQ(context_.state.version_text, "[2015.11.02]");
}

TEST_F(UpdateCheckTest, NothingFetchedAndNoVersionAskNothing) {
  // Empty, an error page, a first line too long or with control characters for a version.
  ServeVersion("");
  Check();
  server_.Route("/missing.txt", {.status = 404, .body = "<html>404 Not Found</html>"});
  context_.config.update_version_url = server_.Url("/missing.txt");
  Check();
  for (const std::string& text : {std::string(49, '9'), std::string("[2016\x1b[2J]"), std::string(2 << 20, 'x')}) {
    ServeVersion(text);
    Check();
  }
  context_.config.update_version_url =
      "http://127.0.0.1:" + std::to_string(testing_support::ClosedPort()) + "/brivo.txt";
  Check();
  EXPECT_TRUE(view_.boxes.empty());
  EXPECT_EQ(context_.state.version_text, "");
}

TEST_F(UpdateCheckTest, AVersionServerThatNeverAnswersHoldsUpTheStartOnlyBriefly) {
  // The connection is taken but no byte ever comes; then one that trickles.
  testing_support::SilentServer silent;
  context_.config.update_version_url = "http://127.0.0.1:" + std::to_string(silent.port()) + "/brivo.txt";
  auto started = std::chrono::steady_clock::now();
  Check();
  ServeVersion("[2016.01.01]");
  server_.Route("/brivo.txt", {.body = "[2016.01.01]", .trickle = std::chrono::seconds(1)});
  Check();
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  EXPECT_TRUE(view_.boxes.empty());
}

TEST_F(UpdateCheckTest, TheFirstLineIsTheVersionOfferedAndNoGoesOn) {
  ServeVersion("[2015.11.02]\n");
  Check();
  EXPECT_TRUE(view_.boxes.empty());
  ServeVersion("[2016.01.01]\r\nWhat is new: everything\n");
  view_.AnswerWith(kAnswerNo);
  Check();  // returns: start-up goes on
  ASSERT_EQ(view_.boxes.size(), 1u);
  EXPECT_EQ(view_.boxes[0].content, "发现新版本[2016.01.01]，是否更新？");
  EXPECT_EQ(view_.boxes[0].title, "晨岚DJ音乐网(brivo)");
  EXPECT_EQ(view_.boxes[0].type, kBoxYesNo);
  EXPECT_EQ(view_.boxes[0].icon, kIconQuestion);
}

TEST_F(UpdateCheckTest, YesOpensTheUpdatePageAndEndsTheProgram) {
  // Forked without re-running the test, so the child shares this test's server and folder.
  GTEST_FLAG_SET(death_test_style, "fast");
  ServeVersion("[2016.01.01]");
  // Written aside and renamed: the test polls for the file and must never read it half written.
  testing_support::WriteScript(download_folder_.path() / "opener",
                               "printf '%s' \"$1\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0.opened\"\n");
  ScopedEnv opener("BRIVO_OPENER", download_folder_ / "opener");
  view_.AnswerWith(kAnswerYes);
  EXPECT_EXIT(Check(), ::testing::ExitedWithCode(0), "");
  auto opened = download_folder_.path() / "opener.opened";
  for (int i = 0; i < 500 && !std::filesystem::exists(opened); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(ReadWholeFile(opened), "http://127.0.0.1/update.html");
}

}  // namespace
}  // namespace app
