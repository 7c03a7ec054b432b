#include "runtime/environment.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace runtime {
namespace {

TEST(EnvironmentValue, AnEmptyValueCountsAsNotSet) {
  testing_support::ScopedEnv set("BRIVO_TEST_VALUE", "x y");
  EXPECT_EQ(EnvironmentValue("BRIVO_TEST_VALUE"), "x y");
  testing_support::ScopedEnv empty("BRIVO_TEST_VALUE", "");
  EXPECT_EQ(EnvironmentValue("BRIVO_TEST_VALUE"), std::nullopt);
  EXPECT_EQ(EnvironmentValue("BRIVO_TEST_NEVER_SET"), std::nullopt);
}

}  // namespace
}  // namespace runtime
