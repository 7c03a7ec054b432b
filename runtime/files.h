#pragma once
// File operations on GBK paths (converted to UTF-8 for the file system).
#include <initializer_list>
#include <string_view>

#include "runtime/text.h"

namespace runtime {

// The directory holding the running executable, without a trailing separator.
Text ProgramDir();

// True when a file, directory or other entry of that name exists.
bool FileExists(const Text& path);

// The size in bytes, or -1 when nothing of that name exists.
long long FileSize(const Text& path);

// Creates or truncates `path` and writes the blocks in order. False when the path
// is empty or the file could not be opened or written.
bool WriteFile(const Text& path, std::initializer_list<std::string_view> blocks);

// Attribute bits as the application knows them; only these four are kept.
enum FileAttribute : unsigned {
  kAttributeReadOnly = 0x01,
  kAttributeHidden = 0x02,
  kAttributeSystem = 0x04,
  kAttributeArchive = 0x20,
};

// Sets the attributes to `bits` & 0x27; bits not given are cleared. On Linux
// read-only is the file's permission: set, every write permission is removed;
// clear, the owner may write again. Hidden, system and archive have no
// counterpart (hiddenness on Linux is part of the name) and change nothing.
// False when the file does not exist or its mode could not be changed.
bool SetFileAttributes(const Text& path, unsigned bits);

bool DeleteFile(const Text& path);

}  // namespace runtime
