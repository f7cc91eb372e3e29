#pragma once

// The archive's calls to the file system that differ between POSIX systems and Windows
// (archive_files_posix.cpp, archive_files_windows.cpp). Failures are errno values on both, so
// that the archive words them once.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace kw::archive_files {

// What is at a path, links followed.
struct Look {
  int error = 0;  // 0: something is there; else ENOENT, ENOTDIR or another errno value
  bool folder = false;
  bool regular = false;
  std::uint64_t size = 0;
};
Look LookAt(const std::filesystem::path& file);

// Whether anything is there, a dangling link too.
bool Exists(const std::filesystem::path& file);

// Why the archive may only be read, or empty: a file marked read-only (taken as meant to be kept
// as it is, also by root, whom the system would let write it), a read-only medium, a file or a
// folder (SQLite writes its journal beside the file) this user may not change.
std::string WhyReadOnly(const std::filesystem::path& file);

// Up to `size` bytes from the file's start, without blocking on a pipe; the count read, or -1
// when it cannot be opened.
long ReadStart(const std::filesystem::path& file, unsigned char* bytes, std::size_t size);

// A new, empty file that did not exist before: 0, or the errno value (EEXIST when taken).
int CreateNew(const std::filesystem::path& file);

// Gives the finished file `temp` the name `file`, never replacing what is there: 0, EEXIST
// when another program put a file there meanwhile (it is kept), or another errno value. `temp`
// may still exist afterwards; the caller removes it.
int NameWithoutReplacing(const std::filesystem::path& temp, const std::filesystem::path& file);

void Remove(const std::filesystem::path& file);

// The process, for names no other program uses.
long ProcessId();

}  // namespace kw::archive_files
