#include "app/config.h"

#include <gtest/gtest.h>

#include "app/build_config.h"
#include "tests/support/temp_dir.h"

namespace app {
namespace {

TEST(Config, AVariableSetToNothingKeepsTheBuiltInValue) {
  testing_support::ScopedEnv set("BRIVO_SITE_RTMP_HOST", "mirror.example:1935");
  EXPECT_EQ(Config::FromEnvironment().site_rtmp_host, "mirror.example:1935");
  testing_support::ScopedEnv empty("BRIVO_SITE_RTMP_HOST", "");
  testing_support::ScopedEnv empty_web("BRIVO_SITE_WEB_HOST", "");
  Config config = Config::FromEnvironment();
  EXPECT_EQ(config.site_rtmp_host, build::kSiteRtmpHost);
  EXPECT_EQ(config.site_web_host, build::kSiteWebHost);
}

}  // namespace
}  // namespace app
