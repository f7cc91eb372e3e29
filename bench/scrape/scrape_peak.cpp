// The peak memory of one import of a 50 MB results page: the process's peak resident size
// before and after ScrapeResults. The page is written piece by piece, so the baseline holds
// none of it.
#include <sys/resource.h>

#include <cstdio>

#include "bench/scrape/page_file.h"
#include "tests/support/temp_dir.h"
#include "webimport/scraper.h"

namespace {

double PeakMiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

}  // namespace

int main() {
  constexpr std::size_t kPage = 50 * 1024 * 1024;
  const kw::test::TempDir dir;
  const kw::ImportFiles files = kw::ImportFiles::In(dir.path());
  if (!bench::WritePageFile(files.page, kPage)) return 1;
  const double pageMiB = static_cast<double>(std::filesystem::file_size(files.page)) / 1048576.0;

  const double before = PeakMiB();
  const kw::ImportReport silent{[](std::string_view) {}, [](std::string_view) {}, [] {}};
  if (!kw::ScrapeResults(files, silent)) return 1;
  const double after = PeakMiB();

  std::printf(
      "page %.1f MiB: peak resident %.1f MiB before the import, %.1f MiB after "
      "(%.2f x the page)\n",
      pageMiB, before, after, (after - before) / pageMiB);
  return 0;
}
