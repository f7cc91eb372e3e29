#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/webimport/results_page.h"

namespace bench {

// One piece of the markup around the drawings: a quota table row and a bit of script, with the
// line breaks the browser hand-over puts in.
inline std::string FillerPiece(int i) {
  const std::string n = std::to_string(i);
  return "<tr class=\"quote\"><td>Gewinnklasse " + std::to_string(i % 9 + 1) +
         "</td>\r\n<td>6 Richtige + SZ</td><td>" + n + "</td><td>1.234." + n +
         ",80&nbsp;&euro;</td></tr>\r\n<script type=\"text/javascript\">window.dl.push({e:'view"
         "',id:" +
         n + "});</script>\r\n";
}

// Writes a results page of about the given size, piece by piece so that not even the writer
// holds it whole: markup, the six drawing blocks halfway, more markup.
inline bool WritePageFile(const std::filesystem::path& file, std::size_t bytes) {
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (!out) return false;
  const std::string blocks =
      kw::test::Page(kw::test::Saturday().All() + kw::test::Wednesday().All());
  std::size_t written = 0;
  bool blocksWritten = false;
  for (int i = 0; written < bytes; ++i) {
    const std::string piece = !blocksWritten && written >= bytes / 2 ? blocks : FillerPiece(i);
    blocksWritten = blocksWritten || piece == blocks;
    written += std::fwrite(piece.data(), 1, piece.size(), out);
  }
  if (!blocksWritten) std::fwrite(blocks.data(), 1, blocks.size(), out);
  return std::fclose(out) == 0;
}

}  // namespace bench
