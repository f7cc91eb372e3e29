// The program's resident memory before and after --update fetches of 100 drawings each from a
// server on 127.0.0.1 (in this process, its answers made before the first measurement). The
// pause between requests is shortened: it costs time, not memory.
//   build/bench/service/update_memory
#include <QCoreApplication>
#include <cstdio>
#include <fstream>
#include <string>

#include "commands/update_command.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/local_http_server.h"
#include "tests/support/service_answers.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace std::chrono_literals;

long RssKiB() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

double MiB(long kib) { return static_cast<double>(kib) / 1024.0; }

// The first 100 drawing days of the year, served with their year's list.
std::pair<kw::Date, kw::Date> Serve(kw::test::LocalHttpServer& server, int year) {
  std::vector<kw::Date> days;
  for (kw::Date d = kw::Date::FromYmd(year, 1, 1); days.size() < 100; ++d.dayCount) {
    if (!kw::IsDrawingDay(d, kw::DrawDays::Both)) continue;
    days.push_back(d);
    server.Route("/api" + QByteArray::fromStdString(kw::DrawsPath(d)),
                 {200, QByteArray::fromStdString(kw::test::MadeUpAnswer(d, d.dayCount)), {}});
  }
  server.Route("/api" + QByteArray::fromStdString(kw::HistoryPath(year)),
               {200, QByteArray::fromStdString(kw::test::DayListOf(days)), {}});
  return {days.front(), days.back()};
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  kw::test::LocalHttpServer server;
  const int years[] = {2022, 2023, 2024};
  std::vector<std::pair<kw::Date, kw::Date>> ranges;
  for (int year : years) ranges.push_back(Serve(server, year));
  kw::test::TempDir dir;
  kw::DrawingArchive archive(dir / kw::DrawingArchive::kFileName);
  std::FILE* out = std::fopen((dir / "out.txt").c_str(), "w");
  const kw::FixedClock clock(kw::Date::FromYmd(2025, 1, 1));

  const long before = RssKiB();
  std::printf("before: %.1f MiB\n", MiB(before));
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    kw::UpdateOptions options;
    options.serviceBase = server.Url("/api");
    options.from = ranges[i].first;
    options.to = ranges[i].second;
    options.spacing = 1ms;
    if (kw::RunUpdate(options, archive, clock, out, stderr) != 0) return 1;
    const long now = RssKiB();
    std::printf("after fetch %zu (%lld drawings stored): %.1f MiB, %+.1f MiB against before\n",
                i + 1, static_cast<long long>(archive.Count()), MiB(now), MiB(now - before));
  }
  std::fclose(out);
  return 0;
}
