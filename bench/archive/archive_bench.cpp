#include <benchmark/benchmark.h>

#include <filesystem>

#include "archive/archive.h"
#include "archive/drawings_csv.h"
#include "archive/drawings_file.h"
#include "tests/archive/sample_drawings.h"
#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Every drawing since 1955 and some years more, in our CSV form, into an archive that is new
// (each import a fresh file, made outside the timing) or that holds them all already.
void BM_ImportCsv(benchmark::State& state) {
  const bool alreadyThere = state.range(0) != 0;
  kw::test::TempDir dir;
  const fs::path csv = dir / "ziehungen.csv";
  kw::test::WriteFile(csv, kw::FormatDrawingsCsv(kw::test::HistoricDrawings(6000)));
  int run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const fs::path file = dir / ("archiv" + std::to_string(alreadyThere ? 0 : run++) + ".sqlite");
    kw::DrawingArchive archive(file);
    if (alreadyThere && archive.Count() == 0) kw::ImportDrawingsFile(archive, csv);
    state.ResumeTiming();
    benchmark::DoNotOptimize(kw::ImportDrawingsFile(archive, csv));
    state.PauseTiming();
    if (!alreadyThere) fs::remove(file);
    state.ResumeTiming();
  }
  state.SetItemsProcessed(state.iterations() * 6000);
}
BENCHMARK(BM_ImportCsv)->Arg(0)->Arg(1)->ArgNames({"stored"})->Unit(benchmark::kMillisecond);

// Reading alone, without the archive: the lottery companies' CSV of 900 drawings with their
// quotas, and the community JSON of 5,000 drawings, as bench/import measures them whole.
void BM_ParseForms(benchmark::State& state) {
  const bool json = state.range(0) != 0;
  const std::string bytes = json ? kw::test::CommunityJson(kw::test::HistoricDrawings(5000))
                                 : kw::test::OperatorCsv(kw::test::LotteryDrawings(900));
  for (auto _ : state) {
    benchmark::DoNotOptimize(kw::ParseDrawingsFile(bytes));
  }
  state.SetItemsProcessed(state.iterations() * (json ? 5000 : 900));
  state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_ParseForms)->Arg(0)->Arg(1)->ArgNames({"json"})->Unit(benchmark::kMillisecond);

// The term of a ticket: five weeks of Wednesday and Saturday, ten drawings with nine quotas
// each, from a full archive of 6,000.
void BM_ReadTerm(benchmark::State& state) {
  kw::test::TempDir dir;
  kw::DrawingArchive archive(dir / kw::DrawingArchive::kFileName);
  const std::vector<kw::Drawing> drawings = kw::test::HistoricDrawings(6000, true);
  archive.Store(drawings, "lotto.de");
  const kw::Date first = drawings[5000].date;
  const kw::Date last = drawings[5009].date;
  for (auto _ : state) {
    std::vector<kw::Drawing> term = archive.ReadRange(first, last);
    if (term.size() != 10) state.SkipWithError("not ten drawings");
    benchmark::DoNotOptimize(term);
  }
}
BENCHMARK(BM_ReadTerm)->Unit(benchmark::kMicrosecond);

// The file with 6,000 drawings and nine quotas each: its size in bytes is the counter.
void BM_ArchiveSize(benchmark::State& state) {
  kw::test::TempDir dir;
  const fs::path file = dir / kw::DrawingArchive::kFileName;
  const std::vector<kw::Drawing> drawings = kw::test::HistoricDrawings(6000, true);
  for (auto _ : state) {
    fs::remove(file);
    kw::DrawingArchive(file).Store(drawings, "lotto.de");
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(file));
  state.counters["bytes_per_drawing"] = static_cast<double>(fs::file_size(file)) / 6000;
}
BENCHMARK(BM_ArchiveSize)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
