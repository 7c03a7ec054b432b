#include "app/system_file_names.h"

namespace app {

bool IsReservedInFileNames(char) { return false; }

std::string AsOrdinaryFileName(std::string name) { return name; }

}  // namespace app
