#pragma once
// What this system's file names cannot hold beyond what every system refuses
// (controls, '/', '\\'), for SafeFileName.
#include <string>
#include <string_view>

namespace app {

// Characters that cannot stand in a file name here: none more on Linux; on
// Windows ":*?<>|" (':' would name a stream of another file).
bool IsReservedInFileNames(char c);

// `name` as this system keeps it: on Windows, which drops a trailing dot or
// blank and takes a device's name (CON, NUL, COM1, …, whatever follows its
// dot) for the device, such an end becomes '_' and such a name gets a leading
// '_'. On Linux `name` as it is.
std::string AsOrdinaryFileName(std::string name);

}  // namespace app
