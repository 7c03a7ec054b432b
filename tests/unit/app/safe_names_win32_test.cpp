// What Windows' file names cannot hold or take for something else.
#include <gtest/gtest.h>

#include "app/safe_names.h"

namespace app {
namespace {

TEST(SafeFileName, OnWindowsNeutralisesWhatItsFileNamesCannotHold) {
  // ':' would name a stream of the file "a", the others are refused.
  EXPECT_EQ(SafeFileName("a:b*c?d<e>f|g"), "a_b_c_d_e_f_g");
  // Windows drops a trailing dot or space, which would change the name.
  EXPECT_EQ(SafeFileName("mix vol. "), "mix vol._");
  EXPECT_EQ(SafeFileName("mix..."), "mix.._");
  // Device names stay devices whatever follows their dot.
  EXPECT_EQ(SafeFileName("CON"), "_CON");
  EXPECT_EQ(SafeFileName("nul.mix"), "_nul.mix");
  EXPECT_EQ(SafeFileName("com7"), "_com7");
  EXPECT_EQ(SafeFileName("console"), "console");
  EXPECT_EQ(SafeFileName("COM10"), "COM10");
}

}  // namespace
}  // namespace app
