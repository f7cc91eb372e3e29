// "kreuzwart --import-draws FILE --archive NEW.sqlite" as a whole process, as a person or a script
// runs it: the lottery companies' CSV of 900 drawings with their quotas, the community JSON of
// 5,000 drawings, and the real community archive of every drawing since 1955 where it lies in
// ../shared/data beside the project. Each run imports into an archive that does not exist yet,
// made by the run. Prints, per file, the wall time of each run's start to its end (median,
// minimum, maximum) and the peak memory of the largest run so far.
// Usage: import_process [runs]   (default 20)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "archive/archive.h"
#include "tests/archive/sample_drawings.h"
#include "tests/support/temp_dir.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// The whole process, runs times; false when a run fails or stores other than `drawings`.
bool Measure(const char* what, const fs::path& file, int64_t drawings, int runs,
             const fs::path& folder) {
  const fs::path archive = folder / "neu.sqlite";
  std::vector<std::string> words = {KREUZWART_PROGRAM, "--import-draws", file.string(), "--archive",
                                    archive.string()};
  std::vector<char*> arguments;
  for (std::string& word : words) arguments.push_back(word.data());
  arguments.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);

  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    fs::remove(archive);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, arguments[0], &actions, nullptr, arguments.data(), environ) != 0) {
      return false;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return false;
  }
  posix_spawn_file_actions_destroy(&actions);
  if (kw::DrawingArchive(archive).Count() != drawings) return false;
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  std::sort(times.begin(), times.end());
  std::printf("%s (%.0f KB), %d runs: median=%.1f ms min=%.1f ms max=%.1f ms, peak %.1f MiB\n",
              what, fs::file_size(file) / 1024.0, runs, times[times.size() / 2], times.front(),
              times.back(), usage.ru_maxrss / 1024.0);
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
  kw::test::TempDir dir;
  const fs::path operatorCsv = dir / "LOTTO_ab_2018.csv";
  kw::test::WriteFile(operatorCsv, kw::test::OperatorCsv(kw::test::LotteryDrawings(900)));
  const fs::path communityJson = dir / "lotto.json";
  kw::test::WriteFile(communityJson, kw::test::CommunityJson(kw::test::HistoricDrawings(5000)));

  bool ok = Measure("Lotto-CSV, 900 Ziehungen mit Quoten", operatorCsv, 900, runs, dir.path()) &&
            Measure("Community-JSON, 5.000 Ziehungen", communityJson, 5000, runs, dir.path());
  const fs::path real =
      fs::path(KREUZWART_SOURCE_DIR) / "../shared/data/lotto-6aus49-1955-2026.json";
  if (ok && fs::exists(real)) {
    ok = Measure("Community-JSON, das echte Archiv", real, 5031, runs, dir.path());
  } else if (ok) {
    std::printf("%s fehlt: das echte Archiv wird nicht gemessen\n", real.c_str());
  }
  if (!ok) std::fprintf(stderr, "import_process: ein Import ging schief\n");
  return ok ? 0 : 1;
}
