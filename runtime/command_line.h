#pragma once
// Splitting one command-line text into arguments by the Microsoft C runtime rules,
// so that a command line means on Linux what it means on Windows.
#include <string>
#include <string_view>
#include <vector>

namespace runtime {

// Blanks (space, tab) separate arguments; double quotes group and are removed; an
// unclosed quote runs to the end of the line. Backslashes are literal except
// before a double quote: 2n backslashes + quote give n backslashes and a grouping
// quote, 2n+1 give n backslashes and a literal quote. Inside quotes, "" is a
// literal quote. The first argument (the program) only honours quotes.
std::vector<std::string> SplitCommandLine(std::string_view line);

}  // namespace runtime
