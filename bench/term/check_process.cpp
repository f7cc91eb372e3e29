// "kreuzwart --check" as a whole process, as a person or a script runs it: a ticket of twelve
// games whose term holds ten drawings of an archive of 6,000; with "household" the ten tickets of
// a household (twelve games, eight weeks each) in one run; with "systems" a ticket of four full
// systems 016 over sixteen drawings. Prints the wall time of each run's
// start to its end, median, minimum and maximum, and the peak memory of the program.
// Usage: check_process [runs] [household|systems]   (default 30)
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "bench/term/term_data.h"

extern char** environ;

int main(int argc, char* argv[]) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 30;
  QTemporaryDir dir;
  const std::string kind = argc > 2 ? argv[2] : "";
  const std::string folder = dir.path().toStdString();
  const std::vector<std::string> tickets =
      kind == "household" ? bench::MakeHousehold(folder)
      : kind == "systems" ? std::vector<std::string>{bench::MakeSystemTicket(folder)}
                          : std::vector<std::string>{bench::MakeTermFiles(folder)};
  const std::string archive =
      (std::filesystem::path(dir.path().toStdString()) / kw::DrawingArchive::kFileName).string();
  std::vector<std::string> words = {KREUZWART_PROGRAM, "--check"};
  words.insert(words.end(), tickets.begin(), tickets.end());
  words.insert(words.end(), {"--archive", archive});
  std::vector<char*> arguments;
  for (std::string& word : words) arguments.push_back(word.data());
  arguments.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, arguments[0], &actions, nullptr, arguments.data(), environ) != 0) {
      return 1;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    times.push_back(
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count());
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return 1;
  }
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  std::sort(times.begin(), times.end());
  std::printf("kreuzwart --check of %zu ticket(s), %d runs:", tickets.size(), runs);
  std::printf(" median=%.1f ms min=%.1f ms max=%.1f ms, peak %.1f MiB\n",
              times[times.size() / 2], times.front(), times.back(), usage.ru_maxrss / 1024.0);
  return 0;
}
