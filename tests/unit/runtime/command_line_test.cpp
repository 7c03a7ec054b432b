#include "runtime/command_line.h"

#include <gtest/gtest.h>

namespace runtime {
namespace {

using Args = std::vector<std::string>;

// The examples that Microsoft documents for its C runtime's argument parsing,
// each after a program name.
TEST(SplitCommandLine, FollowsTheDocumentedExamples) {
  EXPECT_EQ(SplitCommandLine(R"(p "abc" d e)"), (Args{"p", "abc", "d", "e"}));
  EXPECT_EQ(SplitCommandLine(R"(p a\\b d"e f"g h)"), (Args{"p", R"(a\\b)", "de fg", "h"}));
  EXPECT_EQ(SplitCommandLine(R"(p a\\\"b c d)"), (Args{"p", R"(a\"b)", "c", "d"}));
  EXPECT_EQ(SplitCommandLine(R"(p a\\\\"b c" d e)"), (Args{"p", R"(a\\b c)", "d", "e"}));
  EXPECT_EQ(SplitCommandLine(R"(p a"b"" c d)"), (Args{"p", R"(ab" c d)"}));
}

TEST(SplitCommandLine, TreatsTheProgramNameAsAPath) {
  EXPECT_EQ(SplitCommandLine(R"("C:\Program Files\x.exe" -a)"), (Args{R"(C:\Program Files\x.exe)", "-a"}));
  EXPECT_EQ(SplitCommandLine(R"(dir\tool.exe\ x)"), (Args{R"(dir\tool.exe\)", "x"}));
}

TEST(SplitCommandLine, HandlesBlanksEmptyArgumentsAndOpenQuotes) {
  EXPECT_EQ(SplitCommandLine("  p \t a   b  "), (Args{"p", "a", "b"}));
  EXPECT_EQ(SplitCommandLine(R"(p "" x)"), (Args{"p", "", "x"}));
  EXPECT_EQ(SplitCommandLine(R"(p -o "name with blanks.aac)"), (Args{"p", "-o", "name with blanks.aac"}));
  EXPECT_EQ(SplitCommandLine(R"(p a\b\)"), (Args{"p", R"(a\b\)"}));
  EXPECT_EQ(SplitCommandLine(""), Args{});
  EXPECT_EQ(SplitCommandLine("   "), Args{});
}

TEST(SplitCommandLine, KeepsNonAsciiArgumentsWhole) {
  EXPECT_EQ(SplitCommandLine("p -o \"晨岚 曲.aac\""), (Args{"p", "-o", "晨岚 曲.aac"}));
}

}  // namespace
}  // namespace runtime
