// Writes the manual page kreuzwart(1) from the table of the command line, at build time:
// kreuzwart-man-page DATE FILE. The page is never written by hand, so it cannot drift from --help.
#include <cstdio>
#include <fstream>

#include "app/man_page.h"

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fputs("Aufruf: kreuzwart-man-page DATUM DATEI\n", stderr);
    return 2;
  }
  std::ofstream page(argv[2], std::ios::binary | std::ios::trunc);
  page << kw::ManPage(argv[1]);
  page.close();
  if (!page) {
    std::fprintf(stderr, "kreuzwart-man-page: %s kann nicht geschrieben werden\n", argv[2]);
    return 1;
  }
  return 0;
}
