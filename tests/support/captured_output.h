#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace kw::test {

// What a command printed on its two streams, and its exit code.
struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

inline std::string ReadBack(std::FILE* stream) {
  std::string bytes;
  std::rewind(stream);
  char buffer[4096];
  std::size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, stream)) > 0) bytes.append(buffer, n);
  std::fclose(stream);
  return bytes;
}

// Runs command(out, err), each a stream kept in memory, and gives what it printed.
template <class Command>
Outcome Capture(Command command) {
  // Temporary files, which every system has (open_memstream is POSIX only); removed on close.
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  Outcome run;
  run.code = command(out, err);
  run.out = ReadBack(out);
  run.err = ReadBack(err);
  return run;
}

}  // namespace kw::test
