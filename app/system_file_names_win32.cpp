#include <algorithm>
#include <cctype>

#include "app/system_file_names.h"

namespace app {
namespace {

bool IsDeviceName(std::string_view stem) {
  std::string upper(stem);
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  for (std::string_view device : {"CON", "PRN", "AUX", "NUL"})
    if (upper == device) return true;
  return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) && upper[3] >= '1' &&
         upper[3] <= '9';
}

}  // namespace

bool IsReservedInFileNames(char c) { return std::string_view(":*?<>|").find(c) != std::string_view::npos; }

std::string AsOrdinaryFileName(std::string name) {
  if (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.back() = '_';
  if (IsDeviceName(std::string_view(name).substr(0, name.find('.')))) name = "_" + name;
  return name;
}

}  // namespace app
