// Time and peak memory of reading hostile ticket files the way a ticket load does: the file is
// loaded once, then the fourteen keys are read. Each case runs in a child process of its own so
// that its peak resident size is its own. Usage: profile_read [folder for the 50 MB files]
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/profile.h"

namespace {

namespace fs = std::filesystem;

struct Case {
  const char* name;
  fs::path file;
};

// A file of one section header and then `line` again and again up to `size` bytes.
void WriteRepeated(const fs::path& file, const std::string& line, std::size_t size) {
  std::ofstream out(file, std::ios::binary);
  out << "[Schein]\n";
  std::string block;
  while (block.size() < (1u << 20)) block += line;
  for (std::size_t written = 0; written < size; written += block.size()) {
    out.write(block.data(), static_cast<std::streamsize>(std::min(block.size(), size - written)));
  }
}

// What a ticket load reads; the result is returned so that nothing is optimised away.
std::size_t ReadLikeATicketLoad(const fs::path& file) {
  const kw::Profile profile = kw::Profile::Load(file);
  std::size_t total = 0;
  for (int g = 1; g <= 12; ++g) total += profile.Read("Schein", "Spiel" + std::to_string(g)).size();
  total += profile.Read("Schein", "Losnummer").size();
  total += profile.Read("Schein", "Ablauf").size();
  return total;
}

void Run(const Case& c) {
  std::fflush(stdout);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child == 0) {
    // Old readers take everything they get: a bound keeps /dev/zero from taking the machine.
    const rlimit memory{6ull << 30, 6ull << 30};
    ::setrlimit(RLIMIT_AS, &memory);
    const char* outcome = "read";
    try {
      ReadLikeATicketLoad(c.file);
    } catch (const std::exception& e) {
      std::printf("    (%s)\n", e.what());
      outcome = "refused";
    }
    std::printf("    %s\n", outcome);
    std::fflush(stdout);
    std::_Exit(0);
  }
  int status = 0;
  rusage usage{};
  ::wait4(child, &status, 0, &usage);
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::error_code ec;
  const auto size = fs::is_regular_file(c.file, ec) ? fs::file_size(c.file, ec) : 0;
  std::printf("%-28s file %8.1f MB  time %8.3f s  peak RSS %8.1f MB%s\n", c.name, size / 1e6,
              seconds, usage.ru_maxrss / 1024.0, WIFEXITED(status) ? "" : "  (child died)");
}

}  // namespace

int main(int argc, char* argv[]) {
  const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "kw-bench";
  fs::create_directories(folder);
  constexpr std::size_t k50MB = 52'000'000;
  constexpr std::size_t k4MB = 4'000'000;
  WriteRepeated(folder / "empty-lines-50MB.sch", "\n", k50MB);
  WriteRepeated(folder / "key-lines-50MB.sch", "a\n", k50MB);
  WriteRepeated(folder / "empty-lines-4MB.sch", "\n", k4MB);
  WriteRepeated(folder / "key-lines-4MB.sch", "a\n", k4MB);
  WriteRepeated(folder / "ticket-lines-4MB.sch", "Spiel13=01 02 03 04 05 06 \r\n", k4MB);
  const std::vector<Case> cases = {
      {"52 M empty lines (50 MB)", folder / "empty-lines-50MB.sch"},
      {"26 M key lines (50 MB)", folder / "key-lines-50MB.sch"},
      {"4 M empty lines (4 MB)", folder / "empty-lines-4MB.sch"},
      {"2 M key lines (4 MB)", folder / "key-lines-4MB.sch"},
      {"140 k game lines (4 MB)", folder / "ticket-lines-4MB.sch"},
      {"/dev/zero", "/dev/zero"},
  };
  for (const Case& c : cases) Run(c);
  fs::remove_all(folder);
  return 0;
}
