#pragma once

// What the file_io of every platform shares (file_io_posix.cpp, file_io_windows.cpp): the
// refusals' texts and the temporary file's name. Not for use outside core/file_io*.

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "core/file_io.h"

namespace kw::file_io {

ReadError Refusal(const std::filesystem::path& file, std::string_view reason);
ReadError FolderRefusal(const std::filesystem::path& file);
ReadError KindRefusal(const std::filesystem::path& file);
ReadError UnreadableRefusal(const std::filesystem::path& file);
FileTooLargeError TooLargeError(const std::filesystem::path& file, std::size_t maxBytes);

// The file a replacement of path writes: path itself, or the file a link at path points to (a
// link stays a link). Throws failure when the link's target cannot be named.
std::filesystem::path ReplacementTarget(const std::filesystem::path& path,
                                        const WriteError& failure);

// A name beside the file that no other writer uses: the process, a count and a random part.
std::filesystem::path TemporaryPath(const std::filesystem::path& file, long processId);

}  // namespace kw::file_io
