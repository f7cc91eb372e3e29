#pragma once

// Files of kinds the tests put where the program expects a regular file. The one place in the
// tests that asks which system it runs on: Windows has no pipes in the file system.
#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace kw::test {

#ifdef _WIN32
inline constexpr bool kHasFifos = false;
inline bool MakeFifo(const std::filesystem::path&) { return false; }
#else
inline constexpr bool kHasFifos = true;
// A named pipe: opened, it would wait for a writer.
inline bool MakeFifo(const std::filesystem::path& file) {
  return ::mkfifo(file.c_str(), 0644) == 0;
}
#endif

}  // namespace kw::test
