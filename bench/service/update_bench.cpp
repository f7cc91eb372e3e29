// --update of ten drawings against a server on 127.0.0.1 that answers at once, with the real
// 2.5 s between two requests: through the range request (one request for all ten), and day by
// day where the range form is refused (the day list, then one request per drawing). Wall time
// and requests sent; the storing in a fresh archive file and the printed lines are inside.
//   build/bench/service/update_bench
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <cstdio>

#include "commands/update_command.h"
#include "tests/support/fixed_clock.h"
#include "tests/support/local_http_server.h"
#include "tests/support/service_answers.h"
#include "tests/support/service_routes.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kDrawings = 10;

void UpdateTenDrawings(benchmark::State& state, bool rangeServed) {
  kw::test::LocalHttpServer server;
  std::vector<kw::Date> days;
  std::vector<std::string> answers;
  for (kw::Date d = kw::Date::FromYmd(2025, 11, 1); static_cast<int>(days.size()) < kDrawings;
       ++d.dayCount) {
    if (!kw::IsDrawingDay(d, kw::DrawDays::Both)) continue;
    days.push_back(d);
    answers.push_back(kw::test::MadeUpAnswer(d, d.dayCount));
    server.Route(kw::test::DrawsAt(d), kw::test::Json(answers.back()));
  }
  server.Route(kw::test::HistoryOf(2025), kw::test::Json(kw::test::DayListOf(days)));
  if (rangeServed) {
    server.Route(kw::test::RangeAt(days.front(), days.back()),
                 kw::test::Json(kw::test::RangeAnswer(answers)));
  }
  kw::UpdateOptions options;
  options.serviceBase = server.Url("/api");
  options.from = days.front();
  options.to = days.back();
  const kw::FixedClock clock(days.back());

  for (auto _ : state) {
    state.PauseTiming();
    auto dir = std::make_unique<kw::test::TempDir>();
    auto archive = std::make_unique<kw::DrawingArchive>(*dir / kw::DrawingArchive::kFileName);
    std::FILE* out = std::fopen((*dir / "out.txt").c_str(), "w");
    state.ResumeTiming();
    if (kw::RunUpdate(options, *archive, clock, out, stderr) != 0 ||
        archive->Count() != kDrawings) {
      state.SkipWithError("the update failed");
    }
    state.PauseTiming();
    std::fclose(out);
    archive.reset();
    dir.reset();
    state.ResumeTiming();
  }
  state.counters["requests_per_update"] =
      static_cast<double>(server.AllRequests()) / static_cast<double>(state.iterations());
}

void BM_UpdateTenDrawingsByRange(benchmark::State& state) { UpdateTenDrawings(state, true); }
void BM_UpdateTenDrawingsDayByDay(benchmark::State& state) { UpdateTenDrawings(state, false); }
BENCHMARK(BM_UpdateTenDrawingsByRange)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);
BENCHMARK(BM_UpdateTenDrawingsDayByDay)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
