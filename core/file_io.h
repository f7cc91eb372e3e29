#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/error.h"

namespace kw {

// Reading and writing whole files, as every file of the program is read and written: at once,
// within one operation.

// A file larger than the bound a read was given. Told apart from the other refusals, so that a
// caller can say in its own words what such a file is not.
class FileTooLargeError : public ReadError {
 public:
  using ReadError::ReadError;
};

// The bytes of a regular file of at most maxBytes. Nothing when the file does not exist (a path
// below a regular file included). Throws ReadError, with a message naming the path, when the path
// names a folder, a device or a pipe (checked before it is opened, so a pipe never blocks), or a
// file the system refuses to read; FileTooLargeError for a file larger than maxBytes (named in MB,
// below one MB in bytes).
std::optional<std::string> ReadRegularFile(const std::filesystem::path& file, std::size_t maxBytes);

// A file that another program holds open so that it cannot be replaced meanwhile (Windows lets
// no one rename over such a file). The old file stays as it was; closing the other program
// lets the next save succeed, which the text says.
class FileInUseError : public WriteError {
 public:
  explicit FileInUseError(const std::string& path);
};

// Replaces the file's content atomically: a temporary file in the same folder, flushed, renamed.
// A link stays a link and its target is replaced, but only a regular file or none: never a
// device, a pipe or a folder. A replaced file keeps its mode bits, set-id and sticky bits too
// where the system lets the owner keep them; a new one gets what any program's new file gets,
// 0666 less the umask. Throws WriteError when any step fails (FileInUseError for a file another
// program holds open); the old file then stays as it was. On Windows the rename is MoveFileExW
// with MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH, and there are no mode bits to keep.
void ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

// What puts the new file's bytes on the disk before the rename, given the file's descriptor:
// fsync(2), on Windows FlushFileBuffers. A test puts a failing one in its place, as a disk that
// reports an error at that moment would be.
extern int (*ReplacementSync)(int fd);

// std::fopen for a path of any name: _wfopen on Windows, whose fopen reads the ANSI code page.
std::FILE* OpenFile(const std::filesystem::path& file, const char* mode);

// Whether a new file can be made in the folder: tried, as a save would, for write permission
// bits alone do not tell (the superuser ignores them, a read-only medium refuses everyone).
bool CanCreateFileIn(const std::filesystem::path& folder);

}  // namespace kw
