#pragma once
// What a console program needs from the system's console.
#include <string>
#include <vector>

namespace runtime {

// Lets the console show UTF-8 output and the terminal sequences that redraw a
// progress line. On Linux a terminal already does; on Windows std::cout and
// std::cerr, where they are a console, write to it in UTF-16, and the console
// processes those sequences.
void PrepareConsole();

// The program's arguments, without the program's name, as UTF-8. On Windows
// they are read from the wide command line, since argv is in the ANSI code page.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// True when standard error is a console or terminal that a person watches.
bool ErrorsGoToTerminal();

}  // namespace runtime
