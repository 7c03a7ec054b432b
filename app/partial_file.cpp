#include <cctype>
#include <cstdio>
#include <random>
#include <system_error>

#include "app/partial_file.h"
#include "app/partial_file_system.h"

namespace app {
namespace {

constexpr char kPartialSuffix[] = ".part";
constexpr size_t kTagDigits = 8;

std::string RandomTag() {
  const unsigned value = std::random_device()();
  char tag[kTagDigits + 1];
  std::snprintf(tag, sizeof tag, "%08x", value);
  return tag;
}

}  // namespace

runtime::Path NewPartialFilePath(const runtime::Path& folder, const std::string& result_name) {
  return folder / runtime::TextPath(result_name + "." + RandomTag() + kPartialSuffix);
}

bool IsPartialFileName(const std::string& name) {
  const size_t suffix = sizeof kPartialSuffix - 1;
  if (name.size() < suffix + kTagDigits + 2 || !name.ends_with(kPartialSuffix)) return false;
  const size_t tag = name.size() - suffix - kTagDigits;
  if (name[tag - 1] != '.') return false;
  for (size_t i = tag; i < tag + kTagDigits; ++i)
    if (!std::isxdigit(static_cast<unsigned char>(name[i])) || std::isupper(static_cast<unsigned char>(name[i])))
      return false;
  return true;
}

void RemoveAbandonedPartialFiles(const runtime::Path& folder) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (IsPartialFileName(runtime::PathText(it->path().filename()))) RemoveIfAbandoned(it->path());
}

}  // namespace app
