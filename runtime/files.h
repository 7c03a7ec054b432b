#pragma once
// File operations. A path is what the file system takes (bytes, UTF-8, on
// Linux; UTF-16 on Windows), kept exactly as the system or the user gave it: it
// never passes through GBK, so a folder named "Müsic-ä" works. Only a GBK text
// that joins a path (a track name) is converted, where it joins.
#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>

namespace runtime {

using Path = std::filesystem::path;

// A path as UTF-8 text (on Linux its bytes as they are), and back: the way
// between paths and the program's UTF-8 texts (arguments, environment,
// messages), since a plain std::string becomes a path through the ANSI code
// page on Windows.
std::string PathText(const Path& path);
Path TextPath(std::string_view utf8);

// The directory holding the running executable, without a trailing separator.
Path ProgramDir();

// True when a file, directory or other entry of that name exists.
bool FileExists(const Path& path);

// The size in bytes, or -1 when nothing of that name exists.
long long FileSize(const Path& path);

// Creates or truncates `path` and writes the blocks in order. False when the path
// is empty or the file could not be opened or written.
bool WriteFile(const Path& path, std::initializer_list<std::string_view> blocks);

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
bool SetFileAttributes(const Path& path, unsigned bits);

bool DeleteFile(const Path& path);

// Moves `from` to `to` in one step, replacing a file of that name; either the
// old file or the new one is there at every moment. False when it could not.
bool RenameFile(const Path& from, const Path& to);

// Creates `folder` and its missing parents. True when it is a folder afterwards.
bool MakeFolders(const Path& folder);

// True when a file can be made in `folder`, found by making (and removing) one:
// permission bits alone do not tell (root, read-only mounts, ACLs).
bool CanCreateFilesIn(const Path& folder);

}  // namespace runtime
