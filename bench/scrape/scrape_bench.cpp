// ScrapeResults on a results page of about 300 KB and on one of 50 MB, beside a plain copy of
// the same file, the limit for anything that reads the page and writes it filtered.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>

#include "bench/scrape/page_file.h"
#include "tests/support/temp_dir.h"
#include "webimport/scraper.h"

namespace {

kw::test::TempDir& Folder() {
  static kw::test::TempDir dir;
  return dir;
}

// The page of the given size, written once.
const std::filesystem::path& PageFile(std::size_t bytes) {
  static std::map<std::size_t, std::filesystem::path> pages;
  auto [it, added] = pages.try_emplace(bytes, Folder() / ("page-" + std::to_string(bytes)));
  if (added && !bench::WritePageFile(it->second, bytes)) std::abort();
  return it->second;
}

void BM_ScrapeResults(benchmark::State& state) {
  const std::filesystem::path& page = PageFile(static_cast<std::size_t>(state.range(0)));
  const kw::ImportFiles files = kw::ImportFiles::In(Folder().path());
  const kw::ImportReport silent{[](std::string_view) {}, [](std::string_view) {}, [] {}};
  for (auto _ : state) {
    // The run removes the page it read: put it back outside the measured time.
    state.PauseTiming();
    std::filesystem::copy_file(page, files.page, std::filesystem::copy_options::overwrite_existing);
    state.ResumeTiming();
    if (!kw::ScrapeResults(files, silent)) state.SkipWithError("import failed");
  }
  state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(page));
}

void BM_CopyFile(benchmark::State& state) {
  const std::filesystem::path& page = PageFile(static_cast<std::size_t>(state.range(0)));
  const std::filesystem::path copy = Folder() / "copy.tmp";
  for (auto _ : state) {
    std::filesystem::copy_file(page, copy, std::filesystem::copy_options::overwrite_existing);
  }
  state.SetBytesProcessed(state.iterations() * std::filesystem::file_size(page));
}

constexpr int64_t kRealistic = 300 * 1024;
constexpr int64_t kHuge = 50 * 1024 * 1024;

BENCHMARK(BM_ScrapeResults)
    ->Arg(kRealistic)
    ->Arg(kHuge)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_CopyFile)->Arg(kRealistic)->Arg(kHuge)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
