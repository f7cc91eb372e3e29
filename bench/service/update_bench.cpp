// --update of ten drawings against a server on 127.0.0.1 that answers at once, with the real
// 250 ms between two requests: the wall time, and what each drawing costs beyond the pauses
// (request, answer, reading, storing in a fresh archive file, the printed line).
//   build/bench/service/update_bench
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "tests/support/local_http_server.h"
#include "tests/support/temp_dir.h"
#include "tests/service/service_answers.h"
#include "service/update_command.h"

namespace {

using namespace std::chrono_literals;

constexpr int kDrawings = 10;
constexpr auto kSpacing = 250ms;

void BM_UpdateTenDrawings(benchmark::State& state) {
  kw::test::LocalHttpServer server;
  std::vector<kw::Date> days;
  for (kw::Date d = kw::Date::FromYmd(2025, 11, 1); static_cast<int>(days.size()) < kDrawings;
       ++d.dayCount) {
    if (!kw::IsDrawingDay(d, kw::DrawDays::Both)) continue;
    days.push_back(d);
    server.Route("/api" + QByteArray::fromStdString(kw::DrawsPath(d)),
                 {200, QByteArray::fromStdString(kw::test::MadeUpAnswer(d, d.dayCount)), {}});
  }
  server.Route("/api" + QByteArray::fromStdString(kw::HistoryPath(2025)),
               {200, QByteArray::fromStdString(kw::test::DayListOf(days)), {}});
  kw::UpdateOptions options;
  options.serviceBase = server.Url("/api");
  options.from = days.front();
  options.to = days.back();
  options.spacing = kSpacing;
  const kw::FixedClock clock(days.back());

  double beyondMs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    auto dir = std::make_unique<kw::test::TempDir>();
    auto archive = std::make_unique<kw::DrawingArchive>(*dir / kw::DrawingArchive::kFileName);
    std::FILE* out = std::fopen((*dir / "out.txt").c_str(), "w");
    state.ResumeTiming();
    QElapsedTimer clockRun;
    clockRun.start();
    if (kw::RunUpdate(options, *archive, clock, out, stderr) != 0 ||
        archive->Count() != kDrawings) {
      state.SkipWithError("the update failed");
    }
    // One pause after the day list and after each drawing but the last.
    beyondMs += static_cast<double>(clockRun.nsecsElapsed()) / 1e6 -
                static_cast<double>(kDrawings * kSpacing.count());
    state.PauseTiming();
    std::fclose(out);
    archive.reset();
    dir.reset();
    state.ResumeTiming();
  }
  state.counters["ms_per_drawing_beyond_pauses"] =
      beyondMs / static_cast<double>(state.iterations()) / kDrawings;
}
BENCHMARK(BM_UpdateTenDrawings)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
